#include "common/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QStandardPaths>

namespace {

QString matchIn(const QString &path, const QString &name)
{
    const QDir dir(path);
    if (!dir.exists(name)) {
        const QStringList entries =
            dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        for (const QString &entry : entries) {
            if (entry.compare(name, Qt::CaseInsensitive) == 0)
                return QDir::toNativeSeparators(dir.filePath(entry));
        }
    }
    return QDir::toNativeSeparators(dir.filePath(name));
}

// Copies the installation's data files (everything but programs and the marker) that the user's
// directory lacks. Files already there are the user's and stay as they are.
QStringList fillFromInstallation(const QString &installedPath, const QString &userPath)
{
    QStringList failed;
    const QDir installed(installedPath);
    const QDir user(userPath);
    QDirIterator it(installedPath, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo source(it.next());
        const QString relative = installed.relativeFilePath(source.filePath());
        if (source.isExecutable() || relative == ProgramDir::installedMarker())
            continue;
        const QString target = user.filePath(relative);
        if (QFileInfo::exists(target))
            continue;
        if (!user.mkpath(QFileInfo(relative).path()) || !QFile::copy(source.filePath(), target)) {
            failed << QDir::toNativeSeparators(target);
            continue;
        }
        // Installed files are read-only; the user's copies are theirs to change.
        QFile::setPermissions(target, QFile::permissions(target) | QFile::WriteOwner);
    }
    return failed;
}

}  // namespace

ProgramDir::ProgramDir(QString path) : ProgramDir(path, path)
{
}

ProgramDir::ProgramDir(QString path, QString programsPath)
    : m_path(QDir::cleanPath(std::move(path))), m_programsPath(QDir::cleanPath(std::move(programsPath)))
{
}

QString ProgramDir::installedMarker()
{
    return QStringLiteral("Installed.ini");
}

ProgramDir ProgramDir::forInstallation(const QString &installedPath, const QString &userPath, QString *problem)
{
    if (!QFileInfo::exists(QDir(installedPath).filePath(installedMarker())))
        return ProgramDir(installedPath);
    QStringList failed;
    if (!QDir().mkpath(QDir(userPath).filePath(QStringLiteral("Temp"))))
        failed << QDir::toNativeSeparators(userPath);
    else
        failed = fillFromInstallation(installedPath, userPath);
    if (problem && !failed.isEmpty())
        *problem = QStringLiteral("Cannot make %1").arg(failed.join(QStringLiteral(", ")));
    return ProgramDir(userPath, installedPath);
}

ProgramDir ProgramDir::ofApplication()
{
    const QString user =
        QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)).filePath(QStringLiteral("tarvik"));
    QString problem;
    ProgramDir dir = forInstallation(QCoreApplication::applicationDirPath(), user, &problem);
    if (!problem.isEmpty())
        qWarning("%s", qPrintable(problem));
    return dir;
}

QString ProgramDir::path() const
{
    return QDir::toNativeSeparators(m_path);
}

QString ProgramDir::filePath(const QString &name) const
{
    return matchIn(m_path, name);
}

bool ProgramDir::exists(const QString &name) const
{
    return QFileInfo::exists(filePath(name));
}

QString ProgramDir::executable(const QString &baseName) const
{
#ifdef Q_OS_WIN
    return matchIn(m_programsPath, baseName + QStringLiteral(".exe"));
#else
    return matchIn(m_programsPath, baseName);
#endif
}
