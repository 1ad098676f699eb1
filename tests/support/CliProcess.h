#pragma once

// tarvik-cli run as a user runs it, for the tests of its file commands.
#include <QProcess>
#include <QStringList>

struct CliRun {
    int exitCode = -1;  // -1: it crashed or did not end within a minute
    QString out;
    QString err;
};

inline CliRun runCli(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(TARVIK_STAGE_DIR "/tarvik-cli"), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}
