// Load and save of a full set of intermediate TP files.
#include "FullTPSet.h"

#include "common/ProgramDir.h"
#include "tp/PreDefineFile.h"
#include "tp/RegionFile.h"
#include "tp/TPFiles.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // An optional argument puts the files elsewhere, such as on a RAM disk,
    // to tell the cost of the disk's flushes from our own.
    QTemporaryDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) + QStringLiteral("/bench-XXXXXX") : QString());
    const ProgramDir programDir(dir.path());
    auto tables = std::make_unique<TPTables>();
    fillFullTPSet(*tables);

    measure(QStringLiteral("TPSaveAll, 20,928 TPs"), 30, [&] {
        if (!TPSaveAll(programDir, *tables))
            std::abort();
    });
    measure(QStringLiteral("file texts only, 20,928 TPs"), 30, [&] {
        if (!preDefineText(tables->SatDataStored))
            std::abort();
        for (int r = 0; r < RegionCount; ++r) {
            if (!regionText(r, tables->SatDataStored, tables->TPDataStored))
                std::abort();
        }
    });
    auto loaded = std::make_unique<TPTables>();
    measure(QStringLiteral("TPLoadAll, 20,928 TPs"), 30, [&] {
        if (!TPLoadAll(programDir, *loaded))
            std::abort();
    });
    measure(QStringLiteral("copy stored to working tables"), 30, [&] { loaded->copyStoredToWorking(); });
    return 0;
}
