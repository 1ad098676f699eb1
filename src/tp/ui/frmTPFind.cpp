#include "tp/ui/frmTPFind.h"

#include "common/ui/NumericKeyEventFilter.h"
#include "common/ui/WindowServices.h"
#include "tp/TPFind.h"
#include "tp/ui/TPListView.h"
#include "tp/ui/frmTPEdit.h"

#include <QComboBox>
#include <QDropEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>

frmTPFind::frmTPFind(frmTPEdit &editor, const TPTables &tables, QWidget *parent)
    : QDialog(parent), m_editor(editor), m_tables(tables)
{
    setObjectName(QStringLiteral("frmTPFind"));
    setWindowTitle(QStringLiteral("Satellite Find"));
    setModal(false);
    auto *layout = new QGridLayout(this);
    const char *const labels[] = {"Sat Name : ", "Degree : "};
    for (int i = 0; i < 2; ++i) {
        m_txtFind[i] = new QLineEdit(this);
        m_txtFind[i]->setObjectName(QStringLiteral("txtFind_%1").arg(i));
        m_txtFind[i]->installEventFilter(this);
        layout->addWidget(new QLabel(QLatin1String(labels[i]), this), i, 0);
        layout->addWidget(m_txtFind[i], i, 1);
    }
    m_txtFind[1]->setMaxLength(4);
    NumericKeyEventFilter::install(m_txtFind[1]);
    m_Combo1 = new QComboBox(this);
    m_Combo1->setObjectName(QStringLiteral("Combo1"));
    m_Combo1->addItems({QStringLiteral("OR"), QStringLiteral("AND")});
    m_Combo1->installEventFilter(this);
    layout->addWidget(new QLabel(QStringLiteral("Option : "), this), 2, 0);
    layout->addWidget(m_Combo1, 2, 1);
    auto *buttons = new QHBoxLayout;
    m_cmdFindOk = new QPushButton(QStringLiteral("&Next"), this);
    m_cmdFindOk->setObjectName(QStringLiteral("cmdFindOk"));
    m_cmdFindOk->setAutoDefault(false);
    auto *cancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cancel->setObjectName(QStringLiteral("cmdFindCancel"));
    cancel->setAutoDefault(false);
    buttons->addWidget(m_cmdFindOk);
    buttons->addWidget(cancel);
    layout->addLayout(buttons, 3, 0, 1, 2);
    connect(m_cmdFindOk, &QPushButton::clicked, this, &frmTPFind::cmdFindOk_Click);
    connect(cancel, &QPushButton::clicked, this, &QWidget::close);
}

void frmTPFind::showOnTop()
{
    m_Combo1->setCurrentIndex(0);
    KeepOnTop(this);  // shows it
    raise();
    activateWindow();
}

void frmTPFind::closeEvent(QCloseEvent *event)
{
    ReleaseOnTop(this);
    QDialog::closeEvent(event);
}

void frmTPFind::done(int result)
{
    ReleaseOnTop(this);  // Escape closes through here
    QDialog::done(result);
}

bool frmTPFind::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_Combo1 && event->type() == QEvent::KeyPress && !static_cast<QKeyEvent *>(event)->text().isEmpty())
        return true;  // typing into the option box is ignored
    for (int i = 0; i < 2; ++i) {
        if (watched != m_txtFind[i])
            continue;
        if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove || event->type() == QEvent::Drop) {
            // Rows dragged from the editor's lists are no text to search for.
            if (static_cast<QDropEvent *>(event)->mimeData()->hasFormat(TPListView::rowDragFormat())) {
                event->ignore();
                return true;
            }
        } else if (event->type() == QEvent::FocusIn) {
            m_lastFocus = i;
            QMetaObject::invokeMethod(m_txtFind[i], &QLineEdit::selectAll, Qt::QueuedConnection);
        } else if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent *>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                m_cmdFindOk->setFocus();
                cmdFindOk_Click();
                return true;
            }
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmTPFind::cmdFindOk_Click()
{
    const SatFindQuery query{m_txtFind[0]->text(), m_txtFind[1]->text(), m_Combo1->currentIndex() == 1};
    if (query.name.isEmpty() && query.deg.isEmpty())
        return;
    const std::optional<SatFindHit> hit =
        findSatellite(m_tables, query, m_tables.CurRegion, m_editor.selectedSatRow() - 1);
    if (hit) {
        m_editor.showFound(*hit, int(query.name.size()), int(query.deg.size()));
        m_txtFind[m_lastFocus]->setFocus();
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Find"), QStringLiteral("Not Found!"), QMessageBox::Ok, this);
    box.exec();
    m_txtFind[m_lastFocus]->setFocus();
}
