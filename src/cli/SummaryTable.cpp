#include "cli/SummaryTable.h"

#include <QStringList>

#include <algorithm>
#include <array>

QString summaryTable(const QList<TransferRecord> &records, bool units)
{
    using Row = std::array<QString, 6>;
    QList<Row> rows{{QStringLiteral("port"), QStringLiteral("result"), QStringLiteral("fault"), QStringLiteral("bytes"),
                     QStringLiteral("seconds"), QStringLiteral("bytes/s")}};
    for (const TransferRecord &r : records) {
        const double seconds = r.seconds();
        const QString rate =
            seconds > 0 && r.bytes > 0 ? QString::number(qint64(double(r.bytes) / seconds)) : QStringLiteral("-");
        rows.append({units ? QStringLiteral("%1 #%2").arg(r.port).arg(r.unit) : r.port,
                     r.ok ? QStringLiteral("ok") : QStringLiteral("failed"),
                     r.ok ? QStringLiteral("-") : faultWord(r.fault), QString::number(r.bytes),
                     QString::number(seconds, 'f', 1), rate});
    }
    std::array<qsizetype, 6> width{};
    for (const Row &row : rows)
        for (size_t c = 0; c < row.size(); ++c)
            width[c] = std::max(width[c], row[c].size());
    QString text;
    for (const Row &row : rows) {
        QString line;
        for (size_t c = 0; c < row.size(); ++c) {
            // Text columns to the left, numbers to the right.
            const bool number = c >= 3;
            line += number ? row[c].rightJustified(width[c]) : row[c].leftJustified(width[c]);
            if (c + 1 < row.size())
                line += QStringLiteral("  ");
        }
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        text += line + QLatin1Char('\n');
    }
    return text;
}
