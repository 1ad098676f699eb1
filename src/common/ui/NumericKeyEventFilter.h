#pragma once

#include <QObject>

class QWidget;

// Lets only digits, backspace, Enter and space through to an entry box; other
// typed characters are discarded. Keys that type nothing (arrows, Delete),
// control keys such as Tab, and shortcuts with Ctrl or Alt pass.
class NumericKeyEventFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    static void install(QWidget *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
