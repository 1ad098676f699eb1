#pragma once

#include <QTimer>
#include <QTreeView>

class QMimeData;

// A list of the TP editor that drags the text naming it ("List1", "List2")
// and reports drops with the row under the pointer (from 1, 0 for none).
class TPListView : public QTreeView {
    Q_OBJECT
public:
    TPListView(const QString &dragText, QWidget *parent);

    // The format that marks a drag from one of these lists, so that entry
    // boxes can refuse it although it carries plain text.
    static QString rowDragFormat();
    // The data a drag from a list named `dragText` carries.
    static QMimeData *rowDragData(const QString &dragText);

Q_SIGNALS:
    void dragStarting();
    void dragEnded(bool dropped);
    void dropped(const QString &text, int rowUnderPointer);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void scrollAtEdge();

    QString m_dragText;
    // While a drag hovers at the upper or lower edge the list scrolls on, even
    // when the pointer rests there.
    QPoint m_dragAt;
    QTimer m_edgeScroll;
};
