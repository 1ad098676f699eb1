// The channel editor's sorts, find and undo history.
#include "channel/ui/ChannelEditCommand.h"
#include "channel/ui/frmCHEdit.h"
#include "channel/ui/frmCHFind.h"
#include "common/ui/WindowServices.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTreeView>
#include <QUndoStack>

void frmCHEdit::sortCommand(Sort sort)
{
    if (!m_model.DataLoaded())
        return;
    switch (sort) {
    case Sort::AToZ: m_editing.sortByName(1); break;
    case Sort::ZToA: m_editing.sortByName(-1); break;
    case Sort::Lock: m_editing.sortByLock(); break;
    case Sort::Favorite: m_editing.sortByFavorite(); break;
    }
    // The rows were rebuilt; keep the edit box on a row it shows.
    m_List1->clearSelection();
    List1Select(1);
}

void frmCHEdit::List1_ColumnClick(int column)
{
    if (!m_model.DataLoaded())
        return;
    if (column == 1)
        sortCommand(m_editing.SortState()[0] ? Sort::ZToA : Sort::AToZ);
    else if (column == 2)
        sortCommand(Sort::Lock);
    else if (column == 3)
        sortCommand(Sort::Favorite);
}

void frmCHEdit::findCommand()
{
    if (!m_find)
        m_find = new frmCHFind(*this);
    KeepOnTop(m_find);
    m_find->raise();
    m_find->activateWindow();
}

int frmCHEdit::selectedRow() const
{
    const QModelIndex current = m_List1->currentIndex();
    return current.isValid() && m_List1->selectionModel()->isRowSelected(current.row()) ? current.row() + 1 : 0;
}

void frmCHEdit::selectTypeTab(int type)
{
    if (m_tabChannelType->currentIndex() == type)
        tabChannelType_Click();
    else
        m_tabChannelType->setCurrentIndex(type);  // the tab's change runs the switch
}

void frmCHEdit::showFound(int type, int position, int start, int length)
{
    if (m_editing.CurrentType() != type)
        selectTypeTab(type);
    m_List1->clearSelection();
    List1Select(position + 1);
    m_List1->scrollTo(m_List1->model()->index(position, 0));
    m_txtChannelName->setSelection(start, length);
}

void frmCHEdit::favoritesDropped()
{
    const int tab = m_editing.CurrentFavoriteTab();
    if (tab == ChannelEditing::LockTab) {
        m_chkLock->setChecked(true);
        chkLock_Click();
        return;
    }
    // A drop is taken whole or not at all.
    const int count = m_editing.tables().Favorites[m_editing.CurrentType()][tab].Count;
    if (count + m_editing.favoriteAdditions(tab, selectedPositions()) > MaxFavorites) {
        favoriteLimitMessage();
        return;
    }
    m_chkFavorite[tab]->setChecked(true);
    chkFavorite_Click(tab);
}

void frmCHEdit::recordEdit(const ChannelSnapshot &before, const ChannelSnapshot &after, const QString &what,
                           const QString &mergeKey)
{
    const QString key = mergeKey.isEmpty() ? QString() : mergeKey + QStringLiteral(" run %1").arg(m_renameRun);
    m_undo->push(new ChannelEditCommand([this](const ChannelSnapshot &s) { applySnapshot(s); },
                                        [this]() -> const QList<RomChannel> & { return m_model.tables().Rom; }, before,
                                        after, what, key));
}

void frmCHEdit::applySnapshot(const ChannelSnapshot &snapshot)
{
    const QModelIndex current = m_List1->currentIndex();
    const int row = current.isValid() ? current.row() + 1 : 1;
    m_editing.restore(snapshot);
    {
        // The snapshot holds the type and its sort flags; a switch would clear them.
        const QSignalBlocker quiet(m_tabChannelType);
        m_tabChannelType->setCurrentIndex(snapshot.type);
    }
    const bool empty = m_editing.rowCount() == 0;
    if (empty) {
        m_chkLock->setChecked(false);
        for (QCheckBox *box : m_chkFavorite)
            box->setChecked(false);
        m_txtChannelName->clear();
    }
    m_pb->setEnabled(!empty);
    m_txtChannelName->setEnabled(!empty);
    m_Frame3->setTitle(snapshot.type == ChannelRadio ? QStringLiteral("Radio Favorite List")
                                                     : QStringLiteral("TV Favorite List"));
    m_List1->clearSelection();
    List1Select(row);
    ++m_renameRun;
}
