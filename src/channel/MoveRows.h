#pragma once

#include <QList>

#include <algorithm>

// Removes the items at `positions` and inserts them, in their old order, before
// the item that stood at 1-based row `targetRow` (beyond the last: at the end).
// Answers the positions the moved items took.
template <typename T>
QList<int> moveBefore(QList<T> &items, QList<int> positions, int targetRow)
{
    std::sort(positions.begin(), positions.end());
    positions.erase(std::unique(positions.begin(), positions.end()), positions.end());
    positions.removeIf([&items](int p) { return p < 0 || p >= items.size(); });
    if (positions.isEmpty())
        return {};
    const int start = std::clamp(targetRow, 1, int(items.size()) + 1);
    int target = start;
    QList<T> moved;
    moved.reserve(positions.size());
    QList<T> kept;
    kept.reserve(items.size() - positions.size());
    qsizetype next = 0;
    for (qsizetype p = 0; p < items.size(); ++p) {
        if (next < positions.size() && positions[next] == p) {
            moved.append(std::move(items[p]));
            if (p + 1 < start)
                --target;
            ++next;
        } else {
            kept.append(std::move(items[p]));
        }
    }
    const int at = std::clamp(target - 1, 0, int(kept.size()));
    QList<int> landed;
    for (qsizetype k = 0; k < moved.size(); ++k)
        landed.append(at + int(k));
    kept.insert(at, moved.size(), T());
    std::move(moved.begin(), moved.end(), kept.begin() + at);
    items = std::move(kept);
    return landed;
}
