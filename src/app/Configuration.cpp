#include "app/Configuration.h"

#include <QDir>
#include <QFile>

Configuration::Configuration(ProgramDir dir) : m_dir(std::move(dir)) {}

Status Configuration::createMarker(const QString &name) const
{
    QFile file(m_dir.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return Status::failure(
            QStringLiteral("Cannot create %1: %2").arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    return Status::success();
}

Status Configuration::deleteMarker(const QString &name) const
{
    QFile file(m_dir.filePath(name));
    if (file.exists() && !file.remove())
        return Status::failure(
            QStringLiteral("Cannot delete %1: %2").arg(QDir::toNativeSeparators(file.fileName()), file.errorString()));
    return Status::success();
}

void Configuration::refresh()
{
    const bool user = hasMarker(kUserMarker);
    const bool factory = hasMarker(kFactoryMarker);
    m_extended = user || factory;
    if (m_extended)
        m_operatingMode = user ? UserMode : FactoryMode;
    m_monitor = hasMarker(kMonitorMarker);
}
