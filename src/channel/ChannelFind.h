#pragma once

#include "channel/ChannelRecords.h"

#include <QString>

#include <optional>

// Where a find searches: the types from firstType to lastType, beginning at
// startPosition (0-based) of startType, then wrapping to the first type.
struct FindStart {
    int firstType = ChannelTV;
    int lastType = ChannelTV;
    int startType = ChannelTV;
    int startPosition = 0;

    bool operator==(const FindStart &) const = default;
};

struct FindHit {
    int type = ChannelTV;
    int position = 0;  // 0-based
    int start = 0;     // where the text begins in the name

    bool operator==(const FindHit &) const = default;
};

// The search the ticked boxes ask for. `selectedRow` is the 1-based row of the
// selected channel (0 for none), so the search begins right after it. A box of
// the other type alone starts at the first channel of that type, which the
// editor then switches to. Nothing when neither box is ticked.
std::optional<FindStart> planFind(bool tv, bool radio, int currentType, int selectedRow);

// The first channel, in sweep order, whose upper-cased name holds the
// upper-cased text; nothing for an empty text or no match.
std::optional<FindHit> findChannel(const ChannelTables &tables, const QString &text, const FindStart &start);
