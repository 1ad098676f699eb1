#include "common/RunAndWait.h"

#include "common/UserInputBlock.h"

#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>

namespace {
constexpr qsizetype kMaxStandardError = 64 * 1024;
}

QString RunOutcome::describe(const QString &programName) const
{
    if (succeeded())
        return {};
    if (!started)
        return QStringLiteral("%1 could not be started: %2").arg(programName, startError);
    if (!finished)
        return QStringLiteral("%1 did not finish.").arg(programName);
    QString text = crashed ? QStringLiteral("%1 crashed.").arg(programName)
                           : QStringLiteral("%1 failed with exit code %2.").arg(programName).arg(exitCode);
    const QString details = QString::fromLocal8Bit(standardError).trimmed();
    if (!details.isEmpty())
        text += QLatin1Char('\n') + details;
    return text;
}

RunOutcome RunAndWait(const QString &program, const QStringList &arguments)
{
    RunOutcome outcome;
    QProcess process;
    process.setProgram(program);
    process.setArguments(arguments);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setStandardOutputFile(QProcess::nullDevice());

    QEventLoop loop;
    bool failedToStart = false;
    QObject::connect(&process, &QProcess::readyReadStandardError, &loop, [&process, &outcome] {
        const QByteArray chunk = process.readAllStandardError();
        const qsizetype room = kMaxStandardError - outcome.standardError.size();
        if (room > 0)
            outcome.standardError += chunk.left(room);
    });
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop, &failedToStart](QProcess::ProcessError e) {
        if (e == QProcess::FailedToStart) {
            failedToStart = true;
            loop.quit();
        }
    });

    process.start();
    if (!failedToStart) {
        // The windows stay live but take no input until the run has ended.
        const UserInputBlock block;
        loop.exec();
    }
    if (failedToStart) {
        outcome.startError = QFileInfo::exists(program)
                                 ? process.errorString()
                                 : QStringLiteral("%1 not found").arg(QDir::toNativeSeparators(program));
        return outcome;
    }
    outcome.started = true;
    // Quitting the program ends every event loop, this one too; the run is then stopped.
    outcome.finished = process.state() == QProcess::NotRunning;
    if (!outcome.finished) {
        process.kill();
        process.waitForFinished(1000);
        return outcome;
    }
    outcome.crashed = process.exitStatus() == QProcess::CrashExit;
    outcome.exitCode = outcome.crashed ? -1 : process.exitCode();
    const QByteArray rest = process.readAllStandardError();
    outcome.standardError += rest.left(qMax<qsizetype>(0, kMaxStandardError - outcome.standardError.size()));
    return outcome;
}
