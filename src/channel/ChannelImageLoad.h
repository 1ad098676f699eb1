#pragma once

#include "channel/ChannelModel.h"
#include "common/Converters.h"
#include "common/Result.h"

#include <QString>

// What became of a channel image that was to be loaded.
struct ChannelImageLoad {
    // ChannelParse took the image; until it has, the model is untouched.
    bool converted = false;
    // Why the image is not in the model. A load that fails after the
    // conversion leaves the model empty, as LoadChannelFiles does.
    Status status = Status::success();
};

// Converts a channel image with ChannelParse and loads the files it wrote into the model.
ChannelImageLoad loadChannelImage(const Converters &converters, ChannelModel &model, const QString &binFile);

// The tables of a channel image, through ChannelParse in a scratch directory,
// so the program directory's files (an open editor's) stay as they are.
Result<ChannelTables> readChannelImage(const ProgramDir &dir, const QString &binFile);
// Makes `targetBin` from `sourceBin` with `tables` through ChannelCombine in a
// scratch directory; the target is replaced whole or not at all.
Status writeChannelImage(const ProgramDir &dir, const ChannelTables &tables, const QString &sourceBin,
                         const QString &targetBin);
