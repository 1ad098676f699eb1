#pragma once

#include "RecordingWire.h"
#include "link/UploadEngine.h"

#include <memory>

// One upload engine, driven by hand, with everything it reports captured.
struct Upload {
    RecordingWire wire;
    QString board;
    QList<TransferEnd> ends;
    QStringList fileErrors;
    QStringList sizeErrors;
    int finalAwaited = 0;
    QByteArrayList numbers;
    QByteArrayList packets;
    std::unique_ptr<UploadEngine> engine;

    Upload(const QString &file, const QString &kind) : engine(std::make_unique<UploadEngine>(wire, file, kind))
    {
        QObject::connect(engine.get(), &TransferEngine::boardLine, [this](const QString &t) { board += t; });
        QObject::connect(engine.get(), &TransferEngine::ended, [this](TransferEnd e) { ends << e; });
        QObject::connect(engine.get(), &TransferEngine::fileError, [this](const QString &t) { fileErrors << t; });
        QObject::connect(engine.get(), &UploadEngine::sizeError, [this](const QString &t) { sizeErrors << t; });
        QObject::connect(engine.get(), &UploadEngine::finalByteAwaited, [this] { ++finalAwaited; });
        engine->portOpened(true);
    }

    void msg(const QByteArray &m) { engine->handleMessage(m); }

    // Greeting, kind request and length field; returns what was sent.
    QByteArray greet()
    {
        msg("ZAVO");
        msg("STPG");
        msg("REDY");
        return wire.takeAll();
    }

    // Packets sent since the last call, split into numbers and data.
    void collectPackets()
    {
        for (qsizetype i = 0; i + 1 < wire.writes.size(); i += 2) {
            numbers << wire.writes[i];
            packets << wire.writes[i + 1];
        }
        wire.writes.clear();
    }

    // Acknowledges packets the way the receiver does until the last one.
    void runPackets(char ack)
    {
        msg(QByteArray(1, ack));
        for (int guard = 0; guard < 1000 && finalAwaited == 0; ++guard) {
            collectPackets();
            if (packets.isEmpty())
                return;
            msg(QByteArray::number(sumOf(packets.last()) % 10000));
        }
        collectPackets();
    }
};
