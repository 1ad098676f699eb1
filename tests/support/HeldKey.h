#pragma once

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

// Holds `key` down on `target` as the window system reports it: a press, a
// release and press pair per repeat, then the last release. With `flagged`
// false the repeats come as X11 delivers them to a busy window: without the
// repeat flag, each pair sharing one timestamp.
inline void holdKey(QWidget *target, int key, Qt::KeyboardModifiers modifiers, bool flagged, int repeats = 20)
{
    quint64 time = 100000;
    const auto send = [&](QEvent::Type type, bool repeat) {
        QKeyEvent event(type, key, modifiers, QString(), repeat);
        event.setTimestamp(time);
        QApplication::sendEvent(target, &event);
    };
    send(QEvent::KeyPress, false);
    for (int i = 0; i < repeats; ++i) {
        time += i == 0 ? 600 : 40;
        send(QEvent::KeyRelease, flagged);
        send(QEvent::KeyPress, flagged);
    }
    time += 30;
    send(QEvent::KeyRelease, false);
}
