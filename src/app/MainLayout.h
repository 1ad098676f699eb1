#pragma once

#include "common/Twips.h"

#include <QRect>

// The parts of the main window's geometry that follow the configuration, in
// twips (1440 a logical inch). The extended layout has a second row of upload
// buttons; without monitor mode the message board is hidden and the window
// ends below the SERIAL group.
struct MainLayout {
    static constexpr int kClientWidth = 10440;
    static constexpr int kOffWindowLeft = 20000;
    // A form's height counts its caption and borders; the client area is this much less.
    static constexpr int kNonClientHeight = 450;

    QRect uploadGroup;    // Frame1
    QRect editGroup;      // Frame4
    QRect serialGroup;    // Frame5
    QRect messageBoard;   // Text1
    QRect button2MB;      // cmdPCSTB 6
    QRect buttonSmcOsd;   // cmdPCSTB 9
    QRect osdButtons[5];  // cmdOSD 0..4
    bool boardVisible = false;
    int windowHeight = 0;

    int clientHeight() const { return windowHeight - kNonClientHeight; }

    static MainLayout compute(bool extended, bool monitor);

    // Fixed places inside the upload group (relative to it).
    static QRect uploadButton(int index);  // cmdPCSTB 0..5
};
