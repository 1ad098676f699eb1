#pragma once

#include <QTreeView>

// A list of the TP editor that drags the text naming it ("List1", "List2")
// and reports drops with the row under the pointer (from 1, 0 for none).
class TPListView : public QTreeView {
    Q_OBJECT
public:
    TPListView(const QString &dragText, QWidget *parent);

Q_SIGNALS:
    void dragStarting();
    void dragEnded(bool dropped);
    void dropped(const QString &text, int rowUnderPointer);

protected:
    void startDrag(Qt::DropActions supportedActions) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    QString m_dragText;
};
