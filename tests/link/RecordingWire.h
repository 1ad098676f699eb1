#pragma once

#include "link/TransferEngine.h"

#include <QByteArrayList>
#include <QFile>
#include <QString>

// Records what an engine sends, one entry per write.
class RecordingWire : public TransferWire {
public:
    Status write(const QByteArray &bytes) override
    {
        if (failWrites)
            return Status::failure(QStringLiteral("Write refused"));
        writes << bytes;
        return Status::success();
    }
    void clearTransmit() override { ++clears; }

    QByteArray takeAll()
    {
        const QByteArray all = writes.join();
        writes.clear();
        return all;
    }

    QByteArrayList writes;
    int clears = 0;
    bool failWrites = false;
};

inline bool writeTestFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray readTestFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The receiver's packet checksum before it is cut to four digits.
inline qint64 sumOf(const QByteArray &bytes)
{
    qint64 s = 0;
    for (char c : bytes)
        s += quint8(c);
    return s;
}

// Bytes whose values follow a pattern, so misplaced or lost bytes show.
inline QByteArray patternBytes(qsizetype size, int seed = 7)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 31 + seed + i / 251) & 0xFF);
    return bytes;
}
