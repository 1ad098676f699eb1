#pragma once

// A satellites.xml made from Debian's DVB-S scan tables, the way another
// satellite editor would write one: every file with a position is a <sat>.
// Needs sdx_service_lib. Empty when the folder holds no scan tables.

#include "ScanTables.h"

#include <QDir>
#include <QFile>
#include <QXmlStreamWriter>

inline const QString DebianScanTables = QStringLiteral("/usr/share/dvb/dvb-s");

inline QByteArray satellitesXmlFromScanTables(const QString &folder = DebianScanTables)
{
    // The format's FEC numbering.
    static const QStringList codes{QStringLiteral("AUTO"), QStringLiteral("1/2"), QStringLiteral("2/3"),
                                   QStringLiteral("3/4"),  QStringLiteral("5/6"), QStringLiteral("7/8"),
                                   QStringLiteral("8/9"),  QStringLiteral("3/5"), QStringLiteral("4/5"),
                                   QStringLiteral("9/10")};
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("satellites"));
    int written = 0;
    for (const QString &name : QDir(folder).entryList(QDir::Files, QDir::Name)) {
        const QString code = PositionCode(name);
        QFile file(QDir(folder).filePath(name));
        if (code.isEmpty() || !file.open(QIODevice::ReadOnly))
            continue;
        const int east = code.toInt();
        writer.writeStartElement(QStringLiteral("sat"));
        writer.writeAttribute(QStringLiteral("name"), name);
        writer.writeAttribute(QStringLiteral("flags"), QStringLiteral("0"));
        writer.writeAttribute(QStringLiteral("position"), QString::number(east > 1800 ? east - 3600 : east));
        for (const ScanTransponder &tp : ReadScanTable(file.readAll())) {
            writer.writeEmptyElement(QStringLiteral("transponder"));
            writer.writeAttribute(QStringLiteral("frequency"), QString::number(qint64(tp.frequencyMHz) * 1000));
            writer.writeAttribute(QStringLiteral("symbol_rate"), QString::number(qint64(tp.symbolRateK) * 1000));
            writer.writeAttribute(QStringLiteral("polarization"),
                                  QString::number(QByteArray("HVLR").indexOf(tp.polarisation) & 3));
            writer.writeAttribute(QStringLiteral("fec_inner"),
                                  QString::number(qMax(0, codes.indexOf(tp.fec.toUpper()))));
        }
        writer.writeEndElement();
        ++written;
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    return written > 0 ? xml : QByteArray();
}
