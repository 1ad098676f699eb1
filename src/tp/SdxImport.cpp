#include "tp/SdxImport.h"

#include "common/LeadingNumber.h"

#include <QDir>
#include <QFile>

namespace {

// Columns from 1, both ends included; what the line does not have is empty.
QByteArrayView columns(QByteArrayView line, qsizetype from, qsizetype to)
{
    if (from < 1 || from > line.size())
        return {};
    return line.sliced(from - 1, std::min(to, line.size()) - from + 1);
}

char column(QByteArrayView line, qsizetype at)
{
    return at >= 1 && at <= line.size() ? line[at - 1] : '\0';
}

bool isTransponderLine(QByteArrayView line)
{
    const QByteArrayView system = columns(line, 30, 33);
    const char type = column(line, 29);
    return (type == 'T' || type == '_') && (system == "MPG2" || system == "NTSC" || system == "____");
}

struct Transponder {
    TPRecord record;
    char polarCode = '\0';  // column 43
    char band = '\0';       // column 35: "0" below 10000 MHz
};

Transponder transponderOf(QByteArrayView line)
{
    Transponder tp;
    tp.band = column(line, 35);
    tp.polarCode = column(line, 43);
    const auto text = [](QByteArrayView bytes) { return QString::fromLatin1(bytes); };
    tp.record.Freq = text(tp.band == '0' ? columns(line, 36, 39) : columns(line, 35, 39));
    tp.record.Polar = (tp.polarCode == '1' || tp.polarCode == '3') ? QStringLiteral("0") : QStringLiteral("1");
    const qsizetype u = columns(line, 56, 63).count('_');
    tp.record.SR = text(column(line, 70 - u) == '0' ? columns(line, 71 - u, 74 - u) : columns(line, 70 - u, 74 - u));
    const QByteArrayView fec = columns(line, 75 - u, 75 - u);
    tp.record.FEC = fec == "_" ? QStringLiteral("3") : text(fec);
    return tp;
}

bool kept(const Transponder &tp, const QString &option)
{
    const bool horizontal = tp.polarCode == '1' || tp.polarCode == '3';
    if (option == QLatin1String("Vertical"))
        return !horizontal;
    if (option == QLatin1String("Horizontal"))
        return horizontal;
    if (option == QLatin1String("C-Band"))
        return tp.band == '0';
    if (option == QLatin1String("Ku-Band"))
        return tp.band != '0';
    return true;
}

bool sameTransponder(const TPRecord &a, const TPRecord &b)
{
    return a.Freq == b.Freq && a.Polar == b.Polar && a.SR == b.SR;
}

}  // namespace

QString SdxFileName(const QString &deg)
{
    bool ok = false;
    const qlonglong value = deg.trimmed().toLongLong(&ok);
    if (ok && value >= 0)
        return QStringLiteral("%1.sdx").arg(value, 4, 10, QLatin1Char('0'));
    if (deg.isEmpty() || deg.contains(u'/') || deg.contains(u'\\') || deg.startsWith(u'.'))
        return {};
    return deg + QStringLiteral(".sdx");
}

int ReadSdxTransponders(const QByteArray &text, const QString &option, TPTable &tps, int region, int sat)
{
    int n = 0;
    Transponder current;
    TPRecord previous;
    qsizetype start = 0;
    while (start < text.size() && n < MaxTP) {
        qsizetype end = text.indexOf('\n', start);
        if (end < 0)
            end = text.size();
        QByteArrayView line(text.constData() + start, end - start);
        start = end + 1;
        if (line.endsWith('\r'))
            line.chop(1);
        if (isTransponderLine(line))
            current = transponderOf(line);
        if (sameTransponder(current.record, previous))
            continue;
        if (LeadingNumber(current.record.Freq) != 0 && LeadingNumber(current.record.SR) != 0) {
            tps(region, sat, n) = current.record;
            if (kept(current, option))
                ++n;
        }
        previous = current.record;
    }
    return n;
}

bool ImportSatellite(const ProgramDir &dir, TPTables &tables, int region, int sat, const QString &option,
                     const TPRecord &defaultTP)
{
    SatRecord &satellite = tables.SatData(region, sat);
    const QString name = SdxFileName(satellite.Deg);
    QFile file(name.isEmpty() ? QString() : dir.filePath(QStringLiteral("Temp")) + QDir::separator() + name);
    if (name.isEmpty() || !file.exists() || !file.open(QIODevice::ReadOnly)) {
        tables.TPData(region, sat, 0) = defaultTP;
        satellite.TPCount = QStringLiteral("1");
        return false;
    }
    const int n = ReadSdxTransponders(file.readAll(), option, tables.TPData, region, sat);
    satellite.TPCount = QString::number(n);
    if (n == 0) {
        satellite.TPCount = QStringLiteral("1");
        tables.TPData(region, sat, 0) = {QStringLiteral("0000"), QStringLiteral("0"), QStringLiteral("0000"),
                                         QStringLiteral("3")};
    }
    return true;
}
