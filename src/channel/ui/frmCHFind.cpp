#include "channel/ui/frmCHFind.h"

#include "channel/ChannelFind.h"
#include "channel/ui/frmCHEdit.h"
#include "common/ui/WindowServices.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

frmCHFind::frmCHFind(frmCHEdit &editor) : QWidget(&editor, Qt::Window), m_editor(editor)
{
    setObjectName(QStringLiteral("frmCHFind"));
    setWindowTitle(QStringLiteral("Form1"));
    setAttribute(Qt::WA_DeleteOnClose);
    auto *layout = new QGridLayout(this);
    auto *label = new QLabel(QStringLiteral("Sat Name : "), this);
    label->setObjectName(QStringLiteral("Label1"));
    txtFind = new QLineEdit(this);
    txtFind->setObjectName(QStringLiteral("txtFind"));
    txtFind->setMaxLength(16);
    layout->addWidget(label, 0, 0);
    layout->addWidget(txtFind, 0, 1, 1, 2);
    for (const char *caption : {"TV", "Radio"}) {
        auto *box = new QCheckBox(QString::fromLatin1(caption), this);
        box->setObjectName(QStringLiteral("Check1_%1").arg(Check1.size()));
        layout->addWidget(box, 1, int(Check1.size()) + 1);
        Check1.append(box);
    }
    cmdFindOk = new QPushButton(QStringLiteral("&Next"), this);
    cmdFindOk->setObjectName(QStringLiteral("cmdFindOk"));
    cmdFindCancel = new QPushButton(QStringLiteral("&Cancel"), this);
    cmdFindCancel->setObjectName(QStringLiteral("cmdFindCancel"));
    layout->addWidget(cmdFindOk, 2, 1);
    layout->addWidget(cmdFindCancel, 2, 2);
    connect(cmdFindOk, &QPushButton::clicked, this, &frmCHFind::cmdFindOk_Click);
    connect(cmdFindCancel, &QPushButton::clicked, this, &QWidget::close);
    connect(txtFind, &QLineEdit::returnPressed, this, [this] {
        cmdFindOk->setFocus();
        cmdFindOk_Click();
    });
    txtFind->installEventFilter(this);
}

void frmCHFind::cmdFindOk_Click()
{
    const QString text = txtFind->text();
    if (text.isEmpty())
        return;
    ChannelEditing &editing = m_editor.editing();
    const std::optional<FindStart> start =
        planFind(Check1[0]->isChecked(), Check1[1]->isChecked(), editing.CurrentType(), m_editor.selectedRow());
    if (!start)
        return;
    if (start->startType != editing.CurrentType())
        m_editor.selectTypeTab(start->startType);  // stays even when nothing is found
    const std::optional<FindHit> hit = findChannel(editing.tables(), text, *start);
    if (!hit) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Find"), QStringLiteral("Not Found!"), QMessageBox::Ok,
                        this);
        box.exec();
    } else {
        m_editor.showFound(hit->type, hit->position, hit->start, int(text.size()));
    }
    txtFind->setFocus();
}

void frmCHFind::closeEvent(QCloseEvent *event)
{
    ReleaseOnTop(this);
    event->accept();
}

bool frmCHFind::eventFilter(QObject *watched, QEvent *event)
{
    // Selected after the click that gave the focus, which would clear it.
    if (watched == txtFind && event->type() == QEvent::FocusIn)
        QTimer::singleShot(0, txtFind, &QLineEdit::selectAll);
    return QWidget::eventFilter(watched, event);
}
