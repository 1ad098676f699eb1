#pragma once

#include "channel/ChannelModel.h"
#include "common/BackupCopy.h"
#include "common/Converters.h"
#include "common/Result.h"

#include <QString>

// Saving the channel model into an image: the four files are written and the
// combiner makes `target` from them over the `source` image. Before an
// existing target is first overwritten in a session, a copy "name.bak" is kept
// beside it; a copy that cannot be made stops the save. The model's saved copy
// moves to what was written only once the combiner has succeeded, so after a
// failed save the edits still count as unsaved.
class ChannelSaver {
public:
    explicit ChannelSaver(Converters converters);

    // On success, the board line to show (empty when there is nothing to say).
    Result<QString> save(ChannelModel &model, const QString &source, const QString &target);

private:
    Converters m_converters;
    BackupCopy m_backups;
};
