#pragma once

// What the tests of tarvik-cli share: one run of a program, and the files it works on.
#include "support/TestFiles.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <csignal>
#include <functional>
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

// Runs tarvik-cli until `ready` says so of its output so far, then sends SIGINT
// and waits for it to end. The exit code is -1 when it did not end by itself.
inline CliRun interruptCli(const QStringList &args, const QString &workingDirectory,
                           const std::function<bool(const QByteArray &out)> &ready)
{
    QProcess cli;
    cli.setWorkingDirectory(workingDirectory);
    cli.start(kCli, args);
    CliRun r;
    if (!cli.waitForStarted())
        return r;
    QByteArray out;
    QDeadlineTimer deadline(60000);
    while (!deadline.hasExpired() && !ready(out)) {
        cli.waitForReadyRead(50);
        out += cli.readAllStandardOutput();
    }
    ::kill(pid_t(cli.processId()), SIGINT);
    if (deadline.hasExpired() || !cli.waitForFinished(30000) || cli.exitStatus() != QProcess::NormalExit) {
        cli.kill();
        cli.waitForFinished();
        return r;
    }
    r.exitCode = cli.exitCode();
    r.out = QString::fromLocal8Bit(out + cli.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(cli.readAllStandardError());
    return r;
}

// Starts the receiver simulator on pseudo-terminals linked as `links`; true once all are there.
inline bool startSim(std::unique_ptr<QProcess> &sim, const QStringList &links, const QStringList &args)
{
    QStringList all = args;
    for (const QString &link : links)
        all << QStringLiteral("--link") << link;
    sim = std::make_unique<QProcess>();
    sim->start(kSim, all);
    if (!sim->waitForStarted(5000))
        return false;
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired() && !QFileInfo(links.last()).isSymLink())
        sim->waitForReadyRead(50);
    return QFileInfo(links.last()).isSymLink();
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
