#pragma once

#include "common/Result.h"

#include <QHash>
#include <QString>

// Keeps a copy "name.bak" beside a file before a save first overwrites it in a
// session. A copy that cannot be made is an error: the save must stop, so the
// only good copy of the user's data is never replaced without one.
class BackupCopy {
public:
    // The path of the copy to tell the user of: made now, or made before a save
    // that then failed. Empty when the file does not exist or the copy was told.
    Result<QString> keep(const QString &file);
    // The save went through; its copy has been told.
    void told(const QString &file);

private:
    QHash<QString, bool> m_kept;  // absolute path -> told
};
