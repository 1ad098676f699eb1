#include "tp/ui/TPListView.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QScrollBar>

TPListView::TPListView(const QString &dragText, QWidget *parent) : QTreeView(parent), m_dragText(dragText)
{
    setDragEnabled(true);
    setAcceptDrops(true);
    viewport()->setAcceptDrops(true);
    setDragDropMode(QAbstractItemView::DragDrop);
    // Rows out of view are reached by hovering at the edge during a drag.
    setAutoScroll(true);
    m_edgeScroll.setInterval(50);
    connect(&m_edgeScroll, &QTimer::timeout, this, &TPListView::scrollAtEdge);
}

QString TPListView::rowDragFormat()
{
    return QStringLiteral("application/x-tarvik-tp-rows");
}

QMimeData *TPListView::rowDragData(const QString &dragText)
{
    auto *mime = new QMimeData;
    mime->setText(dragText);
    mime->setData(rowDragFormat(), dragText.toLatin1());
    return mime;
}

void TPListView::startDrag(Qt::DropActions)
{
    Q_EMIT dragStarting();
    auto *drag = new QDrag(this);
    drag->setMimeData(rowDragData(m_dragText));
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
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
    m_dragAt = event->position().toPoint();
    if (hasAutoScroll() && !m_edgeScroll.isActive())
        m_edgeScroll.start();
}

void TPListView::dragLeaveEvent(QDragLeaveEvent *event)
{
    m_edgeScroll.stop();
    QTreeView::dragLeaveEvent(event);
}

void TPListView::scrollAtEdge()
{
    QScrollBar *bar = verticalScrollBar();
    const int margin = autoScrollMargin();
    if (m_dragAt.y() < margin && bar->value() > bar->minimum())
        bar->setValue(bar->value() - bar->singleStep());
    else if (m_dragAt.y() > viewport()->height() - margin && bar->value() < bar->maximum())
        bar->setValue(bar->value() + bar->singleStep());
    else
        m_edgeScroll.stop();
}

void TPListView::dropEvent(QDropEvent *event)
{
    m_edgeScroll.stop();
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    const QModelIndex under = indexAt(event->position().toPoint());
    event->acceptProposedAction();
    Q_EMIT dropped(event->mimeData()->text(), under.isValid() ? under.row() + 1 : 0);
}
