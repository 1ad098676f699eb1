#pragma once

#include "common/ui/EditStep.h"
#include "tp/TPHistory.h"
#include "tp/TPSorts.h"

class frmTPEdit;

// What the editor showed around a change: region, satellite row, TP row (from 1),
// and the sort directions, which undo and redo put back with the rows.
struct EditView {
    int region = 0;
    int satRow = 0;
    int tpRow = 0;
    TPSortFlags sortFlags;
};

// One step of the TP editor's history.
class TPEditCommand : public EditStep {
public:
    TPEditCommand(frmTPEdit &editor, TableChange change, EditView before, EditView after, QString mergeKey);

    void undo() override;

private:
    bool absorb(const EditStep &later) override;
    bool changesNothing() const override { return m_change.restoresItself(); }
    void redoStep() override;

    frmTPEdit &m_editor;
    TableChange m_change;
    EditView m_before;
    EditView m_after;
};
