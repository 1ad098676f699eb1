#include "download/CodeList.h"

QStringList CodeLines(const QByteArray &text)
{
    QStringList lines;
    qsizetype start = 0;
    while (start < text.size()) {
        qsizetype end = text.indexOf('\n', start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        QByteArrayView line(text.constData() + start, end - start);
        if (line.endsWith('\r'))
            line.chop(1);
        lines.append(QString::fromLatin1(line));
        start = next;
    }
    return lines;
}

QStringList CodesInRegions(const QStringList &lines, const std::array<bool, 4> &ticked)
{
    static constexpr DownloadRegion order[] = {DownloadRegion::Europe, DownloadRegion::Asia, DownloadRegion::Atlantic,
                                               DownloadRegion::America};
    QStringList listed;
    for (const QString &line : lines) {
        const double value = CodeValue(line);
        if (value == 0)
            continue;
        for (const DownloadRegion region : order) {
            if (ticked[std::size_t(region)] && RegionHolds(region, value))
                listed.append(line);
        }
    }
    return listed;
}
