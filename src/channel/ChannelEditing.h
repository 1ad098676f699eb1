#pragma once

#include "channel/ChannelModel.h"

#include <QList>
#include <QObject>
#include <QString>

#include <array>

// SortState: 0 the last name sort was A to Z, 1 the next lock sort puts
// unlocked channels first, 2 the next favourite sort puts the others first.
using SortFlags = std::array<bool, 3>;

// What an undo step puts back: the tables, and the list and sort flags that
// were current, so the editor shows the list the change was made in.
struct ChannelSnapshot {
    ChannelTables tables;
    int type = ChannelTV;
    SortFlags sortState{};

    bool operator==(const ChannelSnapshot &) const = default;
};

// The editing rules of the channel editor on the model alone: which list and
// favourite tab are current, renames, moves, locks and favourite groups. Rows
// are 1-based where the editor's procedures take rows, positions 0-based.
class ChannelEditing : public QObject {
    Q_OBJECT
public:
    static constexpr int LockTab = 6;

    explicit ChannelEditing(ChannelModel &model, QObject *parent = nullptr);

    ChannelModel &model() { return m_model; }
    const ChannelTables &tables() const { return m_model.tables(); }
    const QList<ChannelEntry> &list() const { return m_model.tables().Channels[m_currentType]; }
    int rowCount() const { return int(list().size()); }

    int CurrentType() const { return m_currentType; }
    int CurrentFavoriteTab() const { return m_currentFavoriteTab; }
    const SortFlags &SortState() const { return m_sortState; }

    // The type switch on the model: false when both lists are empty, which
    // clears DataLoaded. Nothing happens unless DataLoaded is set.
    bool switchType(int type);
    void setFavoriteTab(int tab);
    // Announces that the model was replaced whole (a load).
    void reloaded();

    QString channelName(int position) const;
    qint16 myIndex(int position) const;

    // A name the channel files can hold: ISO-8859-1 without "|" or control characters.
    static bool isStorableName(const QString &text);
    // Refuses names that are not storable; an empty name becomes one zero byte.
    bool rename(int position, const QString &text);

    qint16 GetLockBit(int index) const;
    void SaveLockBit(int index, int value);
    bool Favorite_Extant(int itemIndex) const;

    enum class AddOutcome { Added, Present, Full };
    AddOutcome Favorite_ADD(int group, int position);
    bool Favorite_DEL(int group, int position);
    void FindFavoriteCHIndex();

    // The lock box: every given position locked or unlocked.
    void setLocked(const QList<int> &positions, bool locked);
    // The favourite box: positions added to (or removed from) the group in
    // order. Answers how many additions the 50 limit refused.
    int setFavorite(int group, const QList<int> &positions, bool on);

    // Moves the channels at `positions` to land, in their order, before row
    // `targetRow` (row count + 1: the end). Answers their new positions.
    QList<int> moveChannels(QList<int> positions, int targetRow);
    // Reorders entries of a favourite group the same way; answers their new places.
    QList<int> moveFavorites(int group, QList<int> entries, int targetRow);

    // Positions the favourite view lists under the current favourite tab.
    QList<int> favoriteViewPositions() const;
    // How many of the positions group g does not hold yet.
    int favoriteAdditions(int group, const QList<int> &positions) const;

    // The sorts of the current list; favourite groups keep their order.
    void sortByName(int direction);  // +1 A to Z, -1 Z to A
    void sortByLock();
    void sortByFavorite();

    // Puts in tables made from the current ones (an import, an order) as one step.
    void replaceTables(const ChannelTables &tables, const QString &what);

    ChannelSnapshot snapshot() const;
    // Puts a snapshot back whole; not an edit of its own.
    void restore(const ChannelSnapshot &snapshot);

    // Groups the changes made while it lives into one edited() step; steps
    // inside a step belong to the outer one.
    class EditStep {
    public:
        EditStep(ChannelEditing &editing, QString what, QString mergeKey = {});
        ~EditStep();
        EditStep(const EditStep &) = delete;
        EditStep &operator=(const EditStep &) = delete;

    private:
        ChannelEditing &m_editing;
        bool m_outer;
    };

Q_SIGNALS:
    void listReset();                   // the shown list changed as a whole
    void channelChanged(int position);  // one row's texts changed
    void favoritesChanged();            // the favourite view must be rebuilt
    // A step changed the tables. Steps with the same non-empty merge key that
    // follow each other may count as one (typing a name).
    void edited(const ChannelSnapshot &before, const ChannelSnapshot &after, const QString &what,
                const QString &mergeKey);

private:
    QList<ChannelEntry> &mutableList() { return m_model.tables().Channels[m_currentType]; }
    FavoriteGroup &group(int g) { return m_model.tables().Favorites[m_currentType][g]; }
    const FavoriteGroup &group(int g) const { return m_model.tables().Favorites[m_currentType][g]; }
    bool validPosition(int position) const { return position >= 0 && position < rowCount(); }

    ChannelModel &m_model;
    int m_currentType = ChannelTV;
    int m_currentFavoriteTab = 0;
    SortFlags m_sortState{};
    int m_editDepth = 0;
    ChannelSnapshot m_editBefore;
    QString m_editWhat;
    QString m_editKey;
};
