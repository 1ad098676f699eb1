#pragma once

#include <QObject>

class QWidget;

// Lets only digits, backspace, Enter and space into an entry box; other typed
// characters are discarded, and a paste keeps only its digits and spaces. Keys
// that type nothing (arrows, Delete), control keys such as Tab, and Ctrl
// shortcuts that insert nothing (copy, select all, undo) pass.
class NumericKeyEventFilter : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;
    static void install(QWidget *box);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
