#include "tp/PreDefineFile.h"

#include "tp/TPFieldText.h"

#include <QFile>
#include <QStringList>

#include <algorithm>
#include <limits>

qint16 LineCount(const QByteArray &text)
{
    qint64 ends = 0;
    const qsizetype size = text.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = text[i];
        if (c == '\r') {
            ++ends;
            if (i + 1 < size && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            ++ends;
        }
    }
    // A wrapped count could make a huge file look like one of the right length.
    return qint16(std::min<qint64>(ends + 1, std::numeric_limits<qint16>::max()));
}

qint16 LineCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return 0;
    return LineCount(file.readAll());
}

namespace {

// The line starting at `pos`, without its end; `pos` moves past the end.
QByteArray nextLine(const QByteArray &text, qsizetype &pos)
{
    const qsizetype start = pos;
    while (pos < text.size() && text[pos] != '\r' && text[pos] != '\n')
        ++pos;
    const QByteArray line = text.sliced(start, pos - start);
    if (pos < text.size()) {
        const bool cr = text[pos] == '\r';
        ++pos;
        if (cr && pos < text.size() && text[pos] == '\n')
            ++pos;
    }
    return line;
}

}  // namespace

Status readPreDefine(QIODevice &in, const QString &fileName, SatTable &stored)
{
    stored = SatTable();
    const QByteArray bytes = in.readAll();
    const int lines = LineCount(bytes) - 1;
    constexpr int kExpected = RegionCount * MaxSat;
    if (lines != kExpected)
        return Status::failure(
            QStringLiteral("Cannot read %1: it holds %2 lines instead of %3.").arg(fileName).arg(lines).arg(kExpected));

    SatTable table;
    qsizetype pos = 0;
    int lineNumber = 0;
    for (int r = 0; r < RegionCount; ++r) {
        for (int s = 0; s < MaxSat; ++s) {
            ++lineNumber;
            const QStringList parts = QString::fromLatin1(nextLine(bytes, pos)).split(QLatin1Char('|'));
            if (parts.size() < 5)
                return Status::failure(
                    QStringLiteral("Cannot read %1: line %2 has %3 \"|\"-separated fields instead of 5.")
                        .arg(fileName)
                        .arg(lineNumber)
                        .arg(parts.size()));
            SatRecord &rec = table(r, s);
            rec.Diseqc = parts[0];
            rec.SatName = parts[1];
            rec.TPCount = parts[2];
            rec.ParseSort = parts[3];
            rec.Deg = parts[4];
            if (!rec.ParseSort.isEmpty()) {
                const std::optional<int> option = decimalValue(rec.ParseSort);
                if (!option)
                    return Status::failure(QStringLiteral("Cannot read %1: line %2 has the parse option \"%3\", "
                                                          "which is not a number.")
                                               .arg(fileName)
                                               .arg(lineNumber)
                                               .arg(rec.ParseSort));
                if (*option > 8)
                    rec.ParseSort = QStringLiteral("0");
            }
        }
    }
    stored = std::move(table);
    return Status::success();
}

Result<QByteArray> preDefineText(const SatTable &stored)
{
    static const char *const kFieldNames[] = {"Diseqc", "SatName", "TPCount", "ParseSort", "Deg"};
    QByteArray text;
    text.reserve(RegionCount * MaxSat * 48);
    for (int r = 0; r < RegionCount; ++r) {
        for (int s = 0; s < MaxSat; ++s) {
            const SatRecord &rec = stored(r, s);
            const QString *fields[] = {&rec.Diseqc, &rec.SatName, &rec.TPCount, &rec.ParseSort, &rec.Deg};
            for (int f = 0; f < 5; ++f) {
                const QString reason = unstorableReason(*fields[f], FieldKind::Satellite);
                if (!reason.isEmpty())
                    return Result<QByteArray>::failure(
                        QStringLiteral("Cannot write %1: the %2 of satellite %3 in region %4 holds %5.")
                            .arg(PreDefineWriteName, QLatin1String(kFieldNames[f]))
                            .arg(s + 1)
                            .arg(RegionCode(r), reason));
                if (f > 0)
                    text += '|';
                // A satellite that never had a TP has an empty count; "0" keeps the file readable.
                if (f == 2 && fields[f]->isEmpty())
                    text += '0';
                else
                    appendLatin1(text, *fields[f]);
            }
            text += "\r\n";
        }
    }
    return text;
}
