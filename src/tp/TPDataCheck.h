#pragma once

#include "tp/TPTables.h"

#include <QString>

#include <optional>

// The first fault that keeps the working tables from being saved, and what
// the editor shows for it.
struct CheckFault {
    int region = -1;  // the region to show; -1 shows none
    int satRow = -1;  // from 0; -1 selects nothing
    int tpRow = -1;   // from 0; -1 when the fault is the satellite's
    QString text;
    QString title;  // empty: the application's title
};

bool AnyEmpty(const QString &a, const QString &b, const QString &c, const QString &d);
std::optional<CheckFault> TPDataCheck(const TPTables &t);
bool TPDataUnchanged(const TPTables &t);
