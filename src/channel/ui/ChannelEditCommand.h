#pragma once

#include "channel/ChannelEditing.h"

#include <QUndoCommand>

#include <functional>

// One step of the editor's history: the model state before and after it. The
// change is already made when the step is pushed, so its first redo does
// nothing. Steps with the same merge key (one run of typing) become one.
class ChannelEditCommand : public QUndoCommand {
public:
    using Apply = std::function<void(const ChannelSnapshot &)>;

    ChannelEditCommand(Apply apply, ChannelSnapshot before, ChannelSnapshot after, const QString &text,
                       QString mergeKey)
        : QUndoCommand(text), m_apply(std::move(apply)), m_before(std::move(before)), m_after(std::move(after)),
          m_mergeKey(std::move(mergeKey))
    {
    }

    void undo() override { m_apply(m_before); }
    void redo() override
    {
        if (m_done) {
            m_done = false;
            return;
        }
        m_apply(m_after);
    }
    int id() const override { return m_mergeKey.isEmpty() ? -1 : 1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const ChannelEditCommand *>(other);
        if (next->m_mergeKey != m_mergeKey)
            return false;
        m_after = next->m_after;
        // Typing back to the old name leaves nothing to undo.
        setObsolete(m_after.tables == m_before.tables);
        return true;
    }

private:
    Apply m_apply;
    ChannelSnapshot m_before;
    ChannelSnapshot m_after;
    QString m_mergeKey;
    bool m_done = true;
};
