#pragma once

#include "channel/ChannelHistory.h"
#include "common/ui/EditStep.h"

#include <functional>

// One step of the channel editor's history.
class ChannelEditCommand : public EditStep {
public:
    // Puts a state back; `current` gives the master table as it stands.
    using Apply = std::function<void(const ChannelSnapshot &)>;
    using Current = std::function<const QList<RomChannel> &()>;

    ChannelEditCommand(Apply apply, Current current, const ChannelSnapshot &before, const ChannelSnapshot &after,
                       const QString &text, QString mergeKey)
        : EditStep(text, std::move(mergeKey)), m_apply(std::move(apply)), m_current(std::move(current)),
          m_step(before, after)
    {
    }

    void undo() override { m_apply(m_step.before(m_current())); }

private:
    bool absorb(const EditStep &later) override
    {
        return m_step.mergeNext(static_cast<const ChannelEditCommand &>(later).m_step);
    }
    bool changesNothing() const override { return m_step.changesNothing(); }
    void redoStep() override { m_apply(m_step.after(m_current())); }

    Apply m_apply;
    Current m_current;
    ChannelHistoryStep m_step;
};
