// TV.dll / Radio.dll reader on any bytes; what it reads is written and read back the same.
#include "channel/ChannelFiles.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const Result<QList<ChannelEntry>> list = readChannelListFile(buffer, QStringLiteral("TV.dll"), 1000);
    if (!list)
        return 0;
    QByteArray text = channelListText(list.value());
    QBuffer again(&text);
    again.open(QIODevice::ReadOnly);
    const Result<QList<ChannelEntry>> reread = readChannelListFile(again, QStringLiteral("TV.dll"), 1000);
    if (!reread || reread.value() != list.value())
        __builtin_trap();
    return 0;
}
