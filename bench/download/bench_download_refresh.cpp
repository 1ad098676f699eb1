// "Refres&h" in the TP editor over 192 satellites, every one with its
// downloaded file of 120 transponders present (the import keeps 109).
#include "ScanTables.h"
#include "common/Converters.h"
#include "link/ReceiverLink.h"
#include "tp/FullTPSet.h"
#include "tp/ui/frmTPEdit.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const ProgramDir programDir(dir.path());
    auto tables = std::make_unique<TPTables>();
    fillFullTPSet(*tables);
    QDir().mkpath(dir.filePath(QStringLiteral("Temp")));
    for (int r = 0; r < RegionCount; ++r) {
        for (int s = 0; s < MaxSat; ++s) {
            const QString code = QString::number(1 + r * MaxSat + s).rightJustified(4, QLatin1Char('0'));
            tables->SatDataStored(r, s).Deg = code;
            QList<ScanTransponder> tps;
            for (int t = 0; t < 120; ++t)
                tps.append({t % 3 == 0, 10700 + t * 15, t % 2 ? 'V' : 'H', 22000 + t, QStringLiteral("3/4")});
            QFile file(dir.filePath(QStringLiteral("Temp/") + code + QStringLiteral(".sdx")));
            if (!file.open(QIODevice::WriteOnly))
                std::abort();
            file.write(SdxText(code, QStringLiteral("Bench"), tps));
        }
    }
    const ValueLists lists = ValueLists::standard();
    const Converters converters(programDir);
    ReceiverLink link(programDir);
    frmTPEdit editor(*tables, lists, converters, link);
    editor.setAttribute(Qt::WA_DeleteOnClose, false);
    editor.show();
    QApplication::processEvents();
    auto *refresh = editor.findChild<QPushButton *>(QStringLiteral("Command1"));
    editor.findChild<QComboBox *>(QStringLiteral("Combo1"))->setCurrentIndex(0);
    measure(QStringLiteral("Refresh, 192 satellites with files"), 10, [&] {
        refresh->click();
        QApplication::processEvents();
    });
    if (tables->SatData(3, 47).TPCount != QStringLiteral("109"))
        std::abort();
    editor.hide();
    return 0;
}
