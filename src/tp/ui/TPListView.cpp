#include "tp/ui/TPListView.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>

TPListView::TPListView(const QString &dragText, QWidget *parent) : QTreeView(parent), m_dragText(dragText)
{
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
}

void TPListView::startDrag(Qt::DropActions)
{
    Q_EMIT dragStarting();
    auto *drag = new QDrag(this);
    auto *mime = new QMimeData;
    mime->setText(m_dragText);
    drag->setMimeData(mime);
    const Qt::DropAction done = drag->exec(Qt::MoveAction | Qt::CopyAction, Qt::MoveAction);
    Q_EMIT dragEnded(done != Qt::IgnoreAction);
}

void TPListView::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TPListView::dragMoveEvent(QDragMoveEvent *event)
{
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
    else
        event->ignore();
}

void TPListView::dropEvent(QDropEvent *event)
{
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    const QModelIndex under = indexAt(event->position().toPoint());
    event->acceptProposedAction();
    Q_EMIT dropped(event->mimeData()->text(), under.isValid() ? under.row() + 1 : 0);
}
