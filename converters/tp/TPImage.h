#pragma once

#include "common/Result.h"
#include "tp/TPTables.h"

#include <QByteArray>

// The receiver's TP image (".MDA"): the satellites and TPs of the four regions
// in 262,144 bytes. The layout is described in docs/tp-image-format.md.
inline constexpr qsizetype TPImageSize = 262144;

// Reads an image into the stored tables (satellite slots 0..47, TPs within
// each count). Refuses any image that combineTPImage would not write exactly
// so, which makes combine(parse(image)) == image for every accepted image.
Status parseTPImage(const QByteArray &image, SatTable &sats, TPTable &tps);

// Writes the image of the stored tables. Fails, naming the field, when a
// field is longer than its box allows, holds text the files cannot carry, or
// when the TPs do not fit.
Result<QByteArray> combineTPImage(const SatTable &sats, const TPTable &tps);
