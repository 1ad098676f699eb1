#include "app/Configuration.h"

#include "link/ReceiverLink.h"

#include <QDir>
#include <QFile>

Configuration::Configuration(ProgramDir dir) : m_dir(std::move(dir))
{
}

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

std::optional<Configuration::ModeChange> Configuration::ModeSwitch(int index, ReceiverLink &link) const
{
    ModeChange change;
    const auto note = [&change](const Status &status) {
        if (!status)
            change.errors.append(status.error());
        return status.ok();
    };
    switch (index) {
    case 0:
        if (!hasMarker(kUserMarker)) {
            note(deleteMarker(kFactoryMarker));
            change.hideOsdCommands = true;
            note(createMarker(kUserMarker));
        }
        break;
    case 1:
        if (!hasMarker(kFactoryMarker)) {
            note(deleteMarker(kUserMarker));
            note(createMarker(kFactoryMarker));
        }
        break;
    case 2:
        note(deleteMarker(kUserMarker));
        note(deleteMarker(kFactoryMarker));
        change.hideOsdCommands = true;
        break;
    case 3:
        // The port is open exactly while text.ini exists, so a marker that cannot
        // be changed leaves the port as it was.
        if (hasMarker(kMonitorMarker)) {
            if (note(deleteMarker(kMonitorMarker)))
                link.portOpen(false);
        } else if (note(createMarker(kMonitorMarker))) {
            note(link.RS232_Connect());
            link.portOpen(true);
        }
        break;
    default: return std::nullopt;
    }
    return change;
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
