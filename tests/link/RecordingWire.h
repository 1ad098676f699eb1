#pragma once

#include "link/TransferEngine.h"
#include "support/TestFiles.h"

#include <QByteArrayList>
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

// The receiver's packet checksum before it is cut to four digits.
inline qint64 sumOf(const QByteArray &bytes)
{
    qint64 s = 0;
    for (char c : bytes)
        s += quint8(c);
    return s;
}
