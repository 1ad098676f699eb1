// TPParse and TPCombine on a full TP image: the programs as the tool runs
// them, and the image layout on its own.
#include "FullTPSet.h"

#include "TPImage.h"
#include "common/Converters.h"
#include "common/WholeFile.h"
#include "tp/TPFiles.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // An optional argument puts the program directory elsewhere (see bench_tp_files).
    QTemporaryDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/bench-XXXXXX") : QString());
    for (const char *program : {"TPParse", "TPCombine"}) {
        const QString staged = ProgramDir(QStringLiteral(TARVIK_STAGE_DIR)).executable(QLatin1String(program));
        if (!QFile::copy(staged, dir.filePath(QFileInfo(staged).fileName())))
            std::abort();
    }
    auto tables = std::make_unique<TPTables>();
    fillFullTPSet(*tables);
    const Result<QByteArray> image = combineTPImage(tables->SatDataStored, tables->TPDataStored);
    const QString imagePath = dir.filePath(QStringLiteral("Full.MDA"));
    if (!image || !writeWholeFile(imagePath, image.value()))
        std::abort();

    const Converters converters{ProgramDir(dir.path())};
    measure(QStringLiteral("TPParse program, full image"), 20, [&] {
        if (!converters.tpParse(imagePath).succeeded())
            std::abort();
    });
    measure(QStringLiteral("TPCombine program, full image"), 20, [&] {
        if (!converters.tpCombine(imagePath).succeeded())
            std::abort();
    });
    if (readWholeFile(imagePath).value() != image.value())
        std::abort();

    auto parsed = std::make_unique<TPTables>();
    measure(QStringLiteral("parseTPImage, in process"), 30, [&] {
        if (!parseTPImage(image.value(), parsed->SatDataStored, parsed->TPDataStored))
            std::abort();
    });
    measure(QStringLiteral("combineTPImage, in process"), 30, [&] {
        if (!combineTPImage(tables->SatDataStored, tables->TPDataStored))
            std::abort();
    });
    return 0;
}
