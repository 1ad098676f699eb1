// The channel editor's menus and file commands: open, save, save as, download,
// upload and close.
#include "channel/ui/frmCHEdit.h"

#include "channel/ChannelImageLoad.h"
#include "common/Converters.h"
#include "common/TextServices.h"
#include "common/WholeFile.h"
#include "common/ui/FileDialog.h"
#include "common/ui/HistoryKeys.h"
#include "common/ui/WindowServices.h"
#include "link/ReceiverLink.h"
#include "link/ui/SerialInit.h"

#include <QCloseEvent>
#include <QEventLoop>
#include <QMenuBar>
#include <QMessageBox>
#include <QTemporaryFile>
#include <QTimer>
#include <QTreeView>
#include <QUndoStack>

namespace {
const QString kFilter = QStringLiteral("CH Files (*.bin)|*.bin|All Files (*.*)|*.*");

QAction *addEntry(QMenu *menu, const QString &caption, const QString &name, const QKeySequence &keys = {})
{
    QAction *action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(keys);
    return action;
}

// The "&Sort" menu; answers it. Its "&TP Freq" has nothing to sort by.
QMenu *addSortMenu(QMenu *parent, const QString &prefix)
{
    QMenu *sort = parent->addMenu(QStringLiteral("&Sort"));
    sort->setObjectName(prefix + QStringLiteral("Sort"));
    addEntry(sort, QStringLiteral("&A to Z"), prefix + QStringLiteral("SortAZ"));
    addEntry(sort, QStringLiteral("&Z to A"), prefix + QStringLiteral("SortZA"));
    addEntry(sort, QStringLiteral("&TP Freq"), prefix + QStringLiteral("SortTPFreq"))->setVisible(false);
    return sort;
}
}  // namespace

void frmCHEdit::buildMenus()
{
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mFile"));
    connect(addEntry(file, QStringLiteral("&Open"), QStringLiteral("mmOpen"), QKeySequence(QStringLiteral("Ctrl+O"))),
            &QAction::triggered, this, &frmCHEdit::openCommand);
    connect(addEntry(file, QStringLiteral("&Save"), QStringLiteral("mmSave"), QKeySequence(QStringLiteral("Ctrl+S"))),
            &QAction::triggered, this, &frmCHEdit::saveCommand);
    connect(
        addEntry(file, QStringLiteral("Save &As"), QStringLiteral("mmSaveAs"), QKeySequence(QStringLiteral("Ctrl+A"))),
        &QAction::triggered, this, &frmCHEdit::saveAsCommand);
    file->addSeparator();
    connect(addEntry(file, QStringLiteral("&Export List…"), QStringLiteral("mmExportCsv")), &QAction::triggered, this,
            &frmCHEdit::exportCsvCommand);
    connect(addEntry(file, QStringLiteral("&Import List…"), QStringLiteral("mmImportCsv")), &QAction::triggered, this,
            &frmCHEdit::importCsvCommand);
    connect(addEntry(file, QStringLiteral("Order &like…"), QStringLiteral("mmOrderLike")), &QAction::triggered, this,
            &frmCHEdit::orderLikeCommand);
    file->addSeparator();
    connect(addEntry(file, QStringLiteral("E&xit"), QStringLiteral("mmExit"), QKeySequence(QStringLiteral("Ctrl+X"))),
            &QAction::triggered, this, &QWidget::close);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mEdit"));
    addHistoryActions(edit, m_undo);
    edit->addSeparator();
    connect(addEntry(edit, QStringLiteral("&Find"), QStringLiteral("mmFind"), QKeySequence(QStringLiteral("Ctrl+F"))),
            &QAction::triggered, this, &frmCHEdit::findCommand);

    m_List1Sub = new QMenu(QStringLiteral("List1Sub"), this);
    m_List1Sub->setObjectName(QStringLiteral("List1Sub"));
    m_mnuLock = addEntry(m_List1Sub, QStringLiteral("&Lock"), QStringLiteral("mmLock"));
    m_mnuLock->setCheckable(true);
    connect(m_mnuLock, &QAction::triggered, this, &frmCHEdit::lockCommand);
    QMenu *favorite = m_List1Sub->addMenu(QStringLiteral("Favorite"));
    favorite->setObjectName(QStringLiteral("mmFavorite"));
    for (int g = 0; g < FavoriteGroupCount; ++g) {
        QAction *entry = addEntry(favorite, QStringLiteral("F&%1").arg(g + 1), QStringLiteral("mmmFavorite_%1").arg(g));
        entry->setCheckable(true);
        connect(entry, &QAction::triggered, this, [this, g] { favoriteCommand(g); });
        m_mnuFavorite.append(entry);
    }
    QMenu *sort1 = addSortMenu(m_List1Sub, QStringLiteral("mmList1"));
    addEntry(sort1, QStringLiteral("L&ock"), QStringLiteral("mmList1SortLock"));
    addEntry(sort1, QStringLiteral("F&avorite"), QStringLiteral("mmList1SortFavorite"));
    const QList<std::pair<const char *, Sort>> sorts{{"mmList1SortAZ", Sort::AToZ},
                                                     {"mmList1SortZA", Sort::ZToA},
                                                     {"mmList1SortLock", Sort::Lock},
                                                     {"mmList1SortFavorite", Sort::Favorite}};
    for (const auto &[name, sort] : sorts)
        connect(sort1->findChild<QAction *>(QLatin1String(name)), &QAction::triggered, this,
                [this, sort] { sortCommand(sort); });
    connect(addEntry(m_List1Sub, QStringLiteral("Select &All"), QStringLiteral("mmList1SelectAll")),
            &QAction::triggered, m_List1, &QTreeView::selectAll);

    QMenu *list3Sub = menuBar()->addMenu(QStringLiteral("List3Sub"));
    list3Sub->setObjectName(QStringLiteral("List3Sub"));
    addEntry(list3Sub, QStringLiteral("&Del In List"), QStringLiteral("mmDelInList"))->setVisible(false);
    addSortMenu(list3Sub, QStringLiteral("mmList3"));  // its entries have no action
    connect(addEntry(list3Sub, QStringLiteral("Select &All"), QStringLiteral("mmList3SelectAll")), &QAction::triggered,
            m_List3, &QTreeView::selectAll);
}

bool frmCHEdit::saveTo(const QString &target)
{
    ++m_renameRun;  // typing after a save is a step of its own
    const Result<QString> saved =
        withBusyCursor([this, &target] { return m_saver.save(m_model, m_selectedFile, target); });
    if (!saved) {
        showExclamation(this, saved.error());
        return false;
    }
    if (!saved.value().isEmpty())
        m_link.appendMessage(saved.value());
    return true;
}

int frmCHEdit::askToSave()
{
    if (m_model.ChannelDataUnchanged())
        return QMessageBox::Yes;
    QMessageBox box(QMessageBox::NoIcon, applicationTitle(),
                    QStringLiteral("Do you want save the changes you made to 'CH Data'?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    const int answer = box.exec();
    if (answer == QMessageBox::Yes && !saveTo(m_selectedFile))
        return QMessageBox::Cancel;
    return answer;
}

QString frmCHEdit::askThenChoose(FileDialogMode mode, const QString &title)
{
    if (askToSave() == QMessageBox::Cancel)
        return {};
    return ShowFileDialog(this, mode, kFilter, QString(), title, m_selectedFile);
}

void frmCHEdit::reportLoad(const Status &loaded)
{
    if (!loaded)
        showExclamation(this, loaded.error());
}

void frmCHEdit::showLoaded()
{
    m_undo->clear();  // the history belongs to the data it was made on
    ++m_renameRun;
    tabChannelType_Click();
    tabFavorite_Click();
    List1Select(1);
}

void frmCHEdit::openCommand()
{
    const QString file = askThenChoose(FileDialogMode::Open, QStringLiteral("Open Ch. DATA"));
    if (file.isEmpty())
        return;
    const ChannelImageLoad loaded =
        withBusyCursor([this, &file] { return loadChannelImage(m_converters, m_model, file); });
    if (!loaded.converted) {
        showExclamation(this, loaded.status.error());
        return;
    }
    editFile(file);
    reportLoad(loaded.status);
    m_editing.reloaded();
    showLoaded();
}

void frmCHEdit::editFile(const QString &file)
{
    m_selectedFile = file;
    m_link.selectedFile = file;
    setWindowTitle(ShortenPathCaption(m_selectedFile));  // the caption names the file that Save writes
}

void frmCHEdit::saveCommand()
{
    saveTo(m_selectedFile);
}

void frmCHEdit::saveAsCommand()
{
    const QString file =
        ShowFileDialog(this, FileDialogMode::Save, kFilter, QString(), QStringLiteral("Save Ch. DATA"), m_selectedFile);
    if (file.isEmpty())
        return;
    m_saveAsFile = file;
    if (!saveTo(m_saveAsFile))
        return;
    editFile(m_saveAsFile);
}

void frmCHEdit::downloadCommand()
{
    const QString file = askThenChoose(FileDialogMode::Save, QStringLiteral("Download Ch. DATA"));
    if (file.isEmpty())
        return;
    // The image is received into a file of its own beside the target, and
    // replaces the target only once ChannelParse has taken it; a refused image
    // leaves the old file and the model as they were.
    QTemporaryFile received(file + QStringLiteral(".XXXXXX"));
    if (!received.open()) {
        showExclamation(this, QStringLiteral("%1: %2").arg(file, received.errorString()));
        return;
    }
    received.close();
    if (!SerialInit(m_link, this, TransferRequest::download(received.fileName())).closedWithOk)
        return;  // the transfer window has said why
    const Result<QByteArray> image = readWholeFile(received.fileName());
    const Status replaced = image ? writeWholeFile(file, image.value()) : Status::failure(image.error());
    if (!replaced) {
        received.setAutoRemove(false);
        showExclamation(this, QStringLiteral("%1 was not replaced: %2\nThe received channel data is in %3.")
                                  .arg(file, replaced.error(), received.fileName()));
        return;
    }
    editFile(file);
    QEventLoop pause;
    QTimer::singleShot(400, &pause, &QEventLoop::quit);
    pause.exec();
    reportLoad(m_model.LoadChannelFiles());
    m_editing.reloaded();
    showLoaded();
}

void frmCHEdit::uploadCommand()
{
    const QString file = askThenChoose(FileDialogMode::Save, QStringLiteral("Upload Ch. DATA"));
    if (file.isEmpty())
        return;
    m_link.selectedFile = file;
    SerialInit(m_link, this, TransferRequest::upload(file, QStringLiteral("CH. Data")));
}

void frmCHEdit::closeEvent(QCloseEvent *event)
{
    if (askToSave() == QMessageBox::Cancel) {
        event->ignore();
        return;
    }
    m_converters.removeFiles(Converters::channelFiles());
    event->accept();
    Q_EMIT closed();
}
