#include "tp/ui/TPEditCommand.h"

#include "tp/ui/frmTPEdit.h"

TPEditCommand::TPEditCommand(frmTPEdit &editor, TableChange change, EditView before, EditView after, QString mergeKey)
    : EditStep(QString(), std::move(mergeKey)), m_editor(editor), m_change(std::move(change)), m_before(before),
      m_after(after)
{
}

bool TPEditCommand::absorb(const EditStep &later)
{
    const auto &next = static_cast<const TPEditCommand &>(later);
    if (!m_change.absorb(next.m_change))
        return false;
    m_after = next.m_after;
    return true;
}

void TPEditCommand::undo()
{
    m_editor.applyHistory(m_change, true, m_before);
}

void TPEditCommand::redoStep()
{
    m_editor.applyHistory(m_change, false, m_after);
}
