#pragma once

#include <QList>
#include <QString>

// What a list operation asks the window to do: select a row (from 0, -1 for
// none) or show a refusal titled "ERROR".
struct ListEdit {
    int select = -1;
    QString refusal;
};

// The rows in `marked`, from the last up, for deletions that keep the numbers valid.
QList<int> rowsFromLast(QList<int> marked);
// The row to select after deleting rows down to `lowestDeleted` from a list
// of `remaining` rows: the row that took its place, else the new last row.
int rowAfterDelete(int lowestDeleted, int remaining);
