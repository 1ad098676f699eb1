#pragma once

#include "channel/ChannelEditing.h"

// One undo step, kept small. The lists and favourite groups are kept as
// snapshots (shared with the model until it changes them); of the master
// table only the records that changed, since a copy of the whole table for
// every rename would add up to megabytes a step.
class ChannelHistoryStep {
public:
    ChannelHistoryStep(const ChannelSnapshot &before, const ChannelSnapshot &after);

    // The state before the step, from the master table as it stands after it,
    // and the other way round.
    ChannelSnapshot before(const QList<RomChannel> &romAfter) const;
    ChannelSnapshot after(const QList<RomChannel> &romBefore) const;

    // Takes in the step that follows this one (a run of typing); false when
    // either keeps its master table whole.
    bool mergeNext(const ChannelHistoryStep &next);
    bool changesNothing() const;

private:
    ChannelSnapshot m_before;
    ChannelSnapshot m_after;
    // The master table changed size (never in the editor): kept whole instead.
    bool m_wholeRom = false;
    QList<qsizetype> m_index;
    QList<RomChannel> m_romBefore;
    QList<RomChannel> m_romAfter;
};
