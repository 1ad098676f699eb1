// The TP editor on a full set (192 satellites, 20,928 TPs): from a full image
// to the editor shown, the list operations on a full region, a region switch,
// and a save (tables, five files, combiner).
#include "FullTPSet.h"

#include "TPImage.h"
#include "common/Converters.h"
#include "common/WholeFile.h"
#include "link/ReceiverLink.h"
#include "tp/SatListModel.h"
#include "tp/TPFiles.h"
#include "tp/TPListModel.h"
#include "tp/TPSaver.h"
#include "tp/ui/frmTPEdit.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QTabBar>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const ProgramDir programDir(dir.path());
    for (const char *program : {"TPParse", "TPCombine"}) {
        const QString staged = ProgramDir(QStringLiteral(TARVIK_STAGE_DIR)).executable(QLatin1String(program));
        if (!QFile::copy(staged, dir.filePath(QFileInfo(staged).fileName())))
            std::abort();
    }
    auto tables = std::make_unique<TPTables>();
    fillFullTPSet(*tables);
    const Result<QByteArray> image = combineTPImage(tables->SatDataStored, tables->TPDataStored);
    const QString mda = dir.filePath(QStringLiteral("Full.MDA"));
    if (!image || !writeWholeFile(mda, image.value()))
        std::abort();

    const ValueLists lists = ValueLists::standard();
    const Converters converters(programDir);
    ReceiverLink link(programDir);
    link.selectedFile = mda;
    measure(QStringLiteral("Edit Satellite to editor shown"), 10, [&] {
        if (!converters.tpParse(mda).succeeded() || !TPLoadAll(programDir, *tables))
            std::abort();
        frmTPEdit editor(*tables, lists, converters, link);
        editor.setAttribute(Qt::WA_DeleteOnClose, false);
        editor.show();
        QApplication::processEvents();
        editor.hide();
    });

    SatListModel sats(*tables, lists);
    TPListModel tps(*tables, lists);
    sats.setRegion(0);
    tps.setSatellite(0, 0);
    measure(QStringLiteral("satellite delete + insert, full region"), 50, [&] {
        sats.deleteMarked({4});
        sats.insertBefore(4);
    });
    measure(QStringLiteral("satellite Next at the end (refused)"), 50, [&] { sats.next(MaxSat - 1); });
    measure(QStringLiteral("TP delete + insert, 109 TPs"), 50, [&] {
        tps.deleteMarked({49});
        tps.insertBefore(49);
    });
    measure(QStringLiteral("TP Next at the end (refused)"), 50, [&] { tps.next(MaxTP - 1); });

    frmTPEdit editor(*tables, lists, converters, link);
    editor.setAttribute(Qt::WA_DeleteOnClose, false);
    editor.show();
    QApplication::processEvents();
    auto *tab = editor.findChild<QTabBar *>(QStringLiteral("tabRegion"));
    int region = 0;
    measure(QStringLiteral("region switch"), 20, [&] {
        region = (region + 1) % RegionCount;
        tab->setCurrentIndex(region);
        QApplication::processEvents();
    });

    TPSaver saver(programDir, converters);
    measure(QStringLiteral("save of a full set"), 10, [&] {
        if (!saver.save(*tables, mda))
            std::abort();
    });
    return 0;
}
