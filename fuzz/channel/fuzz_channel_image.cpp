// The channel image parser. Inputs of the image's size are parsed as they are;
// shorter ones are laid over a valid image at an offset taken from their first
// three bytes, so the fuzzer reaches past the size check. Whatever the parser
// accepts must build back to the same bytes.
#include "ChannelImage.h"

namespace {

QByteArray templateImage()
{
    ChannelTables tables;
    for (int i = 0; i < 8; ++i) {
        RomChannel record;
        record.NameBytes = QByteArray("Kanal ") + char('0' + i);
        record.NameLast = qint16(record.NameBytes.size() - 1);
        record.MyIndex = qint16(i);
        for (QString &field : record.Fields)
            field = QString::number(i * 100);
        tables.Rom.append(record);
        ChannelEntry entry;
        entry.ChannelIndex = qint16(i);
        entry.Attribute = qint16(i % 2 ? 16 : 0);
        tables.Channels[i < 5 ? ChannelTV : ChannelRadio].append(entry);
    }
    tables.Favorites[ChannelTV][0].Count = 2;
    tables.Favorites[ChannelTV][0].CHIndex[0] = 4;
    tables.Favorites[ChannelTV][0].CHIndex[1] = 1;
    tables.Favorites[ChannelRadio][5].Count = 1;
    tables.Favorites[ChannelRadio][5].CHIndex[0] = 2;
    return ChannelImage::build(tables).value();
}

void check(const QByteArray &image)
{
    const Result<ChannelTables> tables = ChannelImage::parse(image);
    if (!tables)
        return;
    const Result<QByteArray> built = ChannelImage::build(tables.value());
    if (!built || built.value() != image)
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const QByteArray base = templateImage();
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    if (bytes.size() == ChannelImage::Size || bytes.size() < 3) {
        check(bytes);
        return 0;
    }
    const qsizetype offset = ((uchar(bytes[0]) << 16) | (uchar(bytes[1]) << 8) | uchar(bytes[2])) % ChannelImage::Size;
    QByteArray image = base;
    const QByteArray patch = bytes.mid(3, ChannelImage::Size - offset);
    image.replace(offset, patch.size(), patch);
    check(image);
    return 0;
}
