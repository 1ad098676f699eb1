#pragma once

#include <QStringList>

// The value lists and templates filled at start-up and used by the TP editor.
struct ValueLists {
    QStringList parseOptions;  // 9 slots: "All Parsing" .. "Ku-Band", then 4 empty
    QStringList fecList;       // 11 slots: "Auto", "1/2" .. "8/9", then 2 empty
    QStringList defaultSat;    // template satellite: Diseqc, SatName, TPCount, ParseSort, Deg
    QStringList defaultTP;     // template TP: the four TP fields in record order

    static ValueLists standard();
};
