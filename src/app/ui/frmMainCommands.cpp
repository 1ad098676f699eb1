// The main window's commands: mode switches, uploads and the editors' entries.
#include "app/ui/frmMain.h"

#include "app/AppContext.h"
#include "app/UploadCommands.h"
#include "channel/ChannelImageLoad.h"
#include "channel/ui/frmCHEdit.h"
#include "common/ui/FileDialog.h"
#include "common/ui/WindowServices.h"
#include "download/ui/frmDownList.h"
#include "link/ui/SerialInit.h"
#include "tp/TPImageLoad.h"
#include "tp/ui/frmTPEdit.h"

#include <QMessageBox>
#include <QPushButton>

void frmMain::showError(const Status &status)
{
    if (!status)
        showExclamation(this, status.error());
}

void frmMain::ModeSwitch(int index)
{
    const std::optional<Configuration::ModeChange> change = m_context.configuration.ModeSwitch(index, m_context.link);
    if (!change)
        return;
    for (const QString &error : change->errors)
        showExclamation(this, error);
    if (change->hideOsdCommands)
        OSD_Commands_Visible(false);
    ApplyConfiguration();
}

void frmMain::cmdPCSTB_Click(int index)
{
    ReceiverLink &link = m_context.link;
    link.selectedFile.clear();
    if (index == 9 && m_context.configuration.operatingMode() != Configuration::UserMode)
        return;
    if (const UploadCommand *command = uploadCommandForButton(index))
        upload(*command);  // 7 and 8, the EDIT selectors, upload nothing
}

void frmMain::cmdOSD_Click(int index)
{
    upload(uploadCommandForOsd(index));
}

void frmMain::upload(const UploadCommand &command)
{
    ReceiverLink &link = m_context.link;
    link.selectedFile = ShowFileDialog(this, FileDialogMode::Open, command.filter, QString(), command.title);
    if (!link.selectedFile.isEmpty())
        SerialInit(TransferRequest::upload(link.selectedFile, command.kind));
}

void frmMain::cmdTPEDIT_Click(int index)
{
    if (index == 0) {
        frmDownList wizard(m_context.programDir, m_context.downloadCodes, m_board, this);
        wizard.exec();
        return;
    }
    const QString file =
        ShowFileDialog(this, FileDialogMode::Open, QStringLiteral("TP Files (*.MDA)|*.MDA|All Files (*.*)|*.*"),
                       QString(), QStringLiteral("Open TP File"));
    if (file.isEmpty())
        return;
    // A second click during the run would start a conversion that deletes this one's files.
    m_cmdTPEDIT[1]->setEnabled(false);
    const Status loaded = withBusyCursor(
        [this, &file] { return loadTPImage(m_context.converters, m_context.programDir, *m_context.tpTables, file); });
    if (!loaded) {
        showExclamation(this, loaded.error());
        m_cmdTPEDIT[1]->setEnabled(true);
        return;
    }
    m_context.link.selectedFile = file;
    openTPEditor();
}

void frmMain::cmdCHEdit_Click(int index)
{
    const QString filter = QStringLiteral("Ch. DATA Files (*.bin)|*.bin|All Files (*.*)|*.*");
    if (index == 1) {
        const QString file =
            ShowFileDialog(this, FileDialogMode::Open, filter, QString(), QStringLiteral("Open Ch. DATA"));
        if (file.isEmpty())
            return;
        cmdChEditEnable(false);
        const ChannelImageLoad loaded =
            withBusyCursor([this, &file] { return loadChannelImage(m_context.converters, m_context.channels, file); });
        if (loaded.converted)
            m_context.link.selectedFile = file;
        if (!loaded.status) {
            showExclamation(this, loaded.status.error());
            cmdChEditEnable(true);
            return;
        }
        showChannelEditor();
        return;
    }
    const QString file = ShowFileDialog(this, FileDialogMode::Save, filter, QStringLiteral("ROM_GetCH.bin"),
                                        QStringLiteral("Save Ch. DATA"));
    if (file.isEmpty())
        return;
    m_context.link.selectedFile = file;
    if (SerialInit(TransferRequest::download(file)).closedWithOk) {
        cmdChEditEnable(false);
        if (const Status loaded = m_context.channels.LoadChannelFiles(); !loaded) {
            showExclamation(this, loaded.error());
            cmdChEditEnable(true);
            return;
        }
        showChannelEditor();
    }
}

TransferOutcome frmMain::SerialInit(const TransferRequest &request)
{
    return ::SerialInit(m_context.link, this, request);
}

void frmMain::openTPEditor()
{
    // A window of its own, not a child: closing the main window leaves it open.
    auto *editor = new frmTPEdit(*m_context.tpTables, m_context.lists, m_context.converters, m_context.link);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    connect(editor, &frmTPEdit::closed, this, [this] { m_cmdTPEDIT[1]->setEnabled(true); });
    editor->show();
}

void frmMain::showChannelEditor()
{
    auto *editor = new frmCHEdit(m_context.channels, m_context.link, m_context.converters);
    connect(editor, &frmCHEdit::closed, this, [this] { cmdChEditEnable(true); });
    editor->show();
}
