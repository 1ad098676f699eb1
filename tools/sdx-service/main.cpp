// The local satellite-data service: serves "/_data/<code>.sdx" on 127.0.0.1,
// made from the DVB-S scan tables, with faults on request.
#include "ScanTables.h"
#include "SdxServer.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Serves /_data/<code>.sdx on 127.0.0.1."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("port"), QStringLiteral("Port to listen on (0: any free one)."),
                      QStringLiteral("port"), QStringLiteral("8080")});
    parser.addOption({QStringLiteral("scan-tables"), QStringLiteral("Folder of DVB-S scan tables."),
                      QStringLiteral("folder"), QStringLiteral("/usr/share/dvb/dvb-s")});
    parser.addOption({QStringLiteral("fault"),
                      QStringLiteral("A fault for every code, or for one: KIND or KIND=CODE; KIND is none, 404, "
                                     "500, no-length, truncated, slow, stall, refused, chunked, chunked-length or "
                                     "flood. May be repeated."),
                      QStringLiteral("fault")});
    parser.addOption({QStringLiteral("piece"), QStringLiteral("Send replies in pieces of this many bytes."),
                      QStringLiteral("bytes"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("delay"), QStringLiteral("Milliseconds between pieces."), QStringLiteral("ms"),
                      QStringLiteral("0")});
    parser.addOption({QStringLiteral("flood-length"), QStringLiteral("The length a flood reply announces."),
                      QStringLiteral("bytes"), QStringLiteral("1099511627776")});
    parser.process(app);

    const QString folder = parser.value(QStringLiteral("scan-tables"));
    const QMap<QString, QByteArray> catalog = SdxCatalog(folder);
    if (catalog.isEmpty()) {
        std::fprintf(stderr, "sdx-service: no scan tables in %s (Debian package dtv-scan-tables)\n",
                     qPrintable(QDir::toNativeSeparators(folder)));
        return 1;
    }
    SdxServer server(catalog);
    for (const QString &fault : parser.values(QStringLiteral("fault"))) {
        const QStringList parts = fault.split(u'=');
        bool ok = false;
        const SdxFault kind = SdxServer::faultNamed(parts[0], &ok);
        if (!ok || parts.size() > 2) {
            std::fprintf(stderr, "sdx-service: unknown fault \"%s\"\n", qPrintable(fault));
            return 2;
        }
        if (parts.size() == 2)
            server.setFault(parts[1], kind);
        else
            server.setFault(kind);
    }
    const int piece = parser.value(QStringLiteral("piece")).toInt();
    server.setDelivery({piece, piece, parser.value(QStringLiteral("delay")).toInt()});
    server.setFloodLength(parser.value(QStringLiteral("flood-length")).toLongLong());
    if (!server.listen(quint16(parser.value(QStringLiteral("port")).toUInt()))) {
        std::fprintf(stderr, "sdx-service: cannot listen: %s\n", qPrintable(server.errorString()));
        return 1;
    }
    std::printf("%s (%lld positions)\n", qPrintable(server.baseAddress()), qlonglong(catalog.size()));
    std::fflush(stdout);
    return app.exec();
}
