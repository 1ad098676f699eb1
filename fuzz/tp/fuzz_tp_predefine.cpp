// "PreDefine.dll" reader: the input as it is, and its lines repeated to the
// 192 lines the reader takes. Whatever it reads must write and read back.
#include "tp/PreDefineFile.h"

#include <QBuffer>

#include <cstdlib>

namespace {

Status readBytes(const QByteArray &bytes, SatTable &table)
{
    QByteArray copy = bytes;
    QBuffer buffer(&copy);
    buffer.open(QIODevice::ReadOnly);
    return readPreDefine(buffer, QStringLiteral("PreDefine.dll"), table);
}

void checkRoundTrip(const SatTable &table)
{
    const Result<QByteArray> text = preDefineText(table);
    if (!text)
        std::abort();  // every field read from the file can be written back
    SatTable back;
    if (!readBytes(text.value(), back))
        std::abort();
    for (int r = 0; r < RegionCount; ++r) {
        for (int s = 0; s < MaxSat; ++s) {
            SatRecord expected = table(r, s);
            if (expected.TPCount.isEmpty())
                expected.TPCount = QStringLiteral("0");
            if (!(back(r, s) == expected))
                std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), qsizetype(size));
    SatTable table;
    if (readBytes(input, table))
        checkRoundTrip(table);

    const QList<QByteArray> lines = input.split('\n');
    QByteArray repeated;
    for (int i = 0; i < RegionCount * MaxSat; ++i)
        repeated += lines[i % lines.size()] + '\n';
    if (readBytes(repeated, table))
        checkRoundTrip(table);
    return 0;
}
