#pragma once

#include <QString>

#include <array>

// Satellites per region and TPs per satellite. Each table dimension has one
// spare slot beyond the limit.
inline constexpr qint16 MaxSat = 48;
inline constexpr qint16 MaxTP = 109;
inline constexpr int RegionCount = 4;
inline constexpr int SatSlots = MaxSat + 1;
inline constexpr int TPSlots = MaxTP + 1;

// One satellite; every field is text as the user typed it.
struct SatRecord {
    QString Diseqc;
    QString SatName;
    QString TPCount;
    QString ParseSort;
    QString Deg;

    bool operator==(const SatRecord &) const = default;
};

// One transponder; Polar and FEC are indexes into the editor's lists, as text.
struct TPRecord {
    QString Freq;
    QString Polar;
    QString SR;
    QString FEC;

    bool operator==(const TPRecord &) const = default;
};

// The regions, in the order in which they are always processed.
struct Region {
    const char *code;      // "AM"
    const char *caption;   // "Am", the editor's tab
    const char *fileName;  // "Parse_AM.dll"
};
inline constexpr std::array<Region, RegionCount> Regions{{
    {"AM", "Am", "Parse_AM.dll"},
    {"AS", "As", "Parse_AS.dll"},
    {"AT", "At", "Parse_AT.dll"},
    {"EU", "Eu", "Parse_EU.dll"},
}};

inline QString RegionCode(int region)
{
    return QString::fromLatin1(Regions.at(region).code);
}
inline QString RegionFileName(int region)
{
    return QString::fromLatin1(Regions.at(region).fileName);
}

// The satellite file as the reader looks for it and as the writer names it;
// both spellings denote one file, names being matched without regard to case.
inline const QString PreDefineReadName = QStringLiteral("PreDefine.dll");
inline const QString PreDefineWriteName = QStringLiteral("Predefine.dll");
