#include "app/AppContext.h"
#include "app/ui/frmMain.h"

#include <QApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QElapsedTimer>
#include <QLockFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStyleFactory>
#include <QTextStream>
#include <QTimer>

namespace {

// One instance per program directory: a lock file in the temporary folder, keyed by the directory.
QString instanceLockPath(const ProgramDir &dir)
{
    const QByteArray key = QCryptographicHash::hash(dir.path().toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    return QDir::temp().filePath(QStringLiteral("tarvik-%1.lock").arg(QString::fromLatin1(key)));
}

// "--self-check": print the time to the shown window, the program directory and the names of
// the window's controls, then quit. Used by the smoke, install and start-up checks.
void scheduleSelfCheck(frmMain &window, const ProgramDir &dir, const QElapsedTimer &sinceStart)
{
    QTimer::singleShot(0, &window, [&window, path = dir.path(), &sinceStart] {
        QTextStream out(stdout);
        out << "shown-ms " << sinceStart.nsecsElapsed() / 1e6 << '\n';
        out << "program-dir " << path << '\n';
        out << "title " << window.windowTitle() << '\n';
        const QList<QObject *> children = window.findChildren<QObject *>();
        for (QObject *child : children) {
            if (!child->objectName().isEmpty() && !child->objectName().startsWith(QLatin1String("qt_")))
                out << "control " << child->objectName() << '\n';
        }
        out.flush();
        QApplication::quit();
    });
}

}  // namespace

int main(int argc, char *argv[])
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvik"));
    QGuiApplication::setDesktopFileName(QStringLiteral("net.tarvik.Tarvik"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

    const ProgramDir dir = ProgramDir::ofApplication();
    QLockFile instanceLock(instanceLockPath(dir));
    instanceLock.setStaleLockTime(0);
    if (!instanceLock.tryLock(0)) {
        QTextStream(stderr) << "This program is already executing." << Qt::endl;
        QMessageBox::warning(nullptr, QStringLiteral("Program Load ERROR!"),
                             QStringLiteral("This program is already executing."));
        return 1;
    }

    AppContext context(dir);
    frmMain window(context);
    window.ApplyConfiguration();
    window.show();
    if (QPushButton *first = window.findChild<QPushButton *>(QStringLiteral("cmdPCSTB_0")))
        first->setFocus(Qt::OtherFocusReason);
    const QStringList arguments = app.arguments();
    if (arguments.contains(QStringLiteral("--self-check")))
        scheduleSelfCheck(window, dir, sinceStart);
    return app.exec();
}
