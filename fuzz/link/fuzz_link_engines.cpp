// The upload and channel download engines on any sequence of receiver
// messages and timer ticks: no crash, and nothing is sent once a transfer ended.
#include "link/DownloadEngine.h"
#include "link/UploadEngine.h"

#include <QTemporaryDir>

#include <memory>

namespace {

class CountingWire : public TransferWire {
public:
    Status write(const QByteArray &bytes) override
    {
        ++writes;
        size += bytes.size();
        return Status::success();
    }
    void clearTransmit() override {}
    int writes = 0;
    qint64 size = 0;
};

const QTemporaryDir &workDir()
{
    static QTemporaryDir dir;
    static bool written = false;
    if (!written) {
        QFile f(dir.filePath(QStringLiteral("mpeg.bin")));
        if (f.open(QIODevice::WriteOnly))
            f.write(QByteArray(49152, '\x5A'));
        written = true;
    }
    return dir;
}

const char *const kKinds[] = {"MPEG", "Default_OSD", "SMOS", "STB_Loader"};

}  // namespace

// Layout: one byte choosing the engine and kind, then records of a length
// byte and that many message bytes. Lengths 0 to 2 are a watchdog tick, a
// receive notification and a lost port.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const QTemporaryDir &dir = workDir();
    CountingWire wire;
    std::unique_ptr<TransferEngine> engine;
    UploadEngine *upload = nullptr;
    if (data[0] & 0x80) {
        engine = std::make_unique<DownloadEngine>(wire, dir.filePath(QStringLiteral("ROM_GetCH.bin")));
    } else {
        auto u = std::make_unique<UploadEngine>(wire, dir.filePath(QStringLiteral("mpeg.bin")),
                                                QString::fromLatin1(kKinds[data[0] % 4]));
        upload = u.get();
        engine = std::move(u);
    }
    engine->portOpened(true);

    size_t at = 1;
    while (at < size) {
        const size_t length = data[at++];
        const int writesBefore = wire.writes;
        const bool endedBefore = engine->hasEnded();
        const bool lastBefore = upload && upload->lastPacketSent();
        if (length == 0) {
            engine->watchdogTick();
        } else if (length == 1) {
            engine->notified();
        } else if (length == 2) {
            engine->portLost();
        } else {
            const size_t n = std::min(length, size - at);
            engine->handleMessage(QByteArray(reinterpret_cast<const char *>(data + at), qsizetype(n)));
            at += n;
        }
        if (endedBefore && wire.writes != writesBefore)
            __builtin_trap();
        // The last packet is the one that passed the expected size.
        if (upload && !lastBefore && upload->lastPacketSent() && upload->sentCount() <= upload->expectedSize())
            __builtin_trap();
    }
    QFile::remove(dir.filePath(QStringLiteral("ROM_GetCH.bin")));
    return 0;
}
