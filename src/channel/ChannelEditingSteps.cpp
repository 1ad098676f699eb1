// The sorts of the channel editor and its undo steps.
#include "channel/ChannelEditing.h"

#include "channel/ChannelSorts.h"

#include <QSet>

int ChannelEditing::favoriteAdditions(int g, const QList<int> &positions) const
{
    const FavoriteGroup &fav = group(g);
    QSet<int> held;
    for (int k = 0; k < qBound(0, int(fav.Count), MaxFavorites); ++k)
        held.insert(fav.CHIndex[k]);
    int added = 0;
    for (const int p : positions) {
        if (validPosition(p) && !held.contains(p)) {
            held.insert(p);
            ++added;
        }
    }
    return added;
}

void ChannelEditing::sortByName(int direction)
{
    EditStep step(*this, QStringLiteral("Sort"));
    m_sortState = {direction > 0, false, false};
    sortChannelsByName(mutableList(), tables().Rom, direction > 0 ? 1 : -1);
    FindFavoriteCHIndex();
    Q_EMIT listReset();
    Q_EMIT favoritesChanged();
}

void ChannelEditing::sortByLock()
{
    EditStep step(*this, QStringLiteral("Sort"));
    sortChannelsByFlag(mutableList(), isLocked, m_sortState[1]);
    m_sortState = {false, !m_sortState[1], false};
    FindFavoriteCHIndex();
    Q_EMIT listReset();
    Q_EMIT favoritesChanged();
}

void ChannelEditing::sortByFavorite()
{
    EditStep step(*this, QStringLiteral("Sort"));
    sortChannelsByFlag(mutableList(), isInAnyFavorite, m_sortState[2]);
    m_sortState = {false, false, !m_sortState[2]};
    FindFavoriteCHIndex();
    Q_EMIT listReset();
    Q_EMIT favoritesChanged();
}

void ChannelEditing::replaceTables(const ChannelTables &tables, const QString &what)
{
    EditStep step(*this, what);
    m_model.tables() = tables;
    Q_EMIT listReset();
    Q_EMIT favoritesChanged();
}

ChannelSnapshot ChannelEditing::snapshot() const
{
    return {tables(), m_currentType, m_sortState};
}

void ChannelEditing::restore(const ChannelSnapshot &snapshot)
{
    m_model.tables() = snapshot.tables;
    m_currentType = snapshot.type == ChannelRadio ? ChannelRadio : ChannelTV;
    m_sortState = snapshot.sortState;
    Q_EMIT listReset();
    Q_EMIT favoritesChanged();
}

ChannelEditing::EditStep::EditStep(ChannelEditing &editing, QString what, QString mergeKey)
    : m_editing(editing), m_outer(editing.m_editDepth++ == 0)
{
    if (!m_outer)
        return;
    // The lists are implicitly shared: this copies little until something changes.
    m_editing.m_editBefore = m_editing.snapshot();
    m_editing.m_editWhat = std::move(what);
    m_editing.m_editKey = std::move(mergeKey);
}

ChannelEditing::EditStep::~EditStep()
{
    --m_editing.m_editDepth;
    if (!m_outer)
        return;
    ChannelSnapshot before = std::move(m_editing.m_editBefore);
    m_editing.m_editBefore = {};
    if (before.tables == m_editing.tables())
        return;
    Q_EMIT m_editing.edited(before, m_editing.snapshot(), m_editing.m_editWhat, m_editing.m_editKey);
}
