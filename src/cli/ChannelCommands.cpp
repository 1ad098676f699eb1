#include "cli/ChannelCommands.h"

#include "channel/ChannelCsv.h"
#include "channel/ChannelImageLoad.h"
#include "channel/ChannelOrder.h"
#include "cli/ExitCodes.h"
#include "common/WholeFile.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace {

int fail(int code, const QString &text)
{
    std::fprintf(stderr, "tarvik-cli: %s\n", qPrintable(text));
    return code;
}

struct Arity {
    const char *command;
    qsizetype files;
};

Result<ChannelTables> readImage(const ProgramDir &dir, const QString &file)
{
    const Result<ChannelTables> tables = readChannelImage(dir, file);
    if (!tables)
        return Result<ChannelTables>::failure(QStringLiteral("%1: %2").arg(file, tables.error()));
    return tables;
}

Result<QList<ReferenceChannel>> readReference(const ProgramDir &dir, const QString &file)
{
    if (QFileInfo(file).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) != 0) {
        const Result<ChannelTables> image = readImage(dir, file);
        return image ? Result<QList<ReferenceChannel>>(referenceOf(image.value())) : image.status();
    }
    const Result<QByteArray> text = readWholeFile(file);
    const Result<QList<ReferenceChannel>> reference =
        text ? referenceFromCsv(text.value()) : Result<QList<ReferenceChannel>>(text.status());
    if (!reference)
        return Result<QList<ReferenceChannel>>::failure(QStringLiteral("%1:\n%2").arg(file, reference.error()));
    return reference;
}

}  // namespace

int runChannelCommand(const ProgramDir &dir, const QStringList &args, bool takeFlags)
{
    const QString command = args.value(0);
    const QList<Arity> arities{{"export", 2}, {"import", 3}, {"order", 3}};
    const auto arity = std::find_if(arities.begin(), arities.end(),
                                    [&command](const Arity &a) { return command == QLatin1String(a.command); });
    if (arity == arities.end())
        return fail(ExitCode::Usage, QStringLiteral("channels needs export, import or order"));
    if (args.size() != arity->files + 1)
        return fail(ExitCode::Usage, QStringLiteral("channels %1 takes %2 files").arg(command).arg(arity->files));
    if (takeFlags && command != QLatin1String("order"))
        return fail(ExitCode::Usage, QStringLiteral("--take-flags is for channels order only"));

    const QString image = args[1];
    const Result<ChannelTables> tables = readImage(dir, image);
    if (!tables)
        return fail(ExitCode::FileRefused, tables.error());
    if (command == QLatin1String("export")) {
        if (const Status written = writeWholeFile(args[2], exportChannelCsv(tables.value())); !written)
            return fail(ExitCode::Failed, QStringLiteral("%1: %2").arg(args[2], written.error()));
        return ExitCode::Success;
    }

    ChannelTables result;
    if (command == QLatin1String("import")) {
        const Result<QByteArray> text = readWholeFile(args[2]);
        if (!text)
            return fail(ExitCode::FileRefused, QStringLiteral("%1: %2").arg(args[2], text.error()));
        const Result<ChannelTables> imported = importChannelCsv(tables.value(), text.value());
        if (!imported)
            return fail(ExitCode::FileRefused,
                        QStringLiteral("%1 was not imported:\n%2").arg(args[2], imported.error()));
        result = imported.value();
    } else {
        const Result<QList<ReferenceChannel>> reference = readReference(dir, args[2]);
        if (!reference)
            return fail(ExitCode::FileRefused, reference.error());
        const OrderedChannels ordered = orderLike(tables.value(), reference.value(), takeFlags);
        std::printf("%s\n", ordered.report().toUtf8().constData());
        result = ordered.tables;
    }
    if (const Status written = writeChannelImage(dir, result, image, args[3]); !written)
        return fail(ExitCode::Failed, QStringLiteral("%1 was not written: %2").arg(args[3], written.error()));
    return ExitCode::Success;
}
