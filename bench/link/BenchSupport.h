#pragma once

#include "link/ReceiverLink.h"
#include "link/ui/SerialInit.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

// The receiver simulator linked as Com1 in `dir`, for the length of a bench.
class BenchSim {
public:
    BenchSim(const QString &dir, const QStringList &arguments)
    {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(QStringLiteral(TARVIK_TOOLS_DIR "/receiver-sim"),
                        QStringList{QStringLiteral("--link"), dir + QStringLiteral("/Com1")} + arguments);
        QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() && !QFileInfo::exists(dir + QStringLiteral("/Com1")))
            m_process.waitForReadyRead(50);
    }
    ~BenchSim()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
    }

private:
    QProcess m_process;
};

inline bool writeBenchFile(const QString &path, qsizetype size)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 131 + i / 977) & 0xFF);
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == size;
}

// Runs one upload; returns the ms from the start until the board said "SUCCESS",
// or a negative number when it did not.
inline double timedUpload(ReceiverLink &link, const QString &file, const QString &kind)
{
    QElapsedTimer clock;
    double successMs = -1;
    QObject::connect(&link, &ReceiverLink::messageAppended, &link, [&](const QString &text) {
        if (text == QLatin1String("SUCCESS\r\n"))
            successMs = double(clock.nsecsElapsed()) / 1e6;
    });
    clock.start();
    SerialInit(link, nullptr, TransferRequest::upload(file, kind));
    return successMs;
}

inline void useOffscreenUnlessSet()
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}
