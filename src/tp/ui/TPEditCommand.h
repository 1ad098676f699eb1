#pragma once

#include "tp/TPHistory.h"
#include "tp/TPSorts.h"

#include <QUndoCommand>

class frmTPEdit;

// What the editor showed around a change: region, satellite row, TP row (from 1),
// and the sort directions, which undo and redo put back with the rows.
struct EditView {
    int region = 0;
    int satRow = 0;
    int tpRow = 0;
    TPSortFlags sortFlags;
};

// One step of the TP editor's history. Steps with the same non-empty merge
// key (a run of typing in one box on one row) become one.
class TPEditCommand : public QUndoCommand {
public:
    TPEditCommand(frmTPEdit &editor, TableChange change, EditView before, EditView after, QString mergeKey);

    int id() const override { return m_mergeKey.isEmpty() ? -1 : 1; }
    bool mergeWith(const QUndoCommand *other) override;
    void undo() override;
    void redo() override;

private:
    frmTPEdit &m_editor;
    TableChange m_change;
    EditView m_before;
    EditView m_after;
    QString m_mergeKey;
    bool m_done = true; // pushed after the change was made
};
