// The TP editor's window: controls, region switch and the list commands.
#include "tp/ui/frmTPEdit.h"

#include "common/ui/NumericKeyEventFilter.h"
#include "link/ReceiverLink.h"
#include "tp/ui/StorableTextValidator.h"
#include "tp/ui/TPListView.h"
#include "tp/ui/frmTPFind.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QStyle>
#include <QTabBar>
#include <QTreeView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QTreeView *makeList(QAbstractItemModel *model, const QString &name, QWidget *parent)
{
    auto *list = new TPListView(name, parent);
    list->setObjectName(name);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setModel(model);
    return list;
}

// Shows `text` without disturbing the cursor or a selection when the box has it already.
void showText(QLineEdit *box, const QString &text)
{
    if (box->text() != text)
        box->setText(text);
}

}  // namespace

frmTPEdit::frmTPEdit(TPTables &tables, const ValueLists &lists, const Converters &converters, ReceiverLink &link,
                     QWidget *parent)
    : QMainWindow(parent, Qt::Window), m_tables(tables), m_lists(lists), m_converters(converters), m_link(link),
      m_saver(link.programDir(), converters), m_satModel(tables, lists), m_tpModel(tables, lists)
{
    setObjectName(QStringLiteral("frmTPEdit"));
    setWindowTitle(QStringLiteral("TP EDIT"));
    auto *central = new QWidget(this);
    auto *columns = new QHBoxLayout(central);
    auto *satFrame = new QGroupBox(QStringLiteral("Sat Data"), central);
    m_tpFrame = new QGroupBox(QStringLiteral("TP Data"), central);
    columns->addWidget(satFrame, 3);
    columns->addWidget(m_tpFrame, 2);
    buildSatFrame(satFrame);
    buildTPFrame(m_tpFrame);
    setCentralWidget(central);
    buildMenu();
    connectEntryBoxes();
    buildEditing();
    m_tpFrame->setEnabled(false);
    resize(900, 600);
}

QPushButton *frmTPEdit::addButton(const QString &caption, const QString &name)
{
    auto *button = new QPushButton(caption, m_current);
    button->setObjectName(name);
    return button;
}

QLineEdit *frmTPEdit::addBox(const QString &name, FieldKind kind, int maxLength, bool numeric)
{
    auto *box = new QLineEdit(m_current);
    box->setObjectName(name);
    box->setMaxLength(maxLength);
    box->setValidator(new StorableTextValidator(kind, numeric, box));
    if (numeric)
        NumericKeyEventFilter::install(box);
    box->installEventFilter(this);
    return box;
}

void frmTPEdit::buildSatFrame(QWidget *frame)
{
    m_current = frame;
    auto *layout = new QVBoxLayout(frame);
    m_tabRegion = new QTabBar(frame);
    m_tabRegion->setObjectName(QStringLiteral("tabRegion"));
    for (const Region &region : Regions)
        m_tabRegion->addTab(QString::fromLatin1(region.caption));
    layout->addWidget(m_tabRegion);
    m_List1 = makeList(&m_satModel, QStringLiteral("List1"), frame);
    layout->addWidget(m_List1, 1);
    // Room for a whole 32-character name; the numbers and the option need little.
    QHeaderView *header = m_List1->header();
    const QFontMetrics metrics = m_List1->fontMetrics();
    const int margin = 2 * m_List1->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, m_List1) + 2;
    const QString widest[] = {QStringLiteral("000"), QStringLiteral("0000"), QString(32, u'n'),
                              QStringLiteral("All Parsing")};
    for (int c = 0; c < 4; ++c)
        header->resizeSection(c, std::max(header->sectionSizeHint(c), metrics.horizontalAdvance(widest[c]) + margin));

    auto *boxes = new QGridLayout;
    m_txtSatName = addBox(QStringLiteral("txtSatName"), FieldKind::Satellite, 32, false);
    m_txtDeg = addBox(QStringLiteral("txtDeg"), FieldKind::Satellite, 4, true);
    m_txtDiseqc = addBox(QStringLiteral("txtDiseqc"), FieldKind::Satellite, 8, true);
    m_Combo1 = new QComboBox(frame);
    m_Combo1->setObjectName(QStringLiteral("Combo1"));
    m_Combo1->addItems(m_lists.parseOptions.mid(0, 5));
    m_Combo1->installEventFilter(this);
    boxes->addWidget(new QLabel(QStringLiteral("Sat Name : "), frame), 0, 0);
    boxes->addWidget(m_txtSatName, 0, 1, 1, 3);
    boxes->addWidget(new QLabel(QStringLiteral("Deg (E) : "), frame), 1, 0);
    boxes->addWidget(m_txtDeg, 1, 1);
    boxes->addWidget(new QLabel(QStringLiteral("Parse Option :"), frame), 1, 2);
    boxes->addWidget(m_Combo1, 1, 3);
    boxes->addWidget(new QLabel(QStringLiteral("Diseqc Code : "), frame), 2, 0);
    boxes->addWidget(m_txtDiseqc, 2, 1);
    m_Command1 = addButton(QStringLiteral("Refres&h"), QStringLiteral("Command1"));
    boxes->addWidget(m_Command1, 2, 3);
    layout->addLayout(boxes);

    auto *buttons = new QHBoxLayout;
    buttons->addWidget(addButton(QStringLiteral("&Insert"), QStringLiteral("cmdInsert")));
    buttons->addWidget(addButton(QStringLiteral("&Next"), QStringLiteral("cmdNext")));
    buttons->addWidget(addButton(QStringLiteral("&Del"), QStringLiteral("cmdDel")));
    buttons->addWidget(new QLabel(QStringLiteral("Satellite Move"), frame));
    for (const char *name : {"cmdUp", "cmdDown"}) {
        QPushButton *move = addButton(QString(QChar(name[3] == 'U' ? 0x2191 : 0x2193)), QLatin1String(name));
        buttons->addWidget(move);
    }
    layout->addLayout(buttons);

    auto *fileButtons = new QHBoxLayout;
    fileButtons->addWidget(addButton(QStringLiteral("File Open"), QStringLiteral("cmdDataFileLoad")));
    fileButtons->addWidget(addButton(QStringLiteral("&Save"), QStringLiteral("cmdDataSave")));
    fileButtons->addWidget(addButton(QStringLiteral("&Upload"), QStringLiteral("cmdDataUpload")));
    fileButtons->addWidget(addButton(QStringLiteral("E&xit"), QStringLiteral("cmdCancel")));
    layout->addLayout(fileButtons);

    const auto click = [this](const char *name, void (frmTPEdit::*handler)()) {
        connect(findChild<QPushButton *>(QLatin1String(name)), &QPushButton::clicked, this, handler);
    };
    click("cmdInsert", &frmTPEdit::cmdInsert_Click);
    click("cmdNext", &frmTPEdit::cmdNext_Click);
    click("cmdDel", &frmTPEdit::cmdDel_Click);
    click("cmdDataFileLoad", &frmTPEdit::cmdDataFileLoad_Click);
    click("cmdDataSave", &frmTPEdit::cmdDataSave_Click);
    click("cmdDataUpload", &frmTPEdit::cmdDataUpload_Click);
    click("Command1", &frmTPEdit::Command1_Click);
    connect(findChild<QPushButton *>(QStringLiteral("cmdCancel")), &QPushButton::clicked, this, &QWidget::close);
    // Keys and the wheel change the tab too: every change switches the region.
    connect(m_tabRegion, &QTabBar::currentChanged, this, &frmTPEdit::regionSwitch);
    connect(m_tabRegion, &QTabBar::tabBarClicked, this, [this](int tab) {
        if (tab == m_tabRegion->currentIndex())
            regionSwitch(tab);
    });
    // The boxes follow the current row, whatever moved it (press, keys,
    // right button, drop, undo); a click on it shows it again.
    connect(m_List1->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &frmTPEdit::onCurrentSatChanged);
    connect(m_List1, &QTreeView::clicked, this, [this](const QModelIndex &index) { showSatellite(index.row() + 1); });
}

void frmTPEdit::buildTPFrame(QWidget *frame)
{
    m_current = frame;
    auto *layout = new QVBoxLayout(frame);
    m_List2 = makeList(&m_tpModel, QStringLiteral("List2"), frame);
    layout->addWidget(m_List2, 1);
    auto *boxes = new QGridLayout;
    m_txtFreq = addBox(QStringLiteral("txtFreq"), FieldKind::Transponder, 5, true);
    m_txtSR = addBox(QStringLiteral("txtSR"), FieldKind::Transponder, 5, true);
    m_cbPolar = new QComboBox(frame);
    m_cbPolar->setObjectName(QStringLiteral("cbPolar"));
    m_cbPolar->addItems(TPListModel::polarItems());
    m_cbFEC = new QComboBox(frame);
    m_cbFEC->setObjectName(QStringLiteral("cbFEC"));
    m_cbFEC->addItems(m_lists.fecList.mid(0, 8));  // "8/9" can be shown but not chosen
    m_cbPolar->installEventFilter(this);
    m_cbFEC->installEventFilter(this);
    boxes->addWidget(new QLabel(QStringLiteral("Freq :"), frame), 0, 0);
    boxes->addWidget(m_txtFreq, 0, 1);
    boxes->addWidget(new QLabel(QStringLiteral("Polar :"), frame), 0, 2);
    boxes->addWidget(m_cbPolar, 0, 3);
    boxes->addWidget(new QLabel(QStringLiteral("S/R :"), frame), 1, 0);
    boxes->addWidget(m_txtSR, 1, 1);
    boxes->addWidget(new QLabel(QStringLiteral("FEC :"), frame), 1, 2);
    boxes->addWidget(m_cbFEC, 1, 3);
    layout->addLayout(boxes);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(addButton(QStringLiteral("Inse&rt"), QStringLiteral("cmdList2Insert")));
    buttons->addWidget(addButton(QStringLiteral("N&ext"), QStringLiteral("cmdList2Next")));
    buttons->addWidget(addButton(QStringLiteral("De&l"), QStringLiteral("cmdList2Del")));
    buttons->addWidget(new QLabel(QStringLiteral("TP Data Move"), frame));
    for (const char *name : {"cmdList2Up", "cmdList2Down"}) {
        QPushButton *move = addButton(QString(QChar(name[8] == 'U' ? 0x2191 : 0x2193)), QLatin1String(name));
        buttons->addWidget(move);
    }
    layout->addLayout(buttons);
    connect(findChild<QPushButton *>(QStringLiteral("cmdList2Insert")), &QPushButton::clicked, this,
            &frmTPEdit::cmdList2Insert_Click);
    connect(findChild<QPushButton *>(QStringLiteral("cmdList2Next")), &QPushButton::clicked, this,
            &frmTPEdit::cmdList2Next_Click);
    connect(findChild<QPushButton *>(QStringLiteral("cmdList2Del")), &QPushButton::clicked, this,
            &frmTPEdit::cmdList2Del_Click);
    connect(m_List2->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &frmTPEdit::onCurrentTPChanged);
    connect(m_List2, &QTreeView::clicked, this, [this](const QModelIndex &index) { showTP(index.row() + 1); });
}

void frmTPEdit::buildMenu()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mFile"));
    const auto add = [this, file](const QString &caption, const char *name, void (frmTPEdit::*handler)()) {
        QAction *action = file->addAction(caption);
        action->setObjectName(QLatin1String(name));
        connect(action, &QAction::triggered, this, handler);
    };
    add(QStringLiteral("&Open"), "mmFileOpen", &frmTPEdit::cmdDataFileLoad_Click);
    add(QStringLiteral("&Save"), "mmSave", &frmTPEdit::cmdDataSave_Click);
    add(QStringLiteral("Sav&e As"), "mmSaveAs", &frmTPEdit::mmSaveAs_Click);
    file->addSeparator();
    add(QStringLiteral("&Import satellites.xml…"), "mmImportXml", &frmTPEdit::mmImportXml_Click);
    add(QStringLiteral("Ex&port satellites.xml…"), "mmExportXml", &frmTPEdit::mmExportXml_Click);
    file->addSeparator();
    QAction *exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("mmExit"));
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

bool frmTPEdit::event(QEvent *event)
{
    const bool closing = event->type() == QEvent::Close;
    const bool handled = QMainWindow::event(event);
    // Whether the close went ahead or was cancelled, the find dialog goes.
    if (closing && m_find)
        m_find->close();
    return handled;
}

void frmTPEdit::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    if (!m_painted)
        firstPaint();
}

void frmTPEdit::firstPaint()
{
    m_painted = true;
    m_selectedFile = m_link.selectedFile;
    showCaption();
    m_tables.copyStoredToWorking();
    m_undo.clear();  // a load starts a new history
    m_tpFrame->setEnabled(true);
    regionSwitch(m_tabRegion->currentIndex());
}

void frmTPEdit::regionSwitch(int tab)
{
    if (tab < 0)
        return;
    if (m_tabRegion->currentIndex() != tab) {
        m_tabRegion->setCurrentIndex(tab);  // switches through currentChanged
        return;
    }
    m_txtSatName->clear();
    m_txtDeg->clear();
    m_Combo1->setCurrentIndex(-1);
    m_tables.CurRegion = qint16(tab);
    m_satModel.setRegion(tab);
    m_tpModel.setSatellite(tab, -1);
    clearTPBoxes();
    if (m_satModel.rowCount() > 0) {
        List1Select(1);
        m_List1->setFocus();
    }
}

int frmTPEdit::selectedSat() const
{
    const QModelIndex current = m_List1->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

int frmTPEdit::selectedTP() const
{
    const QModelIndex current = m_List2->currentIndex();
    return current.isValid() ? current.row() + 1 : 0;
}

QList<int> frmTPEdit::markedRows(QTreeView *list) const
{
    QList<int> rows;
    for (const QModelIndex &index : list->selectionModel()->selectedRows())
        rows.append(index.row());
    return rows;
}

void frmTPEdit::List1Select(int index)
{
    if (index < 1 || index > m_satModel.rowCount())
        return;
    const QModelIndex row = m_satModel.index(index - 1, 0);
    const bool moves = m_List1->currentIndex().row() != row.row();
    m_List1->selectionModel()->setCurrentIndex(row, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_List1->scrollTo(row);
    if (!moves)
        showSatellite(index);  // else the current row's change showed it
}

void frmTPEdit::onCurrentSatChanged(const QModelIndex &current)
{
    if (current.isValid() && m_painted)
        showSatellite(current.row() + 1);
}

void frmTPEdit::onCurrentTPChanged(const QModelIndex &current)
{
    if (current.isValid() && m_painted)
        showTP(current.row() + 1);
}

void frmTPEdit::showSatellite(int row)
{
    const SatRecord &sat = m_tables.SatData(m_tables.CurRegion, row - 1);
    showText(m_txtSatName, sat.SatName);
    showText(m_txtDeg, sat.Deg);
    m_Combo1->setCurrentIndex(m_Combo1->findText(m_satModel.index(row - 1, SatListModel::ParseSort).data().toString()));
    showText(m_txtDiseqc, sat.Diseqc);
    m_tpModel.setSatellite(m_tables.CurRegion, row - 1);
    clearTPBoxes();
    if (m_tpModel.rowCount() > 0)
        List2Select(1);
}

void frmTPEdit::List2Select(int index)
{
    if (index < 1 || index > m_tpModel.rowCount())
        return;
    const QModelIndex row = m_tpModel.index(index - 1, 0);
    const bool moves = m_List2->currentIndex().row() != row.row();
    m_List2->selectionModel()->setCurrentIndex(row, QItemSelectionModel::Select | QItemSelectionModel::Rows);
    m_List2->scrollTo(row);
    if (!moves)
        showTP(index);
}

void frmTPEdit::showTP(int row)
{
    const auto text = [this, row](TPListModel::Column c) { return m_tpModel.index(row - 1, c).data().toString(); };
    showText(m_txtSR, text(TPListModel::SR));
    showText(m_txtFreq, text(TPListModel::Freq));
    m_cbPolar->setCurrentIndex(m_cbPolar->findText(text(TPListModel::Polar)));
    const QString fec = text(TPListModel::FEC);
    m_cbFEC->setCurrentIndex(fec.isEmpty() ? -1 : m_cbFEC->findText(fec));
}

void frmTPEdit::clearTPBoxes()
{
    m_txtFreq->clear();
    m_txtSR->clear();
    m_cbPolar->setCurrentIndex(-1);
    m_cbFEC->setCurrentIndex(-1);
}

void frmTPEdit::refuse(const QString &text)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("ERROR"), text, QMessageBox::Ok, this);
    box.exec();
}

void frmTPEdit::afterSatEdit(const ListEdit &edit, bool focusName)
{
    if (!edit.refusal.isEmpty()) {
        refuse(edit.refusal);
        return;
    }
    m_List1->clearSelection();
    if (edit.select < 0) {
        if (m_satModel.rowCount() == 0) {
            m_txtSatName->clear();
            m_txtDeg->clear();
            m_txtDiseqc->clear();
            m_Combo1->setCurrentIndex(-1);
            m_tpModel.setSatellite(m_tables.CurRegion, -1);
            clearTPBoxes();
        }
        return;
    }
    List1Select(edit.select + 1);
    if (focusName)
        m_txtSatName->setFocus();
}

void frmTPEdit::afterTPEdit(const ListEdit &edit, bool focusFreq)
{
    if (!edit.refusal.isEmpty()) {
        refuse(edit.refusal);
        return;
    }
    m_List2->clearSelection();
    if (edit.select < 0) {
        if (m_tpModel.rowCount() == 0)
            clearTPBoxes();
        return;
    }
    List2Select(edit.select + 1);
    if (focusFreq)
        m_txtFreq->setFocus();
}

void frmTPEdit::cmdInsert_Click()
{
    recordEdit([this] { afterSatEdit(m_satModel.insertBefore(selectedSat() - 1), true); });
}

void frmTPEdit::cmdNext_Click()
{
    recordEdit([this] {
        const int before = m_satModel.rowCount();
        const ListEdit edit = m_satModel.next(selectedSat() - 1);
        afterSatEdit(edit, m_satModel.rowCount() > before);
    });
}

void frmTPEdit::cmdDel_Click()
{
    if (m_satModel.rowCount() == 0)
        return;
    recordEdit([this] { afterSatEdit(m_satModel.deleteMarked(markedRows(m_List1)), false); });
    m_List1->setFocus();
}

void frmTPEdit::cmdList2Insert_Click()
{
    recordEdit([this] { afterTPEdit(m_tpModel.insertBefore(selectedTP() - 1), true); });
}

void frmTPEdit::cmdList2Next_Click()
{
    recordEdit([this] { afterTPEdit(m_tpModel.next(selectedTP() - 1), false); });
}

void frmTPEdit::cmdList2Del_Click()
{
    if (m_tpModel.rowCount() == 0)
        return;
    recordEdit([this] { afterTPEdit(m_tpModel.deleteMarked(markedRows(m_List2)), false); });
}
