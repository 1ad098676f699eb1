#pragma once

#include "channel/ChannelHistory.h"

#include <QUndoCommand>

#include <functional>

// One step of the editor's history. The change is already made when the step
// is pushed, so its first redo does nothing. Steps with the same merge key
// (one run of typing) become one.
class ChannelEditCommand : public QUndoCommand {
public:
    // Puts a state back; `current` gives the master table as it stands.
    using Apply = std::function<void(const ChannelSnapshot &)>;
    using Current = std::function<const QList<RomChannel> &()>;

    ChannelEditCommand(Apply apply, Current current, const ChannelSnapshot &before, const ChannelSnapshot &after,
                       const QString &text, QString mergeKey)
        : QUndoCommand(text), m_apply(std::move(apply)), m_current(std::move(current)), m_step(before, after),
          m_mergeKey(std::move(mergeKey))
    {
    }

    void undo() override { m_apply(m_step.before(m_current())); }
    void redo() override
    {
        if (m_done) {
            m_done = false;
            return;
        }
        m_apply(m_step.after(m_current()));
    }
    int id() const override { return m_mergeKey.isEmpty() ? -1 : 1; }
    bool mergeWith(const QUndoCommand *other) override
    {
        const auto *next = static_cast<const ChannelEditCommand *>(other);
        if (next->m_mergeKey != m_mergeKey || !m_step.mergeNext(next->m_step))
            return false;
        // Typing back to the old name leaves nothing to undo.
        setObsolete(m_step.changesNothing());
        return true;
    }

private:
    Apply m_apply;
    Current m_current;
    ChannelHistoryStep m_step;
    QString m_mergeKey;
    bool m_done = true;
};
