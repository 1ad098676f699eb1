#pragma once

#include "download/CodeRanges.h"

#include <QByteArray>
#include <QStringList>

#include <array>

inline const QString CodeListFileName = QStringLiteral("Code.bin");

// The lines of the code list, CR LF (or LF) ended, each byte one character.
QStringList CodeLines(const QByteArray &text);

// The lines listed for the ticked regions (indexed as DownloadRegion), in file
// order; regions are tested Europe, Asia, Atlantic, America, so a line in two
// ticked regions is listed twice. Lines of value 0 are never listed.
QStringList CodesInRegions(const QStringList &lines, const std::array<bool, 4> &ticked);
