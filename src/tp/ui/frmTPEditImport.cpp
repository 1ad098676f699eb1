// The import of downloaded satellite files into the editor's tables.
#include "tp/ui/frmTPEdit.h"

#include "common/WholeFile.h"
#include "common/ui/FileDialog.h"
#include "common/ui/WindowServices.h"
#include "link/ReceiverLink.h"
#include "tp/SatellitesXml.h"
#include "tp/SdxImport.h"
#include "tp/ui/dlgSatellitesXml.h"

#include <QComboBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTabBar>
#include <QTreeView>

#include <algorithm>

void frmTPEdit::ParsingWant(QWidget *obj, int Index)
{
    if (m_txtDeg->text().isEmpty() || m_Combo1->currentText().isEmpty())
        return;
    // Typing a position and its import are one step.
    recordEdit([&] { importRow(obj, m_tables.CurRegion, Index, m_Combo1->currentText()); }, {},
               obj == m_txtDeg ? typingKey(m_txtDeg) : QString());
}

void frmTPEdit::importRow(QWidget *obj, int region, int Index, const QString &option)
{
    if (Index < 1 || Index > m_tables.SatCount[std::size_t(region)])
        return;
    const TPRecord defaultTP{m_lists.defaultTP.value(0), m_lists.defaultTP.value(1), m_lists.defaultTP.value(2),
                             m_lists.defaultTP.value(3)};
    const bool hadFocus = obj->hasFocus();  // typing in the position box goes on there
    ++m_importing;  // the focus leaves the disabled control and comes back within one typing run
    obj->setEnabled(false);
    const bool read = ImportSatellite(m_link.programDir(), m_tables, region, Index - 1, option, defaultTP);
    // Rows of another region than the one on display are not shown.
    if (region == m_tabRegion->currentIndex())
        List1Select(Index);
    obj->setEnabled(true);
    if (read || hadFocus)
        obj->setFocus();
    --m_importing;
}

void frmTPEdit::Command1_Click()
{
    if (m_txtDeg->text().isEmpty() || m_Combo1->currentText().isEmpty())
        return;
    // The redisplays show each satellite's own option; the one chosen here applies to all.
    const QString option = m_Combo1->currentText();
    const int selected = selectedSat();
    recordEdit(
        [&] {
            for (int region = 0; region < RegionCount; ++region)
                for (int sat = 1; sat <= m_tables.SatCount[std::size_t(region)]; ++sat)
                    importRow(m_Command1, region, sat, option);
        },
        {0, 1, 2, 3});
    m_List1->clearSelection();  // the redisplays above marked every row they showed
    if (selected > 0)
        List1Select(selected);
}

namespace {
const QString kXmlFilter = QStringLiteral("satellites.xml (*.xml)|*.xml|All Files (*.*)|*.*");
}  // namespace

void frmTPEdit::mmImportXml_Click()
{
    const QString file = ShowFileDialog(this, FileDialogMode::Open, kXmlFilter, QString(),
                                        QStringLiteral("Import satellites.xml"), m_selectedFile);
    if (file.isEmpty())
        return;
    const Result<QByteArray> text = readWholeFile(file);
    const Result<QList<XmlSatellite>> satellites =
        text ? readSatellitesXml(text.value()) : Result<QList<XmlSatellite>>(text.status());
    if (!satellites) {
        showExclamation(this, QStringLiteral("%1: %2").arg(file, satellites.error()), QStringLiteral("ERROR"));
        return;
    }
    dlgSatellitesXml choose(satellites.value(), this);
    if (choose.exec() != QDialog::Accepted || choose.chosen().isEmpty())
        return;
    QList<int> targets;
    if (choose.replaceSelected()) {
        targets = markedRows(m_List1);
        std::sort(targets.begin(), targets.end());
    } else {
        for (int s = qMax(1, selectedSat()) - 1; s < MaxSat; ++s)
            targets.append(s);
    }
    const int region = m_tables.CurRegion;
    const int row = qMax(1, selectedSat());
    XmlImportReport report;
    recordEdit([&] { report = importSatellites(m_tables, region, choose.chosen(), targets); });
    m_satModel.setRegion(region);
    m_List1->clearSelection();
    List1Select(row);
    QMessageBox::information(this, QStringLiteral("Import satellites.xml"), report.text());
}

void frmTPEdit::mmExportXml_Click()
{
    const QString file = ShowFileDialog(this, FileDialogMode::Save, kXmlFilter, QString(),
                                        QStringLiteral("Export satellites.xml"), m_selectedFile);
    if (file.isEmpty())
        return;
    if (const Status written = writeWholeFile(file, writeSatellitesXml(m_tables)); !written)
        showExclamation(this, QStringLiteral("%1: %2").arg(file, written.error()));
}
