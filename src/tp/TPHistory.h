#pragma once

#include "tp/TPTables.h"

#include <QByteArray>
#include <QList>

#include <vector>

// One undoable change of the working tables (SatData, TPData, SatCount).
// Only the satellite slots that changed are kept, before and after,
// compressed, so a long history of a full set stays small.
class TableChange {
public:
    // The working tables of some regions as they stand before a change.
    class Before {
    public:
        Before(const TPTables &t, const QList<int> &regions);

    private:
        friend class TableChange;
        struct Region {
            int region;
            qint16 satCount;
            std::vector<SatRecord> sats;
            std::vector<TPRecord> tps;
        };
        std::vector<Region> m_regions;
    };

    TableChange() = default;
    // What changed between `before` and the tables now.
    TableChange(const Before &before, const TPTables &after);

    bool isEmpty() const { return m_parts.isEmpty(); }
    // True when undo and redo give the same tables (a run typed back to where it began).
    bool restoresItself() const;
    void undo(TPTables &t) const;
    void redo(TPTables &t) const;
    // Takes `later` into this change when it touched the same slots, so that
    // undoing both is one step; false (and nothing done) otherwise.
    bool absorb(const TableChange &later);
    qsizetype byteSize() const;

private:
    struct Part {
        int region;
        int first;  // satellite slots first..last, with all their TP slots
        int last;
        qint16 countBefore;
        qint16 countAfter;
        QByteArray before;  // the slots packed and compressed
        QByteArray after;
    };
    static void apply(TPTables &t, const Part &part, const QByteArray &packed, qint16 count);
    QList<Part> m_parts;
};
