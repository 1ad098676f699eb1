#include "tp/SatellitesXml.h"

#include <QXmlStreamReader>
#include <QXmlStreamWriter>

#include <array>

namespace {

constexpr int kMaxSatName = 32;
// The format's FEC codes by the index into "Auto", "1/2", "2/3", "3/4", "4/5",
// "5/6", "6/7", "7/8", "8/9"; 6/7 has no code and goes out as Auto.
constexpr std::array<int, 9> kCodeOfIndex{0, 1, 2, 3, 8, 4, 0, 5, 6};

qint64 number(const QXmlStreamAttributes &attributes, const char *name, bool &ok)
{
    const QStringView text = attributes.value(QLatin1String(name));
    bool good = false;
    const qint64 value = text.trimmed().toLongLong(&good);
    ok = ok && good;
    return value;
}

}  // namespace

QString degOfPosition(int position)
{
    const int east = position < 0 ? 3600 + position : position;
    return QStringLiteral("%1").arg(east, 4, 10, QLatin1Char('0'));
}

int positionOfDeg(const QString &deg)
{
    const int east = deg.toInt();
    return east > 1800 ? east - 3600 : east;
}

QString satNameOf(const QString &name, const QString &deg)
{
    const QString suffix = QStringLiteral(" (%1)").arg(deg);
    const QString trimmed = name.trimmed();
    if (trimmed.contains(suffix.mid(1)))
        return trimmed.left(kMaxSatName);
    return trimmed.left(kMaxSatName - suffix.size()) + suffix;
}

int fecIndexOfCode(int code)
{
    for (int index = 0; index < int(kCodeOfIndex.size()); ++index) {
        if (kCodeOfIndex[index] == code && index != 6)
            return index;
    }
    return -1;
}

Result<QList<XmlSatellite>> readSatellitesXml(const QByteArray &xml)
{
    QXmlStreamReader reader(xml);
    QList<XmlSatellite> satellites;
    const auto fail = [&reader](const QString &why) {
        return Result<QList<XmlSatellite>>::failure(QStringLiteral("line %1: %2").arg(reader.lineNumber()).arg(why));
    };
    bool inSatellites = false;
    bool inSat = false;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::EndElement) {
            inSat = inSat && reader.name() != QLatin1String("sat");
            continue;
        }
        if (token != QXmlStreamReader::StartElement)
            continue;
        const QStringView name = reader.name();
        const QXmlStreamAttributes attributes = reader.attributes();
        bool ok = true;
        if (!inSatellites) {
            if (name != QLatin1String("satellites"))
                return fail(QStringLiteral("<satellites> expected, not <%1>").arg(name));
            inSatellites = true;
        } else if (name == QLatin1String("sat") && !inSat) {
            XmlSatellite sat;
            sat.name = attributes.value(QLatin1String("name")).toString();
            sat.position = int(number(attributes, "position", ok));
            if (!ok || sat.position <= -1800 || sat.position > 1800)
                return fail(QStringLiteral("<sat> needs a position from -1799 to 1800"));
            satellites.append(sat);
            inSat = true;
        } else if (name == QLatin1String("transponder") && inSat) {
            XmlTransponder tp;
            tp.frequency = number(attributes, "frequency", ok);
            tp.symbolRate = number(attributes, "symbol_rate", ok);
            tp.polarization = int(number(attributes, "polarization", ok));
            tp.fec = attributes.hasAttribute(QLatin1String("fec_inner")) ? int(number(attributes, "fec_inner", ok)) : 0;
            if (!ok || tp.frequency <= 0 || tp.symbolRate <= 0 || tp.polarization < 0 || tp.polarization > 3)
                return fail(QStringLiteral("<transponder> needs a frequency, symbol_rate and polarization 0 to 3"));
            satellites.last().transponders.append(tp);
        }
        // Other elements (cable, terrestrial, comments of other tools) are none of ours.
    }
    if (reader.hasError())
        return fail(reader.errorString());
    if (!inSatellites)
        return Result<QList<XmlSatellite>>::failure(QStringLiteral("line 1: no <satellites>"));
    return satellites;
}

QByteArray writeSatellitesXml(const TPTables &tables)
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.setAutoFormattingIndent(1);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("satellites"));
    for (int region = 0; region < RegionCount; ++region) {
        for (int s = 0; s < tables.SatCount[region]; ++s) {
            const SatRecord &sat = tables.SatData(region, s);
            if (sat.SatName.trimmed().isEmpty())
                continue;  // a slot nobody filled
            writer.writeStartElement(QStringLiteral("sat"));
            writer.writeAttribute(QStringLiteral("name"), sat.SatName);
            writer.writeAttribute(QStringLiteral("flags"), QStringLiteral("0"));
            writer.writeAttribute(QStringLiteral("position"), QString::number(positionOfDeg(sat.Deg)));
            const int count = qBound(0, sat.TPCount.toInt(), int(MaxTP));
            for (int t = 0; t < count; ++t) {
                const TPRecord &tp = tables.TPData(region, s, t);
                const int fec = tp.FEC.toInt();
                writer.writeEmptyElement(QStringLiteral("transponder"));
                writer.writeAttribute(QStringLiteral("frequency"), QString::number(tp.Freq.toLongLong() * 1000));
                writer.writeAttribute(QStringLiteral("symbol_rate"), QString::number(tp.SR.toLongLong() * 1000));
                writer.writeAttribute(QStringLiteral("polarization"),
                                      tp.Polar == QLatin1String("1") ? QStringLiteral("1") : QStringLiteral("0"));
                writer.writeAttribute(
                    QStringLiteral("fec_inner"),
                    QString::number(fec >= 0 && fec < int(kCodeOfIndex.size()) ? kCodeOfIndex[fec] : 0));
            }
            writer.writeEndElement();
        }
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
}

QString XmlImportReport::text() const
{
    QString text = QStringLiteral("Took %1 satellites.").arg(satellites);
    if (satellitesLeftOut > 0)
        text += QStringLiteral(" %1 satellites did not fit and were left out.").arg(satellitesLeftOut);
    if (transpondersLeftOut > 0)
        text += QStringLiteral(" %1 TPs past %2 a satellite were left out.").arg(transpondersLeftOut).arg(MaxTP);
    if (fecsAsAuto > 0)
        text += QStringLiteral(" %1 FEC codes the receiver cannot hold became Auto.").arg(fecsAsAuto);
    return text;
}

XmlImportReport importSatellites(TPTables &tables, int region, const QList<XmlSatellite> &chosen,
                                 const QList<int> &targets)
{
    XmlImportReport report;
    for (qsizetype i = 0; i < chosen.size(); ++i) {
        const int slot = i < targets.size() ? targets[i] : -1;
        if (slot < 0 || slot >= MaxSat) {
            ++report.satellitesLeftOut;
            continue;
        }
        const XmlSatellite &from = chosen[i];
        SatRecord &sat = tables.SatData(region, slot);
        sat.Deg = degOfPosition(from.position);
        sat.SatName = satNameOf(from.name, sat.Deg);
        const int count = int(qMin(from.transponders.size(), qsizetype(MaxTP)));
        report.transpondersLeftOut += int(from.transponders.size()) - count;
        sat.TPCount = QString::number(count);
        for (int t = 0; t < count; ++t) {
            const XmlTransponder &x = from.transponders[t];
            TPRecord &tp = tables.TPData(region, slot, t);
            tp.Freq = QStringLiteral("%1").arg(qRound64(x.frequency / 1000.0), 5, 10, QLatin1Char('0'));
            tp.SR = QString::number(qRound64(x.symbolRate / 1000.0));
            tp.Polar = x.polarization % 2 == 0 ? QStringLiteral("0") : QStringLiteral("1");
            int fec = fecIndexOfCode(x.fec);
            if (fec < 0) {
                ++report.fecsAsAuto;
                fec = 0;
            }
            tp.FEC = QString::number(fec);
        }
        tables.SatCount[region] = qMax(tables.SatCount[region], qint16(slot + 1));
        ++report.satellites;
    }
    return report;
}
