#include "cli/TPCommands.h"

#include "cli/ExitCodes.h"
#include "common/WholeFile.h"
#include "tp/SatellitesXml.h"
#include "tp/TPImageLoad.h"

#include <cstdio>

namespace {

int fail(int code, const QString &text)
{
    std::fprintf(stderr, "tarvik-cli: %s\n", qPrintable(text));
    return code;
}

// "1,3-5" as 0-based indexes below `count`; empty for all.
Result<QList<int>> chosenSatellites(const QString &text, qsizetype count)
{
    QList<int> chosen;
    if (text.isEmpty()) {
        for (int i = 0; i < count; ++i)
            chosen.append(i);
        return chosen;
    }
    for (const QString &part : text.split(QLatin1Char(','))) {
        const QStringList ends = part.split(QLatin1Char('-'));
        bool ok1 = false;
        bool ok2 = false;
        const int first = ends.value(0).trimmed().toInt(&ok1);
        const int last = ends.size() == 2 ? ends[1].trimmed().toInt(&ok2) : first;
        if (!ok1 || (ends.size() == 2 && !ok2) || ends.size() > 2 || first < 1 || last < first || last > count)
            return Result<QList<int>>::failure(
                QStringLiteral("--sats \"%1\": satellites are numbered 1 to %2").arg(part).arg(count));
        for (int i = first; i <= last; ++i)
            chosen.append(i - 1);
    }
    return chosen;
}

}  // namespace

int runTPCommand(const ProgramDir &dir, const QStringList &args, const TPImportChoice &choice)
{
    const QString command = args.value(0);
    const bool isImport = command == QLatin1String("import");
    if (!isImport && command != QLatin1String("export"))
        return fail(ExitCode::Usage, QStringLiteral("tp needs export or import"));
    if (args.size() != (isImport ? 4 : 3))
        return fail(ExitCode::Usage, QStringLiteral("tp %1 takes %2 files").arg(command).arg(isImport ? 3 : 2));
    int region = -1;
    for (int r = 0; r < RegionCount; ++r) {
        if (choice.region.compare(RegionCode(r), Qt::CaseInsensitive) == 0)
            region = r;
    }
    if (isImport && (region < 0 || choice.fromRow < 1 || choice.fromRow > MaxSat))
        return fail(ExitCode::Usage, QStringLiteral("tp import needs --region AM, AS, AT or EU, and --from 1 to 48"));
    if (!isImport && (!choice.region.isEmpty() || !choice.satellites.isEmpty() || choice.fromRow != 1))
        return fail(ExitCode::Usage, QStringLiteral("--region, --sats and --from are for tp import"));

    TPTables tables;
    if (const Status read = readTPImage(dir, args[1], tables); !read)
        return fail(ExitCode::FileRefused, QStringLiteral("%1: %2").arg(args[1], read.error()));
    if (!isImport) {
        if (const Status written = writeWholeFile(args[2], writeSatellitesXml(tables)); !written)
            return fail(ExitCode::Failed, QStringLiteral("%1: %2").arg(args[2], written.error()));
        return ExitCode::Success;
    }
    const Result<QByteArray> xml = readWholeFile(args[2]);
    const Result<QList<XmlSatellite>> satellites =
        xml ? readSatellitesXml(xml.value()) : Result<QList<XmlSatellite>>(xml.status());
    if (!satellites)
        return fail(ExitCode::FileRefused, QStringLiteral("%1: %2").arg(args[2], satellites.error()));
    const Result<QList<int>> chosen = chosenSatellites(choice.satellites, satellites.value().size());
    if (!chosen)
        return fail(ExitCode::Usage, chosen.error());
    QList<XmlSatellite> taken;
    for (const int i : chosen.value())
        taken.append(satellites.value()[i]);
    QList<int> rows;
    for (int s = choice.fromRow - 1; s < MaxSat; ++s)
        rows.append(s);
    const XmlImportReport report = importSatellites(tables, region, taken, rows);
    std::printf("%s\n", qPrintable(report.text()));
    if (const Status written = writeTPImage(dir, tables, args[1], args[3]); !written)
        return fail(ExitCode::Failed, QStringLiteral("%1 was not written: %2").arg(args[3], written.error()));
    return ExitCode::Success;
}
