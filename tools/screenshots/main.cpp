// screenshots <program-dir> <receiver-sim> <out-dir>: opens each window of the tool the way a
// technician does, on a copy of the program directory with the simulated receiver on Com1, and
// saves a picture of it. Run offscreen.
#include "app/AppContext.h"
#include "app/ui/frmMain.h"
#include "support/ModalDriver.h"

#include <QApplication>
#include <QCheckBox>
#include <QDirIterator>
#include <QProcess>
#include <QPushButton>
#include <QStyleFactory>
#include <QTabBar>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTreeView>
#include <QTreeWidget>
#include <QtTest>

#include <cstdio>

namespace {

bool copyTree(const QString &fromPath, const QString &to)
{
    const QString from = QDir(fromPath).absolutePath();
    QDirIterator it(from, QDir::Files | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString source = it.next();
        const QString target = QDir(to).filePath(QDir(from).relativeFilePath(source));
        if (!QDir().mkpath(QFileInfo(target).path()) || !QFile::copy(source, target))
            return false;
    }
    return true;
}

QWidget *shownWindow(const QString &name)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows) {
        if (w->objectName() == name && w->isVisible())
            return w;
    }
    return nullptr;
}

// The Europe tab, and in it the satellite with the most TPs, clicked as a user does.
void showBusiestEuropeanSatellite(QWidget *editor, const TPTables &tables)
{
    auto *tabs = editor->findChild<QTabBar *>(QStringLiteral("tabRegion"));
    auto *list = editor->findChild<QTreeView *>(QStringLiteral("List1"));
    if (!tabs || !list)
        return;
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(3).center());
    int busiest = 0;
    for (int s = 1; s < MaxSat; ++s)
        if (tables.SatData(3, s).TPCount.toInt() > tables.SatData(3, busiest).TPCount.toInt())
            busiest = s;
    const QModelIndex row = list->model()->index(busiest, 0);
    list->scrollTo(row);
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(row).center());
}

class Camera {
public:
    explicit Camera(QString outDir) : m_outDir(std::move(outDir)) {}

    // Lets the window settle, then saves it as <name>.png.
    void take(QWidget *window, const QString &name)
    {
        QTest::qWait(300);
        const QString file = QDir(m_outDir).filePath(name + QStringLiteral(".png"));
        if (!window || !window->grab().save(file)) {
            QTextStream(stderr) << "screenshots: no picture " << file << '\n';
            m_failed = true;
            return;
        }
        QTextStream(stdout) << "wrote " << file << '\n';
    }
    bool failed() const { return m_failed; }

private:
    QString m_outDir;
    bool m_failed = false;
};

}  // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvik"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    const QStringList args = app.arguments();
    if (args.size() != 4) {
        std::fputs("usage: screenshots <program-dir> <receiver-sim> <out-dir>\n", stderr);
        return 2;
    }
    QTemporaryDir work;
    const QString dir = work.path();
    if (!copyTree(args.at(1), dir)) {
        std::fputs("screenshots: cannot copy the program directory\n", stderr);
        return 1;
    }
    // Factory and monitor mode show every button.
    for (const char *marker : {"Factory.ini", "text.ini"})
        QFile(QDir(dir).filePath(QString::fromLatin1(marker))).open(QIODevice::WriteOnly);

    // Slow enough that the transfer window is caught while packets flow.
    QProcess sim;
    sim.start(args.at(2), {QStringLiteral("--link"), QDir(dir).filePath(QStringLiteral("Com1")),
                           QStringLiteral("--baud"), QStringLiteral("57600")});
    if (!sim.waitForStarted() ||
        !QTest::qWaitFor([&] { return QFileInfo(QDir(dir).filePath(QStringLiteral("Com1"))).isSymLink(); }, 5000)) {
        std::fputs("screenshots: the receiver simulator did not start\n", stderr);
        return 1;
    }

    Camera camera(args.at(3));
    AppContext context{ProgramDir(dir)};
    frmMain window(context);
    window.ApplyConfiguration();
    window.show();
    camera.take(&window, QStringLiteral("main-window"));

    const QString tpImage = QDir(dir).filePath(QStringLiteral("samples/TP_Sample.MDA"));
    const QString channelImage = QDir(dir).filePath(QStringLiteral("samples/channels.bin"));
    {
        ModalDriver driver({modal::chooseFile(tpImage)});
        window.cmdTPEDIT_Click(1);
        QWidget *editor = shownWindow(QStringLiteral("frmTPEdit"));
        if (editor)
            showBusiestEuropeanSatellite(editor, *context.tpTables);
        camera.take(editor, QStringLiteral("tp-editor"));
        if (editor)
            editor->close();
    }
    {
        ModalDriver driver({modal::chooseFile(channelImage)});
        window.cmdCHEdit_Click(1);
        QWidget *editor = shownWindow(QStringLiteral("frmCHEdit"));
        camera.take(editor, QStringLiteral("channel-editor"));
        if (editor)
            editor->close();
    }
    {
        // Caught while the transponder upload runs, then cancelled.
        ModalDriver driver({modal::chooseFile(tpImage), [&camera](QWidget *modal) {
                                if (modal->objectName() != QLatin1String("frmProgress1"))
                                    return false;
                                QTimer::singleShot(1500, modal, [&camera, modal] {
                                    camera.take(modal, QStringLiteral("transfer-window"));
                                    if (auto *cancel = modal->findChild<QPushButton *>(QStringLiteral("cmdCancel")))
                                        cancel->click();
                                });
                                return true;
                            }});
        window.cmdPCSTB_Click(2);
    }
    {
        // The wizard's second step, Europe chosen and a few satellites ticked, then cancelled.
        ModalDriver driver({[&camera](QWidget *modal) {
            if (modal->objectName() != QLatin1String("frmDownList"))
                return false;
            QTimer::singleShot(0, modal, [&camera, modal] {
                modal->findChild<QCheckBox *>(QStringLiteral("chkRegion_3"))->setChecked(true);
                modal->findChild<QPushButton *>(QStringLiteral("cmdNext"))->click();
                auto *list = modal->findChild<QTreeWidget *>(QStringLiteral("List1"));
                for (int row : {2, 3, 5})
                    if (QTreeWidgetItem *item = list->topLevelItem(row))
                        item->setCheckState(0, Qt::Checked);
                camera.take(modal, QStringLiteral("download-wizard"));
                modal->findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
            });
            return true;
        }});
        window.cmdTPEDIT_Click(0);
    }
    window.close();
    sim.terminate();
    sim.waitForFinished();
    return camera.failed() ? 1 : 0;
}
