// Region file reader. The first byte says how many of the next bytes (up to
// 48) give the satellites' TP counts; the rest is the file. Whatever it reads must write and read back,
// unless a quoted value brought in a comma or a line end the writer refuses.
#include "tp/RegionFile.h"
#include "tp/TPFieldText.h"

#include <QBuffer>

#include <algorithm>
#include <cstdlib>
#include <memory>

namespace {

QString countText(uint8_t code)
{
    switch (code) {
    case 0xFF: return QStringLiteral("x");
    case 0xFE: return QString();
    case 0xFD: return QStringLiteral("200");
    case 0xFC: return QStringLiteral("110");
    default: return QString::number(code % 6);
    }
}

Status readBytes(const QByteArray &bytes, const SatTable &sats, TPTable &tps)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readRegionFile(buffer, QStringLiteral("Parse_AT.dll"), 2, sats, tps);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size == 0)
        return 0;
    const size_t counts = std::min<size_t>({size_t(data[0]), size_t(MaxSat), size - 1});
    SatTable sats;
    for (int s = 0; s < MaxSat; ++s)
        sats(2, s).TPCount = size_t(s) < counts ? countText(data[1 + s]) : QStringLiteral("0");
    const QByteArray file(reinterpret_cast<const char *>(data + 1 + counts), qsizetype(size - 1 - counts));

    // Reused between runs: slots beyond the counts are never looked at.
    static const auto tps = std::make_unique<TPTable>();
    static const auto back = std::make_unique<TPTable>();
    if (!readBytes(file, sats, *tps))
        return 0;
    const Result<QByteArray> text = regionText(2, sats, *tps);
    if (!text)
        return 0;
    if (!readBytes(text.value(), sats, *back))
        std::abort();
    for (int s = 0; s < MaxSat; ++s) {
        const int count = decimalValue(sats(2, s).TPCount).value_or(0);
        for (int t = 0; t < count; ++t) {
            if (!((*back)(2, s, t) == (*tps)(2, s, t)))
                std::abort();
        }
    }
    return 0;
}
