// ROM_GetCH.dll reader on any bytes; what it reads writes and reads back the same.
#include "channel/ChannelFiles.h"

#include <QBuffer>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    const Result<QList<RomChannel>> rom = readRomFile(buffer, QStringLiteral("ROM_GetCH.dll"));
    if (!rom)
        return 0;
    for (qsizetype i = 0; i < rom.value().size(); ++i) {
        const RomChannel &record = rom.value()[i];
        if (record.MyIndex != i || record.NameLast != record.NameBytes.size() - 1)
            __builtin_trap();
    }
    (void)romFileText(rom.value(), NameForm::Hex);
    // No field can hold CR or "|", so the raw form reads back as the same records.
    QByteArray raw = romFileText(rom.value(), NameForm::Raw);
    QBuffer again(&raw);
    again.open(QIODevice::ReadOnly);
    const Result<QList<RomChannel>> reread = readRomFile(again, QStringLiteral("ROM_GetCH.dll"));
    if (!reread || reread.value() != rom.value())
        __builtin_trap();
    return 0;
}
