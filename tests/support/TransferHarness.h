#pragma once

#include "link/ReceiverLink.h"
#include "link/ui/SerialInit.h"

#include <QProcess>
#include <QRect>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>

// The receiver simulator on the far side of a pseudo-terminal, linked as Com1
// in a program directory of its own.
class SimProcess {
public:
    SimProcess(const QString &programDir, const QStringList &arguments);
    ~SimProcess();
    bool started() const { return m_started; }
    QString log();

private:
    QProcess m_process;
    bool m_started = false;
};

// What the transfer window showed last, and the boxes that came up.
struct TransferRecord {
    QString percent;  // lblPer
    QString status;   // lblStatus
    QString button;   // cmdCancel
    int progressValue = 0;
    int progressMax = 0;
    QString label1;
    QStringList rates;  // each speed line lblRate showed, in order
    QString rate;       // lblRate as last seen
    QRect geometry;     // the window's frame
    QStringList boxes;  // "title|text" of each message box, dismissed
    bool monitorOpenDuring = false;
    bool timedOut = false;
    TransferOutcome outcome;
};

// Runs SerialInit offscreen. `pressWhen` is asked every few milliseconds while
// the window is open; when it says so, cmdCancel is clicked. After `limitMs`
// the button is clicked anyway and the record says so.
TransferRecord runTransfer(ReceiverLink &link, const TransferRequest &request, const TransferTimings &timings,
                           const std::function<bool(const TransferRecord &)> &pressWhen, int limitMs = 20000,
                           QWidget *over = nullptr);

// Short watchdog intervals for tests that wait on it.
inline TransferTimings quickWatchdog()
{
    return TransferTimings{100, 300, 500};
}
