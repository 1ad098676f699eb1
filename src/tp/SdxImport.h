#pragma once

#include "common/ProgramDir.h"
#include "tp/TPTables.h"

#include <QByteArray>
#include <QString>

// The downloaded file of a position: "Temp/" and Deg as four digits with ".sdx";
// empty when Deg cannot name a file there.
QString SdxFileName(const QString &deg);

// Reads the transponder lines of a downloaded file into TP slots 0.. of one
// satellite, kept by the parse option's text; returns how many were kept (at
// most MaxTP).
int ReadSdxTransponders(const QByteArray &text, const QString &option, TPTable &tps, int region, int sat);

// Replaces the TPs of satellite slot `sat` of `region` from its downloaded file;
// without a file the satellite holds `defaultTP` alone. Returns whether a file was read.
bool ImportSatellite(const ProgramDir &dir, TPTables &tables, int region, int sat, const QString &option,
                     const TPRecord &defaultTP);
