#include "common/ProgramDir.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

ProgramDir::ProgramDir(QString path) : m_path(QDir::cleanPath(std::move(path))) {}

ProgramDir ProgramDir::ofApplication() { return ProgramDir(QCoreApplication::applicationDirPath()); }

QString ProgramDir::path() const { return QDir::toNativeSeparators(m_path); }

QString ProgramDir::filePath(const QString &name) const
{
    const QDir dir(m_path);
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

bool ProgramDir::exists(const QString &name) const { return QFileInfo::exists(filePath(name)); }

QString ProgramDir::executable(const QString &baseName) const
{
#ifdef Q_OS_WIN
    return filePath(baseName + QStringLiteral(".exe"));
#else
    return filePath(baseName);
#endif
}
