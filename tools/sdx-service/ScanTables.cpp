#include "ScanTables.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>

bool ScanTransponder::operator<(const ScanTransponder &other) const
{
    return std::tie(frequencyMHz, polarisation, symbolRateK) <
           std::tie(other.frequencyMHz, other.polarisation, other.symbolRateK);
}

QString PositionCode(const QString &fileName)
{
    static const QRegularExpression position(QStringLiteral("[-_]([0-9]+(?:\\.[0-9]+)?)([EW])$"));
    const QRegularExpressionMatch match = position.match(fileName);
    if (!match.hasMatch())
        return {};
    const long tenths = std::lround(match.captured(1).toDouble() * 10);
    const long code = match.captured(2) == u'E' ? tenths : 3600 - tenths;
    if (code <= 0 || code > 3600)
        return {};
    return QStringLiteral("%1").arg(code, 4, 10, QLatin1Char('0'));
}

QList<ScanTransponder> ReadScanTable(const QByteArray &text)
{
    QList<ScanTransponder> found;
    ScanTransponder tp;
    bool inChannel = false;
    const auto close = [&] {
        if (inChannel && tp.frequencyMHz > 0 && tp.symbolRateK > 0)
            found.append(tp);
        inChannel = false;
    };
    for (QByteArray line : text.split('\n')) {
        line = line.trimmed();
        // Sections are named "[CHANNEL]", "[channel 11362000]" or after a provider.
        if (line.startsWith('[') && line.endsWith(']')) {
            close();
            tp = ScanTransponder{};
            inChannel = true;
            continue;
        }
        const qsizetype eq = line.indexOf('=');
        if (!inChannel || eq < 0)
            continue;
        const QByteArray key = line.left(eq).trimmed();
        const QByteArray value = line.mid(eq + 1).trimmed();
        if (key == "DELIVERY_SYSTEM")
            tp.dvbS2 = value == "DVBS2";
        else if (key == "FREQUENCY")
            tp.frequencyMHz = int(std::lround(value.toDouble() / 1000));
        else if (key == "SYMBOL_RATE")
            tp.symbolRateK = int(std::lround(value.toDouble() / 1000));
        else if (key == "POLARIZATION" && !value.isEmpty())
            tp.polarisation = value.at(0);
        else if (key == "INNER_FEC")
            tp.fec = QString::fromLatin1(value);
    }
    close();
    return found;
}

namespace {

// The FEC as an index into the editor's list "Auto", "1/2" .. "8/9".
char fecCode(const QString &fec)
{
    static const QStringList list = {QStringLiteral("AUTO"), QStringLiteral("1/2"), QStringLiteral("2/3"),
                                     QStringLiteral("3/4"),  QStringLiteral("4/5"), QStringLiteral("5/6"),
                                     QStringLiteral("6/7"),  QStringLiteral("7/8"), QStringLiteral("8/9")};
    const qsizetype index = list.indexOf(fec.toUpper());
    return char('0' + (index < 0 ? 0 : index));
}

char polarCode(char polarisation)
{
    switch (polarisation) {
    case 'H': return '1';
    case 'V': return '2';
    case 'L': return '3';
    default: return '4';
    }
}

}  // namespace

QByteArray SdxText(const QString &code, const QString &title, const QList<ScanTransponder> &transponders)
{
    // The title line stays short of column 29, so it is never taken for a transponder.
    QByteArray text = "SDX " + code.toLatin1().left(4) + ' ' + title.toLatin1().left(18) + "\r\n";
    int number = 0;
    for (const ScanTransponder &tp : transponders) {
        // Columns 1-28 name the position, 29-33 type and system, 35-39 frequency,
        // 43 polarisation, 56-63 a running number, 70-74 symbol rate, 75 FEC.
        QByteArray line(75, ' ');
        const auto put = [&line](int column, const QByteArray &field) {
            std::copy(field.begin(), field.end(), line.begin() + column - 1);
        };
        put(1, code.toLatin1().left(4));
        put(6, title.toLatin1().left(22));
        put(29, tp.dvbS2 ? "T____" : "TMPG2");
        put(35, QByteArray::number(std::min(tp.frequencyMHz, 99999)).rightJustified(5, '0'));
        put(43, QByteArray(1, polarCode(tp.polarisation)));
        put(56, QByteArray::number(++number).rightJustified(8, '0'));
        put(70, QByteArray::number(std::min(tp.symbolRateK, 99999)).rightJustified(5, '0'));
        put(75, QByteArray(1, fecCode(tp.fec)));
        text += line + "\r\n";
    }
    return text;
}

QMap<QString, QByteArray> SdxCatalog(const QString &folder)
{
    std::map<QString, std::pair<QStringList, QList<ScanTransponder>>> positions;
    const QDir dir(folder);
    const QStringList names = dir.entryList(QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const QString code = PositionCode(name);
        if (code.isEmpty())
            continue;
        QFile file(dir.filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            continue;
        auto &[titles, transponders] = positions[code];
        titles.append(name);
        transponders.append(ReadScanTable(file.readAll()));
    }
    QMap<QString, QByteArray> catalog;
    for (auto &[code, entry] : positions) {
        auto &[titles, transponders] = entry;
        std::sort(transponders.begin(), transponders.end());
        const auto same = [](const ScanTransponder &a, const ScanTransponder &b) { return !(a < b) && !(b < a); };
        transponders.erase(std::unique(transponders.begin(), transponders.end(), same), transponders.end());
        catalog.insert(code, SdxText(code, titles.join(u' '), transponders));
    }
    return catalog;
}
