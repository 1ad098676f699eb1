#pragma once

#include "common/Result.h"

#include <QSet>
#include <QString>

// Keeps a copy "name.bak" beside a file before a save first overwrites it in a
// session. A copy that cannot be made is an error: the save must stop, so the
// only good copy of the user's data is never replaced without one.
class BackupCopy {
public:
    // The path of the copy made now; empty when the file does not exist or a
    // copy of it was already kept.
    Result<QString> keep(const QString &file);

private:
    QSet<QString> m_kept;
};
