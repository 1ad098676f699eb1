#include "download/ui/frmDownList.h"

#include "common/Twips.h"
#include "common/WholeFile.h"
#include "download/CodeList.h"
#include "download/ui/frmTPDown.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>

namespace {

struct RegionBox {
    const char *caption;
    int top, left;  // twips
};
constexpr RegionBox regionBoxes[] = {
    {"America", 480, 360}, {"Asia", 480, 2640}, {"Atlantic", 1560, 360}, {"Europe", 1560, 2640}};

void refuse(QWidget *owner, const QString &text)
{
    QMessageBox::warning(owner, QStringLiteral("ERROR"), text, QMessageBox::Ok);
}

}  // namespace

frmDownList::frmDownList(const ProgramDir &dir, QStringList &downloadCodes, MessageBoard *board, QWidget *parent,
                         DownloadTiming timing)
    : QDialog(parent), m_dir(dir), DownloadCodes(downloadCodes), m_board(board), m_timing(timing)
{
    setObjectName(QStringLiteral("frmDownList"));
    setWindowTitle(QStringLiteral("TP Download"));
    setFixedSize(twips(7470), twips(5265));
    for (int i = 0; i < 2; ++i) {
        auto *frame = new QGroupBox(this);
        frame->setObjectName(QStringLiteral("Frame1_%1").arg(i));
        frame->setGeometry(twips(240), twips(240), twips(6960), twips(3960));
        frame->hide();
        m_Frame1.append(frame);
    }
    m_List1 = new QTreeWidget(m_Frame1[1]);
    m_List1->setObjectName(QStringLiteral("List1"));
    m_List1->setHeaderHidden(true);
    m_List1->setRootIsDecorated(false);
    m_List1->setGeometry(twips(120), twips(300), twips(4800), twips(3500));
    m_chkAll = new QCheckBox(QStringLiteral("Select All"), m_Frame1[1]);
    m_chkAll->setObjectName(QStringLiteral("chkAll"));
    m_chkAll->setGeometry(twips(5100), twips(300), twips(1700), twips(360));
    m_cmdNext = new QPushButton(QStringLiteral("&Next"), this);
    m_cmdNext->setObjectName(QStringLiteral("cmdNext"));
    m_cmdNext->setGeometry(twips(3960), twips(4380), twips(1440), twips(420));
    m_cmdNext->setDefault(true);
    m_cmdCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    m_cmdCancel->setGeometry(twips(5640), twips(4380), twips(1440), twips(420));

    connect(m_cmdNext, &QPushButton::clicked, this, &frmDownList::cmdNext_Click);
    connect(m_cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_chkAll, &QCheckBox::clicked, this, &frmDownList::selectAll);
    connect(m_List1, &QTreeWidget::itemPressed, this, [this](QTreeWidgetItem *item) { rowPressed(item); });
    connect(m_List1, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem *item) { rowClicked(item); });
    connect(m_List1, &QTreeWidget::itemChanged, this, [this](QTreeWidgetItem *item) { rowChanged(item); });
    enterRegionStep();
}

int frmDownList::twips(int value) const
{
    return twipsToPixels(value, logicalDpiY());
}

void frmDownList::enterRegionStep()
{
    m_step = 1;
    m_Frame1[0]->setTitle(QStringLiteral("Select Region"));
    m_Frame1[0]->show();
    for (int i = 0; i < 4; ++i) {
        auto *box = new QCheckBox(QLatin1String(regionBoxes[i].caption), m_Frame1[0]);
        box->setObjectName(QStringLiteral("chkRegion_%1").arg(i));
        box->setGeometry(twips(regionBoxes[i].left), twips(regionBoxes[i].top), twips(1800), twips(360));
        m_chkRegion.append(box);
    }
    m_chkRegion[0]->setFocus();
}

void frmDownList::cmdNext_Click()
{
    if (m_step == 1)
        regionNext();
    else if (m_step == 2)
        satelliteNext();
}

void frmDownList::regionNext()
{
    std::array<bool, 4> ticked{};
    bool any = false;
    for (int i = 0; i < 4; ++i) {
        ticked[std::size_t(i)] = m_chkRegion[i]->isChecked();
        any = any || ticked[std::size_t(i)];
    }
    if (!any) {
        refuse(this, QStringLiteral("Select Region. At least select one"));
        return;
    }
    if (!m_dir.exists(CodeListFileName)) {
        reject();
        return;
    }
    const Result<QByteArray> text = readWholeFile(m_dir.filePath(CodeListFileName));
    if (!text) {
        QMessageBox::warning(this, QStringLiteral("ERROR"), text.error());
        reject();
        return;
    }
    DownloadCodes = CodesInRegions(CodeLines(text.value()), ticked);
    m_listed = qint16(DownloadCodes.size());
    m_step = 2;
    m_Frame1[0]->hide();
    m_Frame1[1]->move(twips(240), twips(240));
    m_Frame1[1]->setTitle(QStringLiteral("Select Satellite"));
    m_Frame1[1]->show();
    QSignalBlocker quiet(m_List1);
    for (const QString &code : DownloadCodes) {
        auto *row = new QTreeWidgetItem(m_List1, {code});
        row->setFlags(row->flags() | Qt::ItemIsUserCheckable);
        row->setCheckState(0, Qt::Unchecked);
    }
    m_List1->setFocus();
}

void frmDownList::satelliteNext()
{
    DownloadCodes.clear();
    for (int i = 0; i < m_List1->topLevelItemCount(); ++i) {
        const QTreeWidgetItem *row = m_List1->topLevelItem(i);
        if (row->checkState(0) == Qt::Checked)
            DownloadCodes.append(row->text(0));
    }
    if (DownloadCodes.isEmpty()) {
        refuse(this, QStringLiteral("Select satellite. At least select one"));
        return;
    }
    // Checked before the run, so that a bad mirror file costs the user no selection.
    const Result<QList<MirrorAddress>> mirrors = ReadMirrorList(m_dir);
    if (!mirrors) {
        refuse(this, mirrors.error());
        return;
    }
    hide();
    frmTPDown download(m_dir, mirrors.value(), DownloadCodes, m_board, parentWidget(), m_timing);
    download.exec();
    accept();
}

void frmDownList::rowPressed(QTreeWidgetItem *item)
{
    m_pressedState = item->checkState(0);
}

void frmDownList::rowClicked(QTreeWidgetItem *item)
{
    if (item->checkState(0) != m_pressedState)
        return;
    item->setCheckState(0, item->checkState(0) == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

void frmDownList::rowChanged(QTreeWidgetItem *item)
{
    m_List1->setCurrentItem(item);
}

void frmDownList::selectAll(bool ticked)
{
    QSignalBlocker quiet(m_List1);
    for (int i = 0; i < m_List1->topLevelItemCount(); ++i)
        m_List1->topLevelItem(i)->setCheckState(0, ticked ? Qt::Checked : Qt::Unchecked);
}
