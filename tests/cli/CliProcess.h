#pragma once

// What the tests of tarvik-cli share: one run of a program, and the files it works on.
#include "support/TestFiles.h"

#include <QProcess>
#include <QString>
#include <QStringList>

#include <memory>

inline const QString kCli = QStringLiteral(TARVIK_STAGE_DIR "/tarvik-cli");
inline const QString kSim = QStringLiteral(TARVIK_TOOLS_DIR "/receiver-sim");
inline const QString kQuickWatchdog = QStringLiteral("100,300");

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

inline CliRun runProgram(const QString &program, const QStringList &args, const QString &workingDirectory)
{
    QProcess cli;
    cli.setWorkingDirectory(workingDirectory);
    cli.start(program, args);
    CliRun r;
    if (!cli.waitForFinished(60000)) {
        cli.kill();
        cli.waitForFinished();
        return r;
    }
    r.exitCode = cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    r.out = QString::fromLocal8Bit(cli.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(cli.readAllStandardError());
    return r;
}

// tarvik-cli run as a user runs it, in the current folder.
inline CliRun runCli(const QStringList &args)
{
    return runProgram(kCli, args, QString());
}

// Ends a simulator a test started, if it still runs.
inline void stopProcess(std::unique_ptr<QProcess> &process)
{
    if (process && process->state() != QProcess::NotRunning) {
        process->terminate();
        if (!process->waitForFinished(3000))
            process->kill();
        process->waitForFinished(1000);
    }
    process.reset();
}
