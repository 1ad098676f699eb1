#include "tp/ui/TPEditCommand.h"

#include "tp/ui/frmTPEdit.h"

TPEditCommand::TPEditCommand(frmTPEdit &editor, TableChange change, EditView before, EditView after,
                             QString mergeKey)
    : m_editor(editor), m_change(std::move(change)), m_before(before), m_after(after),
      m_mergeKey(std::move(mergeKey))
{
}

bool TPEditCommand::mergeWith(const QUndoCommand *other)
{
    const auto *later = static_cast<const TPEditCommand *>(other);
    if (later->m_mergeKey != m_mergeKey || !m_change.absorb(later->m_change))
        return false;
    m_after = later->m_after;
    setObsolete(m_change.restoresItself());  // typed back to the start: no step left
    return true;
}

void TPEditCommand::undo() { m_editor.applyHistory(m_change, true, m_before); }

void TPEditCommand::redo()
{
    if (m_done) {
        m_done = false;
        return;
    }
    m_editor.applyHistory(m_change, false, m_after);
}
