#pragma once

#include "channel/ChannelEditing.h"
#include "channel/ChannelSaver.h"
#include "common/ui/FileDialog.h"
#include "common/ui/KeyStrokes.h"

#include <QMainWindow>
#include <QPointer>

class ChannelListModel;
class Converters;
class FavoriteListModel;
class QAction;
class QCheckBox;
class QGroupBox;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabBar;
class QTreeView;
class QUndoStack;
class frmCHFind;
class ReceiverLink;

// The channel editor: the TV or radio list, rename, moves, locks, favourite
// groups and the file commands. Emits closed() once it has cleaned up.
class frmCHEdit : public QMainWindow {
    Q_OBJECT
public:
    frmCHEdit(ChannelModel &model, ReceiverLink &link, const Converters &converters, QWidget *parent = nullptr);

    ChannelEditing &editing() { return m_editing; }
    // Every change to the channel model made in the window, to undo and redo.
    QUndoStack *undoStack() const { return m_undo; }

    void List1Select(int index);
    void tabChannelType_Click();
    void tabFavorite_Click();

    void chkLock_Click();
    void chkFavorite_Click(int group);
    void lockCommand();
    void favoriteCommand(int group);
    void List3_Click();

    enum class Sort { AToZ, ZToA, Lock, Favorite };
    void sortCommand(Sort sort);
    void List1_ColumnClick(int column);  // 0-based: 1 "Channel Name", 2 "Lock", 3 "Favorite"

    void findCommand();
    // What the find dialog reads and shows: the 1-based row of the selected
    // channel (0 for none), a type switch through the tab, and a match.
    int selectedRow() const;
    void selectTypeTab(int type);
    void showFound(int type, int position, int start, int length);

    void openCommand();
    void saveCommand();
    void saveAsCommand();
    void downloadCommand();
    void uploadCommand();

    void exportCsvCommand();
    void importCsvCommand();
    void orderLikeCommand();

Q_SIGNALS:
    void closed();

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildWindow();
    void buildMenus();
    QTreeView *addList(QWidget *parent, const QString &name, const QList<int> &widthsInTwips);
    QList<int> selectedPositions() const;
    // Shows a channel's name, lock and favourites in the boxes; -1 empties them.
    void showRow(int position);
    // The file that Save writes from now on; only File Open, Save As and Download change it.
    void editFile(const QString &file);
    void selectRows(QTreeView *view, const QList<int> &rows);
    void rename(const QString &text);
    void showLoaded();
    void recordEdit(const ChannelSnapshot &before, const ChannelSnapshot &after, const QString &what,
                    const QString &mergeKey);
    void applySnapshot(const ChannelSnapshot &snapshot);
    void favoritesDropped();
    void favoriteLimitMessage();

    // Yes, No or Cancel, as the save prompt answered; a failed save is Cancel.
    int askToSave();
    // The save prompt, then the file dialog; empty when either was cancelled.
    QString askThenChoose(FileDialogMode mode, const QString &title);
    bool saveTo(const QString &target);
    void reportLoad(const Status &loaded);
    // After the whole list was laid out anew: the edit box on the first row.
    void showReordered();

    ChannelModel &m_model;
    ReceiverLink &m_link;
    const Converters &m_converters;
    ChannelEditing m_editing{m_model};
    ChannelListModel *m_listModel = nullptr;
    FavoriteListModel *m_favoriteModel = nullptr;
    ChannelSaver m_saver{m_converters};
    KeyStrokes m_listKeys;  // presses and releases in List1
    // The image this window edits. Only its File Open, Save As and Download
    // change it; SelectedFile is whatever the last transfer used.
    QString m_selectedFile;
    QString m_saveAsFile;
    QUndoStack *m_undo = nullptr;
    // Typing counts as one step while the run stays the same; selecting,
    // saving, loading, undoing and redoing start a new one.
    int m_renameRun = 0;
    QPointer<frmCHFind> m_find;

    QGroupBox *m_Frame3 = nullptr;
    QTabBar *m_tabChannelType = nullptr;
    QTabBar *m_tabFavorite = nullptr;
    QTreeView *m_List1 = nullptr;
    QTreeView *m_List3 = nullptr;
    QLineEdit *m_txtChannelName = nullptr;
    QWidget *m_pb = nullptr;
    QCheckBox *m_chkLock = nullptr;
    QList<QCheckBox *> m_chkFavorite;
    QMenu *m_List1Sub = nullptr;
    QAction *m_mnuLock = nullptr;
    QList<QAction *> m_mnuFavorite;
};
