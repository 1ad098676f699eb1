#include "channel/ui/frmCHEdit.h"

#include "channel/ChannelListModel.h"
#include "channel/FavoriteListModel.h"
#include "channel/ui/ChannelNameValidator.h"
#include "common/TextServices.h"
#include "common/Twips.h"
#include "common/ui/HistoryKeys.h"
#include "common/ui/WindowServices.h"
#include "link/ReceiverLink.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTreeView>
#include <QUndoStack>
#include <QVBoxLayout>

frmCHEdit::frmCHEdit(ChannelModel &model, ReceiverLink &link, const Converters &converters, QWidget *parent)
    : QMainWindow(parent), m_model(model), m_link(link), m_converters(converters)
{
    setObjectName(QStringLiteral("frmCHEdit"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_listModel = new ChannelListModel(m_editing, this);
    m_favoriteModel = new FavoriteListModel(m_editing, this);
    m_undo = new QUndoStack(this);
    connect(&m_editing, &ChannelEditing::edited, this, &frmCHEdit::recordEdit);
    buildWindow();
    buildMenus();
    // Whoever opened the window chose the file; from here on the editor keeps its own.
    m_selectedFile = m_link.selectedFile;
    setWindowTitle(ShortenPathCaption(m_selectedFile));
    connect(m_listModel, &ChannelListModel::channelsMoved, this, [this](const QList<int> &rows) {
        selectRows(List1, rows);
        if (!rows.isEmpty())
            List1->selectionModel()->setCurrentIndex(m_listModel->index(rows.first(), 0),
                                                     QItemSelectionModel::NoUpdate);
    });
    connect(m_favoriteModel, &FavoriteListModel::entriesMoved, this,
            [this](const QList<int> &rows) { selectRows(List3, rows); });
    connect(m_favoriteModel, &FavoriteListModel::channelsDropped, this, &frmCHEdit::favoritesDropped);
    // The model was loaded by whoever opened the window.
    tabChannelType_Click();
}

QTreeView *frmCHEdit::addList(QWidget *parent, const QString &name, const QList<int> &widthsInTwips)
{
    auto *view = new QTreeView(parent);
    view->setObjectName(name);
    view->setRootIsDecorated(false);
    view->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view->setDragEnabled(true);
    view->setAcceptDrops(true);
    view->setDropIndicatorShown(true);
    view->setDragDropOverwriteMode(true);
    view->setDefaultDropAction(Qt::CopyAction);
    view->header()->setSectionsClickable(true);
    view->header()->setStretchLastSection(false);
    view->header()->setMinimumSectionSize(0);
    view->setProperty("widthsInTwips", QVariant::fromValue(widthsInTwips));
    return view;
}

void frmCHEdit::buildWindow()
{
    auto *central = new QWidget(this);
    auto *columns = new QHBoxLayout(central);

    auto *frame1 = new QGroupBox(QStringLiteral("Cannel List"), central);
    frame1->setObjectName(QStringLiteral("Frame1"));
    auto *left = new QVBoxLayout(frame1);
    tabChannelType = new QTabBar(frame1);
    tabChannelType->setObjectName(QStringLiteral("tabChannelType"));
    tabChannelType->addTab(QStringLiteral("TV"));
    tabChannelType->addTab(QStringLiteral("RADIO"));
    List1 = addList(frame1, QStringLiteral("List1"), {500, 2500, 700, 700, 0});
    List1->setModel(m_listModel);
    left->addWidget(tabChannelType);
    left->addWidget(List1);
    columns->addWidget(frame1);

    auto *right = new QVBoxLayout;
    auto *frame2 = new QGroupBox(QStringLiteral("Edit"), central);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto *edit = new QVBoxLayout(frame2);
    auto *label1 = new QLabel(QStringLiteral("Channel Name : "), frame2);
    label1->setObjectName(QStringLiteral("Label1"));
    txtChannelName = new QLineEdit(frame2);
    txtChannelName->setObjectName(QStringLiteral("txtChannelName"));
    txtChannelName->setMaxLength(16);
    txtChannelName->setValidator(new ChannelNameValidator(txtChannelName));
    txtChannelName->setAcceptDrops(false);  // rows dragged past it carry the text "List1"
    pb = new QWidget(frame2);
    pb->setObjectName(QStringLiteral("pb"));
    auto *boxes = new QHBoxLayout(pb);
    chkLock = new QCheckBox(QStringLiteral("Lock"), pb);
    chkLock->setObjectName(QStringLiteral("chkLock"));
    boxes->addWidget(chkLock);
    for (int g = 0; g < FavoriteGroupCount; ++g) {
        auto *box = new QCheckBox(QStringLiteral("F%1").arg(g + 1), pb);
        box->setObjectName(QStringLiteral("chkFavorite_%1").arg(g));
        boxes->addWidget(box);
        chkFavorite.append(box);
        connect(box, &QCheckBox::clicked, this, [this, g] { chkFavorite_Click(g); });
    }
    edit->addWidget(label1);
    edit->addWidget(txtChannelName);
    edit->addWidget(pb);
    right->addWidget(frame2);

    Frame3 = new QGroupBox(QStringLiteral("Favorite List"), central);
    Frame3->setObjectName(QStringLiteral("Frame3"));
    auto *fav = new QVBoxLayout(Frame3);
    tabFavorite = new QTabBar(Frame3);
    tabFavorite->setObjectName(QStringLiteral("tabFavorite"));
    for (const char *caption : {"F1", "F2", "F3", "F4", "F5", "F6", "Lock"})
        tabFavorite->addTab(QString::fromLatin1(caption));
    List3 = addList(Frame3, QStringLiteral("List3"), {700, 2500});
    List3->setModel(m_favoriteModel);
    fav->addWidget(tabFavorite);
    fav->addWidget(List3);
    right->addWidget(Frame3);

    auto *buttons = new QHBoxLayout;
    const QList<std::pair<const char *, const char *>> captions{{"cmdDataSave", "&Save"},
                                                                {"cmdDataFileLoad", "File &Open"},
                                                                {"cmdDataDownload", "&Download"},
                                                                {"cmdDataUpload", "&Upload"},
                                                                {"cmdExit", "E&xit"}};
    const QList<void (frmCHEdit::*)()> actions{&frmCHEdit::saveCommand, &frmCHEdit::openCommand,
                                               &frmCHEdit::downloadCommand, &frmCHEdit::uploadCommand,
                                               nullptr};
    for (qsizetype i = 0; i < captions.size(); ++i) {
        auto *button = new QPushButton(QString::fromLatin1(captions[i].second), central);
        button->setObjectName(QString::fromLatin1(captions[i].first));
        buttons->addWidget(button);
        if (actions[i])
            connect(button, &QPushButton::clicked, this, actions[i]);
        else
            connect(button, &QPushButton::clicked, this, &QWidget::close);
    }
    right->addLayout(buttons);
    columns->addLayout(right);
    setCentralWidget(central);

    for (QTreeView *view : {List1, List3}) {
        const QList<int> widths = view->property("widthsInTwips").value<QList<int>>();
        for (qsizetype c = 0; c < widths.size(); ++c)
            view->header()->resizeSection(int(c), twipsToPixels(widths[c], logicalDpiX()));
        if (widths.value(4, -1) == 0)
            view->header()->hideSection(4);
    }

    // Every change of the current tab, by click, key or wheel, runs its switch;
    // a click on the tab already shown runs it again.
    connect(tabChannelType, &QTabBar::currentChanged, this, [this] { tabChannelType_Click(); });
    connect(tabChannelType, &QTabBar::tabBarClicked, this, [this](int tab) {
        if (tab == tabChannelType->currentIndex())
            tabChannelType_Click();
    });
    connect(tabFavorite, &QTabBar::currentChanged, this, [this] { tabFavorite_Click(); });
    // The boxes follow the current row whatever moved it: a press, keys, a
    // right-click, a drop, a sort or an undo.
    connect(List1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { showRow(current.isValid() ? current.row() : -1); });
    connect(m_listModel, &QAbstractItemModel::modelReset, this, [this] {
        if (!List1->currentIndex().isValid())
            showRow(-1);
    });
    connect(List3, &QTreeView::clicked, this, [this] { List3_Click(); });
    connect(List1->header(), &QHeaderView::sectionClicked, this, &frmCHEdit::List1_ColumnClick);
    connect(txtChannelName, &QLineEdit::textEdited, this, &frmCHEdit::rename);
    connect(chkLock, &QCheckBox::clicked, this, &frmCHEdit::chkLock_Click);
    List1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(List1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (m_model.DataLoaded() && m_editing.rowCount() > 0)
            List1Sub->popup(List1->viewport()->mapToGlobal(at));
    });
    List1->installEventFilter(this);
    txtChannelName->installEventFilter(this);
    resize(900, 560);
}

QList<int> frmCHEdit::selectedPositions() const
{
    QList<int> rows;
    for (const QModelIndex &index : List1->selectionModel()->selectedRows())
        rows.append(index.row());
    std::sort(rows.begin(), rows.end());
    return rows;
}

void frmCHEdit::selectRows(QTreeView *view, const QList<int> &rows)
{
    view->clearSelection();
    for (const int r : rows)
        view->selectionModel()->select(view->model()->index(r, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
    if (!rows.isEmpty())
        view->scrollTo(view->model()->index(rows.last(), 0));
}

void frmCHEdit::List1Select(int index)
{
    if (m_editing.rowCount() == 0)
        return;
    const int position = qBound(1, index, m_editing.rowCount()) - 1;
    const QModelIndex row = m_listModel->index(position, 0);
    List1->selectionModel()->setCurrentIndex(row, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    showRow(position);  // also when it was current already
}

void frmCHEdit::showRow(int position)
{
    ++m_renameRun;  // typing after a move of the current row is a step of its own
    if (position < 0 || position >= m_editing.rowCount()) {
        // No row is current: the box must not offer text that typing would not store.
        txtChannelName->clear();
        chkLock->setChecked(false);
        mnuLock->setChecked(false);
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            chkFavorite[g]->setChecked(false);
            mnuFavorite[g]->setChecked(false);
        }
        return;
    }
    // setText() is not typing: it emits no textEdited, so nothing is renamed.
    txtChannelName->setText(m_editing.channelName(position));
    const bool locked = m_editing.GetLockBit(position + 1) == LockBit;
    chkLock->setChecked(locked);
    mnuLock->setChecked(locked);
    for (int g = 0; g < FavoriteGroupCount; ++g) {
        const bool in = m_editing.list()[position].FavoriteFlag[g] == 1;
        chkFavorite[g]->setChecked(in);
        mnuFavorite[g]->setChecked(in);
    }
}

void frmCHEdit::tabChannelType_Click()
{
    if (!m_model.DataLoaded())
        return;
    const int type = tabChannelType->currentIndex();
    const bool any = m_editing.switchType(type);
    const bool empty = !any || m_editing.rowCount() == 0;
    if (empty) {
        chkLock->setChecked(false);
        for (QCheckBox *box : chkFavorite)
            box->setChecked(false);
        txtChannelName->clear();
    }
    pb->setEnabled(!empty);
    txtChannelName->setEnabled(!empty);
    if (!any)
        return;
    Frame3->setTitle(type == ChannelRadio ? QStringLiteral("Radio Favorite List")
                                          : QStringLiteral("TV Favorite List"));
    tabFavorite_Click();
    List1->clearSelection();
    List1Select(1);
}

void frmCHEdit::tabFavorite_Click() { m_editing.setFavoriteTab(tabFavorite->currentIndex()); }

void frmCHEdit::rename(const QString &text)
{
    const QModelIndex current = List1->currentIndex();
    if (current.isValid())
        m_editing.rename(current.row(), text);
}

void frmCHEdit::chkLock_Click()
{
    m_editing.setLocked(selectedPositions(), chkLock->isChecked());
    if (tabFavorite->currentIndex() == ChannelEditing::LockTab)
        tabFavorite_Click();
    else
        tabFavorite->setCurrentIndex(ChannelEditing::LockTab);
}

void frmCHEdit::chkFavorite_Click(int group)
{
    const bool on = chkFavorite[group]->isChecked();
    if (on)
        List3->clearSelection();
    const int refused = m_editing.setFavorite(group, selectedPositions(), on);
    for (int i = 0; i < refused; ++i)
        favoriteLimitMessage();
    if (!on) {
        tabFavorite->setCurrentIndex(group);
    } else if (m_favoriteModel->rowCount() > 0) {
        selectRows(List3, {m_favoriteModel->rowCount() - 1});
    }
}

void frmCHEdit::favoriteLimitMessage()
{
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(), QStringLiteral("Maximum Favorite allowed is 50."),
                    QMessageBox::Ok, this);
    box.exec();
}

void frmCHEdit::lockCommand()
{
    chkLock->setChecked(mnuLock->isChecked());
    chkLock_Click();
}

void frmCHEdit::favoriteCommand(int group)
{
    chkFavorite[group]->setChecked(mnuFavorite[group]->isChecked());
    chkFavorite_Click(group);
}

void frmCHEdit::List3_Click()
{
    List1->clearSelection();
    if (m_editing.CurrentFavoriteTab() == ChannelEditing::LockTab)
        return;
    for (const QModelIndex &index : List3->selectionModel()->selectedRows()) {
        const int position = m_favoriteModel->positions().value(index.row(), -1);
        if (position < 0)
            continue;
        List1Select(position + 1);
        List1->scrollTo(m_listModel->index(position, 0));
    }
}

bool frmCHEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtChannelName
        && (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const QKeyCombination keys = static_cast<QKeyEvent *>(event)->keyCombination();
        if (keys == QKeyCombination(Qt::ControlModifier, Qt::Key_A) && event->type() == QEvent::ShortcutOverride) {
            event->ignore();  // outside the list, Ctrl+A is "Save As"
            return true;
        }
        if (routeHistoryKey(event, m_undo))
            return true;
    }
    if (watched == List1 && event->type() == QEvent::KeyRelease)
        m_listKeys.isNewStroke(*static_cast<QKeyEvent *>(event));  // remembers the release
    if (watched != List1 || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
        return QMainWindow::eventFilter(watched, event);
    auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() != Qt::ControlModifier || !m_model.DataLoaded())
        return false;
    const int k = key->key();
    const bool ours = k == Qt::Key_A || k == Qt::Key_L || (k >= Qt::Key_1 && k <= Qt::Key_6);
    if (!ours)
        return false;
    if (event->type() == QEvent::ShortcutOverride) {
        event->accept();  // in the list, Ctrl+A selects all rather than "Save As"
        return true;
    }
    if (!m_listKeys.isNewStroke(*key))
        return true;  // a held key toggles once, not back and forth
    if (k == Qt::Key_A) {
        List1->selectAll();
    } else if (k == Qt::Key_L) {
        mnuLock->toggle();
        lockCommand();
    } else {
        mnuFavorite[k - Qt::Key_1]->toggle();
        favoriteCommand(k - Qt::Key_1);
    }
    return true;
}
