#pragma once

#include "common/ProgramDir.h"
#include "common/Result.h"

#include <QByteArray>
#include <QString>

// What ChannelParse and ChannelCombine do, for the programs, the sample
// generator and the tests.

// A file that is exactly one channel image long.
Result<QByteArray> readChannelImageFile(const QString &path);

// Writes TV.dll, Radio.dll, Favorite.dll and ROM_GetCH.dll (names raw) in `dir`.
// Nothing is written unless the whole image is sound.
Status channelParse(const QString &imagePath, const ProgramDir &dir);

// Reads the four files of `dir` (names in hexadecimal) and the source image and
// writes the target image whole. Nothing is written unless all of it fits.
Status channelCombine(const QString &sourcePath, const QString &targetPath, const ProgramDir &dir);
