#pragma once

// A menu entry chosen with the keyboard: Alt and the menu's access key, then
// the entry's access key in the menu that opened.
#include "support/ShownWindow.h"

#include <QApplication>
#include <QtTest>

inline void menuAccessKeys(QWidget *window, Qt::Key menu, Qt::Key entry)
{
    // The dialogs of an earlier step may have left the window inactive.
    QVERIFY(activate(window));
    QTest::keyClick(window, menu, Qt::AltModifier);
    QTRY_VERIFY(QApplication::activePopupWidget());
    QTest::keyClick(QApplication::activePopupWidget(), entry);
}
