#pragma once

#include "tp/TPRecords.h"

#include <QtGlobal>

#include <array>
#include <cstddef>
#include <vector>

// Satellite records of region 0..3 x satellite slot 0..MaxSat. Indexes outside
// the dimensions are a programming error.
class SatTable {
public:
    SatTable() : m_slots(std::size_t(RegionCount) * SatSlots) {}

    SatRecord &operator()(int region, int sat) { return m_slots[index(region, sat)]; }
    const SatRecord &operator()(int region, int sat) const { return m_slots[index(region, sat)]; }

    bool operator==(const SatTable &) const = default;

private:
    static std::size_t index(int region, int sat)
    {
        Q_ASSERT(region >= 0 && region < RegionCount && sat >= 0 && sat < SatSlots);
        return std::size_t(region) * SatSlots + std::size_t(sat);
    }
    std::vector<SatRecord> m_slots;
};

// TP records of region 0..3 x satellite slot 0..MaxSat x TP slot 0..MaxTP.
// Slots beyond a satellite's TPCount carry no meaning and are never written.
class TPTable {
public:
    TPTable() : m_slots(std::size_t(RegionCount) * SatSlots * TPSlots) {}

    TPRecord &operator()(int region, int sat, int tp) { return m_slots[index(region, sat, tp)]; }
    const TPRecord &operator()(int region, int sat, int tp) const { return m_slots[index(region, sat, tp)]; }

    bool operator==(const TPTable &) const = default;

private:
    static std::size_t index(int region, int sat, int tp)
    {
        Q_ASSERT(region >= 0 && region < RegionCount && sat >= 0 && sat < SatSlots && tp >= 0 && tp < TPSlots);
        return (std::size_t(region) * SatSlots + std::size_t(sat)) * TPSlots + std::size_t(tp);
    }
    std::vector<TPRecord> m_slots;
};

// The TP data of the program: created once and handed to whoever needs it.
// The stored tables mirror the files as last read or written; the working
// tables are what the editor changes.
class TPTables {
public:
    SatTable SatData;
    TPTable TPData;
    SatTable SatDataStored;
    TPTable TPDataStored;
    std::array<qint16, RegionCount> SatCount{};  // satellites in use per region (working tables)
    qint16 CurRegion = 0;

    // After a load: the working tables become a copy of the stored ones and
    // every region holds MaxSat satellites, whatever the file held.
    void copyStoredToWorking();
    // Before a save: the stored tables take over the edits.
    void copyWorkingToStored();
};
