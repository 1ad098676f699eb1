#pragma once

#include "common/ProgramDir.h"
#include "common/Result.h"

#include <QString>
#include <QStringList>

#include <optional>

class ReceiverLink;

// The configuration is the presence of three empty marker files in the program
// directory: user.ini (user mode), Factory.ini (factory mode) and text.ini
// (monitor mode). Their content is never read.
class Configuration {
public:
    static inline const QString kUserMarker = QStringLiteral("user.ini");
    static inline const QString kFactoryMarker = QStringLiteral("Factory.ini");
    static inline const QString kMonitorMarker = QStringLiteral("text.ini");

    enum OperatingModeValue { NoMode = 0, UserMode = 1, FactoryMode = 2 };

    explicit Configuration(ProgramDir dir);

    bool hasMarker(const QString &name) const { return m_dir.exists(name); }
    Status createMarker(const QString &name) const;
    Status deleteMarker(const QString &name) const;  // succeeds when there is none

    // What a mode button changed, for the main window to show.
    struct ModeChange {
        QStringList errors;  // in the order they happened
        bool hideOsdCommands = false;
    };
    // Mode button `index`: 0 user, 1 factory, 2 neither, 3 monitor on or off.
    // Monitor mode opens or closes the link's monitor port with its marker.
    // Nothing happens for any other index.
    std::optional<ModeChange> ModeSwitch(int index, ReceiverLink &link) const;

    // Reads the markers: OperatingMode changes only when a mode marker exists
    // (user.ini wins over Factory.ini), otherwise it keeps its value.
    void refresh();

    int operatingMode() const { return m_operatingMode; }
    bool extendedLayout() const { return m_extended; }
    bool monitorMode() const { return m_monitor; }

private:
    ProgramDir m_dir;
    int m_operatingMode = NoMode;
    bool m_extended = false;
    bool m_monitor = false;
};
