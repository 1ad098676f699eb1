// The channel editor's exchange with spreadsheets and reference lists: export
// and import of a channel file, and "Order like…".
#include "channel/ui/frmCHEdit.h"

#include "channel/ChannelCsv.h"
#include "channel/ChannelImageLoad.h"
#include "channel/ChannelOrder.h"
#include "common/WholeFile.h"
#include "common/ui/FileDialog.h"
#include "common/ui/WindowServices.h"

#include <QFileInfo>
#include <QMessageBox>
#include <QTreeView>

namespace {
const QString kCsvFilter = QStringLiteral("CSV Files (*.csv)|*.csv|All Files (*.*)|*.*");
const QString kReferenceFilter = QStringLiteral("CH Files (*.bin)|*.bin|CSV Files (*.csv)|*.csv|All Files (*.*)|*.*");

bool isCsv(const QString &file)
{
    return QFileInfo(file).suffix().compare(QLatin1String("csv"), Qt::CaseInsensitive) == 0;
}
}  // namespace

void frmCHEdit::exportCsvCommand()
{
    const QString file = ShowFileDialog(this, FileDialogMode::Save, kCsvFilter, QString(),
                                        QStringLiteral("Export Ch. List"), m_selectedFile);
    if (file.isEmpty())
        return;
    if (const Status written = writeWholeFile(file, exportChannelCsv(m_model.tables())); !written)
        showExclamation(this, QStringLiteral("%1: %2").arg(file, written.error()));
}

void frmCHEdit::importCsvCommand()
{
    if (!m_model.DataLoaded())
        return;
    const QString file = ShowFileDialog(this, FileDialogMode::Open, kCsvFilter, QString(),
                                        QStringLiteral("Import Ch. List"), m_selectedFile);
    if (file.isEmpty())
        return;
    const Result<QByteArray> text = readWholeFile(file);
    const Result<ChannelTables> imported =
        text ? importChannelCsv(m_model.tables(), text.value()) : Result<ChannelTables>(text.status());
    if (!imported) {
        showExclamation(this, QStringLiteral("%1 was not imported:\n%2").arg(file, imported.error()),
                        QStringLiteral("ERROR"));
        return;
    }
    m_editing.replaceTables(imported.value(), QStringLiteral("Import"));
    showReordered();
}

void frmCHEdit::orderLikeCommand()
{
    if (!m_model.DataLoaded())
        return;
    const QString file = ShowFileDialog(this, FileDialogMode::Open, kReferenceFilter, QString(),
                                        QStringLiteral("Order like"), m_selectedFile);
    if (file.isEmpty())
        return;
    QMessageBox ask(QMessageBox::Question, QStringLiteral("Order like"),
                    QStringLiteral("Take the locks and favourites from the reference too?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, this);
    ask.setDefaultButton(QMessageBox::No);
    const int take = ask.exec();
    if (take == QMessageBox::Cancel)
        return;
    Result<QList<ReferenceChannel>> reference = QList<ReferenceChannel>();
    if (isCsv(file)) {
        const Result<QByteArray> text = readWholeFile(file);
        reference = text ? referenceFromCsv(text.value()) : Result<QList<ReferenceChannel>>(text.status());
    } else {
        const Result<ChannelTables> image =
            withBusyCursor([this, &file] { return readChannelImage(m_model.programDir(), file); });
        reference = image ? referenceOf(image.value()) : Result<QList<ReferenceChannel>>(image.status());
    }
    if (!reference) {
        showExclamation(this, QStringLiteral("%1 cannot be a reference:\n%2").arg(file, reference.error()),
                        QStringLiteral("ERROR"));
        return;
    }
    const OrderedChannels ordered = orderLike(m_model.tables(), reference.value(), take == QMessageBox::Yes);
    m_editing.replaceTables(ordered.tables, QStringLiteral("Order like"));
    showReordered();
    QMessageBox::information(this, QStringLiteral("Order like"), ordered.report());
}

void frmCHEdit::showReordered()
{
    ++m_renameRun;
    m_List1->clearSelection();
    List1Select(1);
}
