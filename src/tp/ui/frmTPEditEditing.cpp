// The TP editor's hands-on editing: moves, sorts, clipboards, drag-and-drop,
// the lists' keys and menus, the find dialog and the history.
#include "tp/ui/frmTPEdit.h"

#include "common/ui/HistoryKeys.h"
#include "tp/TPFind.h"
#include "tp/ui/TPListView.h"
#include "tp/ui/frmTPFind.h"

#include <QAction>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTabBar>

void frmTPEdit::buildEditing()
{
    const auto click = [this](const char *name, void (frmTPEdit::*handler)()) {
        connect(findChild<QPushButton *>(QLatin1String(name)), &QPushButton::clicked, this, handler);
    };
    click("cmdUp", &frmTPEdit::cmdUp_Click);
    click("cmdDown", &frmTPEdit::cmdDown_Click);
    click("cmdList2Up", &frmTPEdit::cmdList2Up_Click);
    click("cmdList2Down", &frmTPEdit::cmdList2Down_Click);

    m_satMenu = buildListMenu(true);
    m_tpMenu = buildListMenu(false);
    for (QTreeView *list : {m_List1, m_List2}) {
        list->installEventFilter(this);
        list->viewport()->installEventFilter(this);
        list->header()->setSectionsClickable(true);
    }
    connect(m_List1->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (column == SatListModel::Deg)
            sortSats(SatSortKey::Deg);
        else if (column == SatListModel::SatName)
            sortSats(SatSortKey::SatName);
    });
    connect(m_List2->header(), &QHeaderView::sectionClicked, this, [this](int column) {
        if (column == TPListModel::Freq)
            sortTPRows(TPSortKey::Freq);
        else if (column == TPListModel::Polar)
            sortTPRows(TPSortKey::Polar);
        else if (column == TPListModel::SR)
            sortTPRows(TPSortKey::SR);
    });
    connect(m_List1, &QTreeView::doubleClicked, this, [this] { m_txtSatName->setFocus(); });
    connect(m_List2, &QTreeView::doubleClicked, this, [this] { m_txtFreq->setFocus(); });

    auto *satView = static_cast<TPListView *>(m_List1);
    auto *tpView = static_cast<TPListView *>(m_List2);
    connect(satView, &TPListView::dragStarting, this, &frmTPEdit::List1_StartDrag);
    connect(tpView, &TPListView::dragStarting, this, &frmTPEdit::List2_StartDrag);
    connect(satView, &TPListView::dragEnded, this, [this](bool dropped) {
        if (!dropped)
            m_satClip.clear();
    });
    connect(tpView, &TPListView::dragEnded, this, [this](bool dropped) {
        if (!dropped)
            m_tpClip.clear();
    });
    connect(satView, &TPListView::dropped, this, &frmTPEdit::List1_DragDrop);
    connect(tpView, &TPListView::dropped, this, &frmTPEdit::List2_DragDrop);

    // Alt+E belongs to "N&ext"; no stated control uses T.
    QMenu *edit = menuBar()->addMenu(QStringLiteral("Edi&t"));
    edit->setObjectName(QStringLiteral("mEdit"));
    addHistoryActions(edit, &m_undo);
}

QMenu *frmTPEdit::buildListMenu(bool satellites)
{
    auto *menu = new QMenu(satellites ? QStringLiteral("Sat List Menu") : QStringLiteral("TP List Menu"), this);
    menu->setObjectName(satellites ? QStringLiteral("mList1Menu") : QStringLiteral("mList2Menu"));
    const auto add = [this](QMenu *to, const QString &caption, const char *name, auto handler) {
        QAction *action = to->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
    };
    QMenu *sort = menu->addMenu(QStringLiteral("&Sort"));
    if (satellites) {
        sort->setObjectName(QStringLiteral("mmList1Sort"));
        add(sort, QStringLiteral("De&g"), "mmmDeg", [this] { sortSats(SatSortKey::Deg); });
        add(sort, QStringLiteral("Sat &Name"), "mmmSatName", [this] { sortSats(SatSortKey::SatName); });
        add(menu, QStringLiteral("&Find"), "mmFind", [this] { mmFind_Click(); });
        add(menu, QStringLiteral("&Copy"), "mmList1Copy", [this] { mmList1Copy_Click(); });
        add(menu, QStringLiteral("&Paste"), "mmList1Paste", [this] { mmList1Paste_Click(); });
        add(menu, QStringLiteral("Select &All"), "mmList1SelectAll", [this] { m_List1->selectAll(); });
        add(menu, QStringLiteral("&Del"), "mmList1Del", [this] { cmdDel_Click(); });
    } else {
        sort->setObjectName(QStringLiteral("mmList2Sort"));
        add(sort, QStringLiteral("&Freq"), "mmmSortFreq", [this] { sortTPRows(TPSortKey::Freq); });
        add(sort, QStringLiteral("&Polar"), "mmmSortPolar", [this] { sortTPRows(TPSortKey::Polar); });
        add(sort, QStringLiteral("&SR"), "mmmSortSR", [this] { sortTPRows(TPSortKey::SR); });
        add(menu, QStringLiteral("&Copy"), "mmList2Copy", [this] { mmList2Copy_Click(); });
        add(menu, QStringLiteral("&Paste"), "mmList2Paste", [this] { mmList2Paste_Click(); });
        add(menu, QStringLiteral("Select All (&A)"), "mmList2SelectAll", [this] { m_List2->selectAll(); });
        add(menu, QStringLiteral("&Del"), "mmList2Del", [this] { cmdList2Del_Click(); });
    }
    return menu;
}

bool frmTPEdit::eventFilter(QObject *watched, QEvent *event)
{
    if (listEvent(watched, event) || entryBoxEvent(watched, event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

bool frmTPEdit::listEvent(QObject *watched, QEvent *event)
{
    const bool sats = watched == m_List1 || watched == m_List1->viewport();
    if (!sats && watched != m_List2 && watched != m_List2->viewport())
        return false;
    if (event->type() == QEvent::MouseButtonRelease && watched != m_List1 && watched != m_List2) {
        auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() == Qt::RightButton) {
            (sats ? m_satMenu : m_tpMenu)->popup(mouse->globalPosition().toPoint());
            return true;
        }
        return false;
    }
    if (watched != m_List1 && watched != m_List2)
        return false;
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    auto *keyEvent = static_cast<QKeyEvent *>(event);
    const bool newStroke = m_listKeys.isNewStroke(*keyEvent);
    const int key = keyEvent->key();
    if (event->type() == QEvent::KeyPress) {
        const Qt::KeyboardModifiers modifiers = keyEvent->modifiers() & ~Qt::KeypadModifier;
        // Delete and Insert act on the press of a stroke, so a held key acts once.
        if (modifiers == Qt::NoModifier && (key == Qt::Key_Delete || key == Qt::Key_Insert)) {
            if (newStroke && key == Qt::Key_Delete)
                sats ? cmdDel_Click() : cmdList2Del_Click();
            else if (newStroke)
                sats ? cmdInsert_Click() : cmdList2Insert_Click();
            return true;
        }
        if (modifiers != Qt::ControlModifier)
            return false;
        if (!newStroke)  // a held Ctrl+V pastes once
            return key == Qt::Key_C || key == Qt::Key_V || key == Qt::Key_A;
        switch (key) {
        case Qt::Key_C: sats ? mmList1Copy_Click() : mmList2Copy_Click(); return true;
        case Qt::Key_V: sats ? mmList1Paste_Click() : mmList2Paste_Click(); return true;
        case Qt::Key_A: (sats ? m_List1 : m_List2)->selectAll(); return true;
        default: return false;
        }
    }
    const bool enter = !keyEvent->isAutoRepeat() && (key == Qt::Key_Return || key == Qt::Key_Enter);
    if (sats) {
        List1Select(selectedSat());
        if (enter)
            m_txtSatName->setFocus();
    } else {
        List2Select(selectedTP());
        if (enter)
            m_txtFreq->setFocus();
    }
    return true;
}

void frmTPEdit::markRows(QTreeView *list, const QList<int> &rows)
{
    for (const int row : rows)
        list->selectionModel()->select(list->model()->index(row, 0),
                                       QItemSelectionModel::Select | QItemSelectionModel::Rows);
}

void frmTPEdit::moveSats(bool down)
{
    if (m_satModel.rowCount() == 0)
        return;
    const QList<int> marked = markedRows(m_List1);
    QList<int> after;
    recordEdit([&] { after = moveSatellites(m_tables, m_tables.CurRegion, marked, down); });
    std::sort(after.begin(), after.end());
    QList<int> before = marked;
    std::sort(before.begin(), before.end());
    if (after == before)
        return;  // a block at the end stays
    m_satModel.setRegion(m_tables.CurRegion);
    m_List1->clearSelection();
    markRows(m_List1, after);
    // The walk selects each row it moved; the last one it moved stays current.
    List1Select((down ? after.first() : after.last()) + 1);
}

void frmTPEdit::moveTPRows(bool down)
{
    const int sat = selectedSat();
    if (sat < 1 || m_tpModel.rowCount() == 0)
        return;
    QList<int> before = markedRows(m_List2);
    QList<int> after;
    recordEdit([&] { after = moveTPs(m_tables, m_tables.CurRegion, sat - 1, before, down); });
    std::sort(before.begin(), before.end());
    if (after == before)
        return;
    m_tpModel.setSatellite(m_tables.CurRegion, sat - 1);
    m_List2->clearSelection();
    markRows(m_List2, after);
    List2Select((down ? after.first() : after.last()) + 1);
}

void frmTPEdit::sortSats(SatSortKey key)
{
    const int row = selectedSat();
    recordEdit([&] { sortSatellites(m_tables, m_tables.CurRegion, key, m_sortFlags); });
    m_satModel.setRegion(m_tables.CurRegion);
    m_tpModel.setSatellite(m_tables.CurRegion, -1);
    m_List1->clearSelection();
    if (m_satModel.rowCount() > 0)
        List1Select(std::max(row, 1));
}

void frmTPEdit::sortTPRows(TPSortKey key)
{
    const int sat = selectedSat();
    if (sat < 1)
        return;
    const int row = selectedTP();
    recordEdit([&] { sortTPs(m_tables, m_tables.CurRegion, sat - 1, key, m_sortFlags); });
    m_tpModel.setSatellite(m_tables.CurRegion, sat - 1);
    m_List2->clearSelection();
    if (m_tpModel.rowCount() > 0)
        List2Select(std::max(row, 1));
}

void frmTPEdit::mmList1Copy_Click()
{
    m_satClip = copySatellites(m_tables, m_lists, m_tables.CurRegion, markedRows(m_List1));
}

void frmTPEdit::mmList2Copy_Click()
{
    if (selectedSat() > 0)
        m_tpClip = copyTPs(m_tables, m_lists, m_tables.CurRegion, selectedSat() - 1, markedRows(m_List2));
}

void frmTPEdit::mmList1Paste_Click()
{
    ListEdit edit;
    recordEdit([&] {
        edit = pasteSatellites(m_tables, m_lists, m_tables.CurRegion, m_satClip, selectedSat() - 1);
        if (edit.refusal.isEmpty() && !m_satClip.isEmpty())
            m_satModel.setRegion(m_tables.CurRegion);
    });
    afterSatEdit(edit, false);
}

void frmTPEdit::mmList2Paste_Click()
{
    const int sat = selectedSat();
    if (sat < 1)
        return;
    ListEdit edit;
    recordEdit([&] {
        edit = pasteTPs(m_tables, m_tables.CurRegion, sat - 1, m_tpClip, selectedTP() - 1);
        if (edit.refusal.isEmpty() && !m_tpClip.isEmpty())
            m_tpModel.setSatellite(m_tables.CurRegion, sat - 1);
    });
    afterTPEdit(edit, false);
}

void frmTPEdit::List1_StartDrag()
{
    mmList1Copy_Click();
}

void frmTPEdit::List2_StartDrag()
{
    mmList2Copy_Click();
}

void frmTPEdit::List1_DragDrop(const QString &text, int rowUnderPointer)
{
    if (text != QLatin1String("List1")) {
        m_tpClip.clear();
        return;
    }
    const QList<int> dragged = markedRows(m_List1);
    ListEdit edit;
    recordEdit([&] {
        edit = dropSatellites(m_tables, m_lists, m_tables.CurRegion, m_satClip, dragged, rowUnderPointer - 1);
        m_satModel.setRegion(m_tables.CurRegion);
    });
    m_tpModel.setSatellite(m_tables.CurRegion, -1);
    afterSatEdit(edit, false);
    if (edit.select >= 0) {
        QList<int> moved;
        for (int i = 0; i < m_satClip.size(); ++i)
            moved << edit.select + i;
        markRows(m_List1, moved);
    }
}

void frmTPEdit::List2_DragDrop(const QString &text, int rowUnderPointer)
{
    if (text != QLatin1String("List2")) {
        m_satClip.clear();
        return;
    }
    const int sat = selectedSat();
    if (sat < 1)
        return;
    const QList<int> dragged = markedRows(m_List2);
    ListEdit edit;
    recordEdit([&] {
        edit = dropTPs(m_tables, m_tables.CurRegion, sat - 1, m_tpClip, dragged, rowUnderPointer - 1);
        m_tpModel.setSatellite(m_tables.CurRegion, sat - 1);
    });
    afterTPEdit(edit, false);
    if (edit.select >= 0) {
        QList<int> moved;
        for (int i = 0; i < m_tpClip.size(); ++i)
            moved << edit.select + i;
        markRows(m_List2, moved);
    }
}

void frmTPEdit::mmFind_Click()
{
    if (!m_find)
        m_find = new frmTPFind(*this, m_tables, this);
    m_find->showOnTop();
}

void frmTPEdit::showFound(const SatFindHit &hit, int nameLength, int degLength)
{
    if (m_tabRegion->currentIndex() != hit.region)
        regionSwitch(hit.region);
    m_List1->clearSelection();
    List1Select(hit.slot + 1);
    if (hit.nameAt >= 0)
        m_txtSatName->setSelection(hit.nameAt, nameLength);
    if (hit.degAt >= 0)
        m_txtDeg->setSelection(hit.degAt, degLength);
}

EditView frmTPEdit::view() const
{
    return {m_tables.CurRegion, selectedSat(), selectedTP(), m_sortFlags};
}

void frmTPEdit::recordEdit(const std::function<void()> &work, const QList<int> &regions, const QString &mergeKey)
{
    if (m_recording > 0) {
        work();  // part of the step being recorded
        return;
    }
    const EditView before = view();
    const TableChange::Before old(m_tables, regions.isEmpty() ? QList<int>{m_tables.CurRegion} : regions);
    ++m_recording;
    work();
    --m_recording;
    TableChange change(old, m_tables);
    if (!change.isEmpty())
        m_undo.push(new TPEditCommand(*this, std::move(change), before, view(), mergeKey));
}

void frmTPEdit::applyHistory(const TableChange &change, bool undo, const EditView &shown)
{
    if (undo)
        change.undo(m_tables);
    else
        change.redo(m_tables);
    m_sortFlags = shown.sortFlags;
    const int region = std::clamp(shown.region, 0, RegionCount - 1);
    {
        // The region is shown below, at the row of the step, not at row 1.
        const QSignalBlocker quiet(m_tabRegion);
        m_tabRegion->setCurrentIndex(region);
    }
    m_tables.CurRegion = qint16(region);
    m_satModel.setRegion(region);
    m_tpModel.setSatellite(region, -1);
    m_List1->clearSelection();
    const int rows = m_satModel.rowCount();
    if (rows == 0) {
        afterSatEdit({}, false);
        return;
    }
    List1Select(std::clamp(shown.satRow, 1, rows));
    if (shown.tpRow > 0 && m_tpModel.rowCount() > 0) {
        m_List2->clearSelection();
        List2Select(std::clamp(shown.tpRow, 1, m_tpModel.rowCount()));
    }
}
