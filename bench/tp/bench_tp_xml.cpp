// satellites.xml with 200 satellites of 100 transponders each (20,000 TPs):
// reading it, taking 48 of its satellites into a region, and writing the four
// full regions out.
#include "FullTPSet.h"
#include "tp/SatellitesXml.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QByteArray xml = "<?xml version=\"1.0\"?>\n<satellites>\n";
    for (int s = 0; s < 200; ++s) {
        xml += " <sat name=\"Satellite number " + QByteArray::number(s) + "\" flags=\"0\" position=\"" +
               QByteArray::number(s * 17 % 3599 - 1799) + "\">\n";
        for (int t = 0; t < 100; ++t)
            xml += "  <transponder frequency=\"" + QByteArray::number(10700000 + t * 19000) +
                   "\" symbol_rate=\"27500000\" polarization=\"" + QByteArray::number(t % 4) + "\" fec_inner=\"" +
                   QByteArray::number(t % 10) + "\"/>\n";
        xml += " </sat>\n";
    }
    xml += "</satellites>\n";
    QList<int> targets;
    for (int s = 0; s < MaxSat; ++s)
        targets.append(s);
    TPTables full;
    for (int region = 0; region < RegionCount; ++region) {
        const Result<QList<XmlSatellite>> read = readSatellitesXml(xml);
        importSatellites(full, region, read.value().mid(region * 48, 48), targets);
    }

    std::printf("satellites.xml: 200 satellites, 20,000 TPs, %lld bytes\n", static_cast<long long>(xml.size()));
    measure(QStringLiteral("read it and take 48 satellites"), 15, [&] {
        TPTables tables;
        const Result<QList<XmlSatellite>> read = readSatellitesXml(xml);
        if (!read.ok() || importSatellites(tables, 3, read.value().mid(100, 48), targets).satellites != 48)
            std::printf("FAILED\n");
    });
    measure(QStringLiteral("write four regions of 48 satellites"), 15, [&] { writeSatellitesXml(full); });
    return 0;
}
