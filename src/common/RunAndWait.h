#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What became of a program run by RunAndWait.
struct RunOutcome {
    bool started = false;      // false: missing, not executable, ...
    bool finished = false;     // false: the wait was ended (the program quitting) before the run
    bool crashed = false;      // ended by a signal or a crash
    int exitCode = -1;         // valid when started and not crashed
    QString startError;        // the platform's text when it did not start
    QByteArray standardError;  // what it wrote to standard error (capped)

    bool succeeded() const { return started && finished && !crashed && exitCode == 0; }
    // A sentence for a message box; empty when the run succeeded.
    QString describe(const QString &programName) const;
};

// Starts `program` with `arguments` (no shell, no window) and waits for it to end.
// The wait runs a local event loop, so timers and port and socket notifications
// keep working, and it sleeps between events instead of polling. User input is
// dropped meanwhile (UserInputBlock): no window closes or changes under a run.
RunOutcome RunAndWait(const QString &program, const QStringList &arguments);
