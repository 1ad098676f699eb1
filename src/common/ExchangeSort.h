#pragma once

#include <QList>

#include <algorithm>
#include <functional>
#include <numeric>
#include <utility>
#include <vector>

// The exchange sort the editors' sorts are: compare every i with every later j and exchange
// when `outOfOrder(key at i, key at j)`. It is not stable, and its order of equal keys is part
// of what the lists show. Done on indexes: entry k of the result is the old position of what
// ends at k.
template <typename Key, typename OutOfOrder>
QList<int> exchangeSortOrder(const QList<Key> &keys, OutOfOrder outOfOrder)
{
    QList<int> order(keys.size());
    std::iota(order.begin(), order.end(), 0);
    for (qsizetype i = 0; i + 1 < order.size(); ++i)
        for (qsizetype j = i + 1; j < order.size(); ++j)
            if (outOfOrder(keys[order[i]], keys[order[j]]))
                std::swap(order[i], order[j]);
    return order;
}

// The same by operator< (direction +1 ascending, -1 descending). The keys are ranked first so
// that the quadratic pass compares integers; they must be strictly weakly ordered.
template <typename Key>
QList<int> exchangeSortOrder(const QList<Key> &keys, int direction)
{
    const qsizetype n = keys.size();
    std::vector<qsizetype> byKey(n);
    std::iota(byKey.begin(), byKey.end(), 0);
    std::sort(byKey.begin(), byKey.end(), [&keys](qsizetype a, qsizetype b) { return keys[a] < keys[b]; });
    QList<int> rank(n);
    int r = 0;
    for (qsizetype k = 0; k < n; ++k) {
        if (k > 0 && keys[byKey[k - 1]] < keys[byKey[k]])
            ++r;
        rank[byKey[k]] = r;
    }
    if (direction > 0)
        return exchangeSortOrder(rank, std::greater<int>());
    return exchangeSortOrder(rank, std::less<int>());
}
