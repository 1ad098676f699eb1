#pragma once

#include "common/BackupCopy.h"
#include "common/Converters.h"
#include "common/ProgramDir.h"
#include "common/Result.h"
#include "tp/TPTables.h"

#include <QString>

// Saving the working tables into a TP image: the stored tables take them
// over, the five files are written and the combiner makes the image. Before
// an existing image is first overwritten in a session, a copy "name.MDA.bak"
// is kept beside it. A failed save leaves the stored tables as they were, so
// the edits still count as unsaved.
class TPSaver {
public:
    TPSaver(ProgramDir dir, Converters converters);

    // On success, the board line to show (empty when there is nothing to say).
    Result<QString> save(TPTables &tables, const QString &mdaFile);

private:
    ProgramDir m_dir;
    Converters m_converters;
    BackupCopy m_backups;
};
