// The TP editor's file side: check, save, save as, open, upload and closing.
#include "tp/ui/frmTPEdit.h"

#include "common/TextServices.h"
#include "common/ui/FileDialog.h"
#include "common/ui/WindowServices.h"
#include "link/ReceiverLink.h"
#include "link/ui/SerialInit.h"
#include "tp/TPDataCheck.h"
#include "tp/TPImageLoad.h"

#include <QCloseEvent>
#include <QLineEdit>
#include <QMessageBox>
#include <QTabBar>
#include <QTreeView>

namespace {

const QString kTPFilter = QStringLiteral("TP Files (*.MDA)|*.MDA|All Files (*.*)|*.*");

void plainMessage(QWidget *owner, const QString &text, const QString &title)
{
    QMessageBox box(QMessageBox::NoIcon, title.isEmpty() ? applicationTitle() : title, text, QMessageBox::Ok, owner);
    box.exec();
}

}  // namespace

void frmTPEdit::showCaption()
{
    setWindowTitle(m_selectedFile.isEmpty() ? QStringLiteral("TP EDIT") : ShortenPathCaption(m_selectedFile));
}

void frmTPEdit::showFault(const CheckFault &fault)
{
    if (fault.region >= 0) {
        regionSwitch(fault.region);
        m_List1->clearSelection();
        List1Select(fault.satRow + 1);
        if (fault.tpRow >= 0) {
            m_List2->clearSelection();
            List2Select(fault.tpRow + 1);
        } else {
            m_txtSatName->setFocus();
        }
    }
    plainMessage(this, fault.text, fault.title);
}

bool frmTPEdit::checkShown()
{
    if (const std::optional<CheckFault> fault = TPDataCheck(m_tables)) {
        showFault(*fault);
        return false;
    }
    return true;
}

bool frmTPEdit::saveTo(const QString &mdaFile)
{
    const Result<QString> saved = withBusyCursor([this, &mdaFile] { return m_saver.save(m_tables, mdaFile); });
    if (!saved) {
        showExclamation(this, saved.error());
        return false;
    }
    if (!saved.value().isEmpty())
        m_link.appendMessage(saved.value());
    return true;
}

frmTPEdit::Answer frmTPEdit::askToSave()
{
    if (TPDataUnchanged(m_tables))
        return Answer::Proceed;
    const auto answer = QMessageBox::question(this, applicationTitle(),
                                              QStringLiteral("Do you want save the changes you made to 'TP Data'?"),
                                              QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::No)
        return Answer::Proceed;
    if (answer != QMessageBox::Yes)
        return Answer::Cancelled;
    return checkShown() && saveTo(m_selectedFile) ? Answer::Proceed : Answer::SaveFailed;
}

void frmTPEdit::cmdDataSave_Click()
{
    if (checkShown())
        saveTo(m_selectedFile);
}

void frmTPEdit::mmSaveAs_Click()
{
    if (!checkShown())
        return;
    // Nothing is copied or written before a file was chosen.
    m_saveAsFile = ShowFileDialog(this, FileDialogMode::Save, kTPFilter, QString(), QStringLiteral("Save as TP File"),
                                  m_selectedFile);
    if (m_saveAsFile.isEmpty() || !saveTo(m_saveAsFile))
        return;
    m_selectedFile = m_saveAsFile;
    m_link.selectedFile = m_selectedFile;
    showCaption();
}

void frmTPEdit::cmdDataFileLoad_Click()
{
    if (askToSave() == Answer::SaveFailed)
        return;
    const QString file = ShowFileDialog(this, FileDialogMode::Open, kTPFilter, QString(),
                                        QStringLiteral("Open TP File"), m_selectedFile);
    if (file.isEmpty())
        return;
    deleteIntermediateFiles();
    const Status loaded =
        withBusyCursor([this, &file] { return loadTPImage(m_converters, m_link.programDir(), m_tables, file); });
    if (!loaded) {
        // The edits and the file being edited stay as they were.
        showExclamation(this, loaded.error());
        return;
    }
    m_link.selectedFile = file;
    m_painted = false;
    firstPaint();
}

void frmTPEdit::cmdDataUpload_Click()
{
    if (askToSave() == Answer::SaveFailed)
        return;
    const QString file = ShowFileDialog(this, FileDialogMode::Open,
                                        QStringLiteral("Transponder Files (*.MDA)|*.MDA|All Files (*.*)|*.*"),
                                        QString(), QStringLiteral("Open Transponder"), m_selectedFile);
    if (file.isEmpty())
        return;
    m_link.selectedFile = file;
    SerialInit(m_link, this, TransferRequest::upload(file, QStringLiteral("Transponder")));
}

void frmTPEdit::deleteIntermediateFiles()
{
    // The parser's files and the combiner's satellite list.
    m_converters.removeFiles(Converters::tpFiles() + QStringList{QStringLiteral("Parse.Dll")});
}

void frmTPEdit::closeEvent(QCloseEvent *event)
{
    if (askToSave() != Answer::Proceed) {
        event->ignore();
        return;
    }
    deleteIntermediateFiles();
    m_painted = false;
    event->accept();
    Q_EMIT closed();
}
