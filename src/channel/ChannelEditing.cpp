#include "channel/ChannelEditing.h"

#include "channel/ChannelArrange.h"
#include "channel/MoveRows.h"

#include <QHash>

ChannelEditing::ChannelEditing(ChannelModel &model, QObject *parent) : QObject(parent), m_model(model)
{
}

bool ChannelEditing::switchType(int type)
{
    if (!m_model.DataLoaded())
        return false;
    const ChannelTables &t = tables();
    if (t.Channels[ChannelTV].isEmpty() && t.Channels[ChannelRadio].isEmpty()) {
        m_model.setDataLoaded(false);
        return false;
    }
    m_currentType = type == ChannelRadio ? ChannelRadio : ChannelTV;
    m_sortState = {};
    Q_EMIT listReset();
    Q_EMIT favoritesChanged();
    return true;
}

void ChannelEditing::setFavoriteTab(int tab)
{
    if (!m_model.DataLoaded())
        return;
    m_currentFavoriteTab = qBound(0, tab, int(LockTab));
    Q_EMIT favoritesChanged();
}

void ChannelEditing::reloaded()
{
    Q_EMIT listReset();
    Q_EMIT favoritesChanged();
}

QString ChannelEditing::channelName(int position) const
{
    if (!validPosition(position))
        return {};
    return tables().Rom.value(list()[position].ChannelIndex).Name;
}

qint16 ChannelEditing::myIndex(int position) const
{
    if (!validPosition(position))
        return -1;
    return tables().Rom.value(list()[position].ChannelIndex).MyIndex;
}

bool ChannelEditing::isStorableName(const QString &text)
{
    for (const QChar c : text) {
        // Control characters (CR and LF among them) do not survive the hex name
        // format, which writes bytes below 16 as one digit.
        if (c.unicode() < 32 || c.unicode() > 0xFF || c == QLatin1Char('|'))
            return false;
    }
    return true;
}

bool ChannelEditing::rename(int position, const QString &text)
{
    EditStep step(*this, QStringLiteral("Rename"), QStringLiteral("rename %1 %2").arg(m_currentType).arg(position));
    if (!validPosition(position) || !isStorableName(text))
        return false;
    const qint16 index = list()[position].ChannelIndex;
    if (index < 0 || index >= tables().Rom.size())
        return false;
    setChannelName(m_model.tables().Rom[index], text);
    // Every row of the shown list naming this record shows the new name.
    for (int p = 0; p < rowCount(); ++p) {
        if (list()[p].ChannelIndex == index)
            Q_EMIT channelChanged(p);
    }
    Q_EMIT favoritesChanged();
    return true;
}

qint16 ChannelEditing::GetLockBit(int index) const
{
    if (!validPosition(index - 1))
        return 0;
    return qint16(list()[index - 1].Attribute & LockBit);
}

void ChannelEditing::SaveLockBit(int index, int value)
{
    if (!validPosition(index - 1))
        return;
    EditStep step(*this, QStringLiteral("Lock"));
    qint16 &attribute = mutableList()[index - 1].Attribute;
    if (value == 1)
        attribute = qint16(attribute | LockBit);
    else if (value == 0)
        attribute = qint16(attribute & 0xFF & ~LockBit);
    Q_EMIT channelChanged(index - 1);
}

bool ChannelEditing::Favorite_Extant(int itemIndex) const
{
    if (!validPosition(itemIndex - 1))
        return false;
    const auto &flags = list()[itemIndex - 1].FavoriteFlag;
    return std::any_of(flags.begin(), flags.end(), [](qint16 f) { return f == 1; });
}

ChannelEditing::AddOutcome ChannelEditing::Favorite_ADD(int g, int position)
{
    EditStep step(*this, QStringLiteral("Favorite"));
    FavoriteGroup &fav = group(g);
    if (fav.Count >= MaxFavorites)
        return AddOutcome::Full;
    for (int k = 0; k < fav.Count; ++k) {
        if (fav.CHIndex[k] == position)
            return AddOutcome::Present;
    }
    if (!validPosition(position))
        return AddOutcome::Present;
    mutableList()[position].FavoriteFlag[g] = 1;
    fav.CHIndex[fav.Count] = qint16(position);
    fav.MyIndex[fav.Count] = myIndex(position);
    ++fav.Count;
    Q_EMIT channelChanged(position);
    return AddOutcome::Added;
}

bool ChannelEditing::Favorite_DEL(int g, int position)
{
    EditStep step(*this, QStringLiteral("Favorite"));
    FavoriteGroup &fav = group(g);
    if (fav.Count <= 0 || !validPosition(position) || list()[position].FavoriteFlag[g] != 1)
        return false;
    mutableList()[position].FavoriteFlag[g] = 0;
    const int count = fav.Count--;
    for (int k = 0; k < count; ++k) {
        if (fav.CHIndex[k] != position)
            continue;
        for (int j = k; j + 1 < count; ++j) {
            fav.CHIndex[j] = fav.CHIndex[j + 1];
            fav.MyIndex[j] = fav.MyIndex[j + 1];
        }
        break;
    }
    Q_EMIT channelChanged(position);
    return true;
}

void ChannelEditing::FindFavoriteCHIndex()
{
    EditStep step(*this, QStringLiteral("Favorite"));
    for (int g = 0; g < FavoriteGroupCount; ++g) {
        // The last row of a master record in the group wins, as a row-by-row scan does.
        QHash<qint16, qint16> positionOf;
        for (int p = 0; p < rowCount(); ++p) {
            if (list()[p].FavoriteFlag[g] == 1)
                positionOf.insert(myIndex(p), qint16(p));
        }
        FavoriteGroup &fav = group(g);
        for (int k = 0; k < fav.Count; ++k) {
            const auto found = positionOf.constFind(fav.MyIndex[k]);
            if (found != positionOf.constEnd())
                fav.CHIndex[k] = *found;
        }
    }
}

void ChannelEditing::setLocked(const QList<int> &positions, bool locked)
{
    EditStep step(*this, QStringLiteral("Lock"));
    for (const int p : positions)
        SaveLockBit(p + 1, locked ? 1 : 0);
    Q_EMIT favoritesChanged();
}

int ChannelEditing::setFavorite(int g, const QList<int> &positions, bool on)
{
    EditStep step(*this, QStringLiteral("Favorite"));
    int refused = 0;
    for (const int p : positions) {
        if (on)
            refused += Favorite_ADD(g, p) == AddOutcome::Full ? 1 : 0;
        else
            Favorite_DEL(g, p);
    }
    Q_EMIT favoritesChanged();
    return refused;
}

QList<int> ChannelEditing::moveChannels(QList<int> positions, int targetRow)
{
    EditStep step(*this, QStringLiteral("Move"));
    const QList<int> landed = moveBefore(mutableList(), std::move(positions), targetRow);
    FindFavoriteCHIndex();
    Q_EMIT listReset();
    Q_EMIT favoritesChanged();
    return landed;
}

QList<int> ChannelEditing::moveFavorites(int g, QList<int> entries, int targetRow)
{
    EditStep step(*this, QStringLiteral("Move favorites"));
    FavoriteGroup &fav = group(g);
    QList<std::pair<qint16, qint16>> items;
    for (int k = 0; k < fav.Count; ++k)
        items.append({fav.CHIndex[k], fav.MyIndex[k]});
    const QList<int> landed = moveBefore(items, std::move(entries), targetRow);
    for (int k = 0; k < fav.Count; ++k) {
        fav.CHIndex[k] = items[k].first;
        fav.MyIndex[k] = items[k].second;
    }
    Q_EMIT favoritesChanged();
    return landed;
}

QList<int> ChannelEditing::favoriteViewPositions() const
{
    QList<int> positions;
    if (m_currentFavoriteTab == LockTab) {
        for (int p = 0; p < rowCount(); ++p) {
            if (GetLockBit(p + 1) == LockBit)
                positions.append(p);
        }
        return positions;
    }
    const FavoriteGroup &fav = group(m_currentFavoriteTab);
    for (int k = 0; k < qBound(0, int(fav.Count), MaxFavorites); ++k)
        positions.append(fav.CHIndex[k]);
    return positions;
}
