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

#include <algorithm>

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
        selectRows(m_List1, rows);
        if (!rows.isEmpty())
            m_List1->selectionModel()->setCurrentIndex(m_listModel->index(rows.first(), 0),
                                                       QItemSelectionModel::NoUpdate);
    });
    connect(m_favoriteModel, &FavoriteListModel::entriesMoved, this,
            [this](const QList<int> &rows) { selectRows(m_List3, rows); });
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
    m_tabChannelType = new QTabBar(frame1);
    m_tabChannelType->setObjectName(QStringLiteral("tabChannelType"));
    m_tabChannelType->addTab(QStringLiteral("TV"));
    m_tabChannelType->addTab(QStringLiteral("RADIO"));
    m_List1 = addList(frame1, QStringLiteral("List1"), {500, 2500, 700, 700, 0});
    m_List1->setModel(m_listModel);
    left->addWidget(m_tabChannelType);
    left->addWidget(m_List1);
    columns->addWidget(frame1);

    auto *right = new QVBoxLayout;
    auto *frame2 = new QGroupBox(QStringLiteral("Edit"), central);
    frame2->setObjectName(QStringLiteral("Frame2"));
    auto *edit = new QVBoxLayout(frame2);
    auto *label1 = new QLabel(QStringLiteral("Channel Name : "), frame2);
    label1->setObjectName(QStringLiteral("Label1"));
    m_txtChannelName = new QLineEdit(frame2);
    m_txtChannelName->setObjectName(QStringLiteral("txtChannelName"));
    m_txtChannelName->setMaxLength(16);
    m_txtChannelName->setValidator(new ChannelNameValidator(m_txtChannelName));
    m_txtChannelName->setAcceptDrops(false);  // rows dragged past it carry the text "List1"
    m_pb = new QWidget(frame2);
    m_pb->setObjectName(QStringLiteral("pb"));
    auto *boxes = new QHBoxLayout(m_pb);
    m_chkLock = new QCheckBox(QStringLiteral("Lock"), m_pb);
    m_chkLock->setObjectName(QStringLiteral("chkLock"));
    boxes->addWidget(m_chkLock);
    for (int g = 0; g < FavoriteGroupCount; ++g) {
        auto *box = new QCheckBox(QStringLiteral("F%1").arg(g + 1), m_pb);
        box->setObjectName(QStringLiteral("chkFavorite_%1").arg(g));
        boxes->addWidget(box);
        m_chkFavorite.append(box);
        connect(box, &QCheckBox::clicked, this, [this, g] { chkFavorite_Click(g); });
    }
    edit->addWidget(label1);
    edit->addWidget(m_txtChannelName);
    edit->addWidget(m_pb);
    right->addWidget(frame2);

    m_Frame3 = new QGroupBox(QStringLiteral("Favorite List"), central);
    m_Frame3->setObjectName(QStringLiteral("Frame3"));
    auto *fav = new QVBoxLayout(m_Frame3);
    m_tabFavorite = new QTabBar(m_Frame3);
    m_tabFavorite->setObjectName(QStringLiteral("tabFavorite"));
    for (const char *caption : {"F1", "F2", "F3", "F4", "F5", "F6", "Lock"})
        m_tabFavorite->addTab(QString::fromLatin1(caption));
    m_List3 = addList(m_Frame3, QStringLiteral("List3"), {700, 2500});
    m_List3->setModel(m_favoriteModel);
    fav->addWidget(m_tabFavorite);
    fav->addWidget(m_List3);
    right->addWidget(m_Frame3);

    auto *buttons = new QHBoxLayout;
    const QList<std::pair<const char *, const char *>> captions{{"cmdDataSave", "&Save"},
                                                                {"cmdDataFileLoad", "File &Open"},
                                                                {"cmdDataDownload", "&Download"},
                                                                {"cmdDataUpload", "&Upload"},
                                                                {"cmdExit", "E&xit"}};
    const QList<void (frmCHEdit::*)()> actions{&frmCHEdit::saveCommand, &frmCHEdit::openCommand,
                                               &frmCHEdit::downloadCommand, &frmCHEdit::uploadCommand, nullptr};
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

    for (QTreeView *view : {m_List1, m_List3}) {
        const QList<int> widths = view->property("widthsInTwips").value<QList<int>>();
        // Never narrower than the caption, where the font is wider than the widths allow for.
        for (qsizetype c = 0; c < widths.size(); ++c)
            view->header()->resizeSection(int(c), widths[c] == 0 ? 0
                                                                 : std::max(twipsToPixels(widths[c], logicalDpiX()),
                                                                            view->header()->sectionSizeHint(int(c))));
        if (widths.value(4, -1) == 0)
            view->header()->hideSection(4);
    }

    // Every change of the current tab, by click, key or wheel, runs its switch;
    // a click on the tab already shown runs it again.
    connect(m_tabChannelType, &QTabBar::currentChanged, this, [this] { tabChannelType_Click(); });
    connect(m_tabChannelType, &QTabBar::tabBarClicked, this, [this](int tab) {
        if (tab == m_tabChannelType->currentIndex())
            tabChannelType_Click();
    });
    connect(m_tabFavorite, &QTabBar::currentChanged, this, [this] { tabFavorite_Click(); });
    // The boxes follow the current row whatever moved it: a press, keys, a
    // right-click, a drop, a sort or an undo.
    connect(m_List1->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex &current) { showRow(current.isValid() ? current.row() : -1); });
    connect(m_listModel, &QAbstractItemModel::modelReset, this, [this] {
        if (!m_List1->currentIndex().isValid())
            showRow(-1);
    });
    connect(m_List3, &QTreeView::clicked, this, [this] { List3_Click(); });
    connect(m_List1->header(), &QHeaderView::sectionClicked, this, &frmCHEdit::List1_ColumnClick);
    connect(m_txtChannelName, &QLineEdit::textEdited, this, &frmCHEdit::rename);
    connect(m_chkLock, &QCheckBox::clicked, this, &frmCHEdit::chkLock_Click);
    m_List1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_List1, &QWidget::customContextMenuRequested, this, [this](const QPoint &at) {
        if (m_model.DataLoaded() && m_editing.rowCount() > 0)
            m_List1Sub->popup(m_List1->viewport()->mapToGlobal(at));
    });
    m_List1->installEventFilter(this);
    m_txtChannelName->installEventFilter(this);
    resize(900, 560);
}

QList<int> frmCHEdit::selectedPositions() const
{
    QList<int> rows;
    for (const QModelIndex &index : m_List1->selectionModel()->selectedRows())
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
    m_List1->selectionModel()->setCurrentIndex(row, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    showRow(position);  // also when it was current already
}

void frmCHEdit::showRow(int position)
{
    ++m_renameRun;  // typing after a move of the current row is a step of its own
    if (position < 0 || position >= m_editing.rowCount()) {
        // No row is current: the box must not offer text that typing would not store.
        m_txtChannelName->clear();
        m_chkLock->setChecked(false);
        m_mnuLock->setChecked(false);
        for (int g = 0; g < FavoriteGroupCount; ++g) {
            m_chkFavorite[g]->setChecked(false);
            m_mnuFavorite[g]->setChecked(false);
        }
        return;
    }
    // setText() is not typing: it emits no textEdited, so nothing is renamed.
    m_txtChannelName->setText(m_editing.channelName(position));
    const bool locked = m_editing.GetLockBit(position + 1) == LockBit;
    m_chkLock->setChecked(locked);
    m_mnuLock->setChecked(locked);
    for (int g = 0; g < FavoriteGroupCount; ++g) {
        const bool in = m_editing.list()[position].FavoriteFlag[g] == 1;
        m_chkFavorite[g]->setChecked(in);
        m_mnuFavorite[g]->setChecked(in);
    }
}

void frmCHEdit::tabChannelType_Click()
{
    if (!m_model.DataLoaded())
        return;
    const int type = m_tabChannelType->currentIndex();
    const bool any = m_editing.switchType(type);
    const bool empty = !any || m_editing.rowCount() == 0;
    if (empty) {
        m_chkLock->setChecked(false);
        for (QCheckBox *box : m_chkFavorite)
            box->setChecked(false);
        m_txtChannelName->clear();
    }
    m_pb->setEnabled(!empty);
    m_txtChannelName->setEnabled(!empty);
    if (!any)
        return;
    m_Frame3->setTitle(type == ChannelRadio ? QStringLiteral("Radio Favorite List")
                                            : QStringLiteral("TV Favorite List"));
    tabFavorite_Click();
    m_List1->clearSelection();
    List1Select(1);
}

void frmCHEdit::tabFavorite_Click()
{
    m_editing.setFavoriteTab(m_tabFavorite->currentIndex());
}

void frmCHEdit::rename(const QString &text)
{
    const QModelIndex current = m_List1->currentIndex();
    if (current.isValid())
        m_editing.rename(current.row(), text);
}

void frmCHEdit::chkLock_Click()
{
    m_editing.setLocked(selectedPositions(), m_chkLock->isChecked());
    if (m_tabFavorite->currentIndex() == ChannelEditing::LockTab)
        tabFavorite_Click();
    else
        m_tabFavorite->setCurrentIndex(ChannelEditing::LockTab);
}

void frmCHEdit::chkFavorite_Click(int group)
{
    const bool on = m_chkFavorite[group]->isChecked();
    if (on)
        m_List3->clearSelection();
    const int refused = m_editing.setFavorite(group, selectedPositions(), on);
    for (int i = 0; i < refused; ++i)
        favoriteLimitMessage();
    if (!on) {
        m_tabFavorite->setCurrentIndex(group);
    } else if (m_favoriteModel->rowCount() > 0) {
        selectRows(m_List3, {m_favoriteModel->rowCount() - 1});
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
    m_chkLock->setChecked(m_mnuLock->isChecked());
    chkLock_Click();
}

void frmCHEdit::favoriteCommand(int group)
{
    m_chkFavorite[group]->setChecked(m_mnuFavorite[group]->isChecked());
    chkFavorite_Click(group);
}

void frmCHEdit::List3_Click()
{
    m_List1->clearSelection();
    if (m_editing.CurrentFavoriteTab() == ChannelEditing::LockTab)
        return;
    for (const QModelIndex &index : m_List3->selectionModel()->selectedRows()) {
        const int position = m_favoriteModel->positions().value(index.row(), -1);
        if (position < 0)
            continue;
        List1Select(position + 1);
        m_List1->scrollTo(m_listModel->index(position, 0));
    }
}

bool frmCHEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_txtChannelName &&
        (event->type() == QEvent::ShortcutOverride || event->type() == QEvent::KeyPress)) {
        const QKeyCombination keys = static_cast<QKeyEvent *>(event)->keyCombination();
        if (keys == QKeyCombination(Qt::ControlModifier, Qt::Key_A) && event->type() == QEvent::ShortcutOverride) {
            event->ignore();  // outside the list, Ctrl+A is "Save As"
            return true;
        }
        if (routeHistoryKey(event, m_undo))
            return true;
    }
    if (watched == m_List1 && event->type() == QEvent::KeyRelease)
        m_listKeys.isNewStroke(*static_cast<QKeyEvent *>(event));  // remembers the release
    if (watched != m_List1 || (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress))
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
        m_List1->selectAll();
    } else if (k == Qt::Key_L) {
        m_mnuLock->toggle();
        lockCommand();
    } else {
        m_mnuFavorite[k - Qt::Key_1]->toggle();
        favoriteCommand(k - Qt::Key_1);
    }
    return true;
}
