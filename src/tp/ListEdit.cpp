#include "tp/ListEdit.h"

#include <algorithm>
#include <functional>

QList<int> rowsFromLast(QList<int> marked)
{
    std::sort(marked.begin(), marked.end(), std::greater<>());
    marked.erase(std::unique(marked.begin(), marked.end()), marked.end());
    return marked;
}

int rowAfterDelete(int lowestDeleted, int remaining)
{
    return std::min(lowestDeleted, remaining - 1);
}
