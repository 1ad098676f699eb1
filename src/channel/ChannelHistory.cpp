#include "channel/ChannelHistory.h"

ChannelHistoryStep::ChannelHistoryStep(const ChannelSnapshot &before, const ChannelSnapshot &after)
    : m_before(before), m_after(after)
{
    const QList<RomChannel> &a = before.tables.Rom;
    const QList<RomChannel> &b = after.tables.Rom;
    if (a.size() != b.size()) {
        m_wholeRom = true;
        return;
    }
    if (a != b) {
        for (qsizetype i = 0; i < a.size(); ++i) {
            if (!(a[i] == b[i])) {
                m_index.append(i);
                m_romBefore.append(a[i]);
                m_romAfter.append(b[i]);
            }
        }
    }
    m_before.tables.Rom.clear();
    m_after.tables.Rom.clear();
}

namespace {
ChannelSnapshot patched(ChannelSnapshot state, const QList<RomChannel> &rom, const QList<qsizetype> &index,
                        const QList<RomChannel> &records)
{
    state.tables.Rom = rom;
    for (qsizetype k = 0; k < index.size(); ++k) {
        if (index[k] < state.tables.Rom.size())
            state.tables.Rom[index[k]] = records[k];
    }
    return state;
}
}  // namespace

ChannelSnapshot ChannelHistoryStep::before(const QList<RomChannel> &romAfter) const
{
    return m_wholeRom ? m_before : patched(m_before, romAfter, m_index, m_romBefore);
}

ChannelSnapshot ChannelHistoryStep::after(const QList<RomChannel> &romBefore) const
{
    return m_wholeRom ? m_after : patched(m_after, romBefore, m_index, m_romAfter);
}

bool ChannelHistoryStep::mergeNext(const ChannelHistoryStep &next)
{
    if (m_wholeRom || next.m_wholeRom)
        return false;
    for (qsizetype k = 0; k < next.m_index.size(); ++k) {
        const qsizetype at = m_index.indexOf(next.m_index[k]);
        if (at >= 0) {
            m_romAfter[at] = next.m_romAfter[k];
        } else {
            m_index.append(next.m_index[k]);
            m_romBefore.append(next.m_romBefore[k]);
            m_romAfter.append(next.m_romAfter[k]);
        }
    }
    for (qsizetype k = m_index.size() - 1; k >= 0; --k) {
        if (m_romBefore[k] == m_romAfter[k]) {
            m_index.removeAt(k);
            m_romBefore.removeAt(k);
            m_romAfter.removeAt(k);
        }
    }
    m_after = next.m_after;
    return true;
}

bool ChannelHistoryStep::changesNothing() const
{
    if (m_wholeRom)
        return m_before.tables == m_after.tables;
    return m_index.isEmpty() && m_before.tables == m_after.tables;
}
