#pragma once

#include <QtGlobal>

class QKeyEvent;

// Tells a key's own press from the presses that holding it repeats. The platform's
// repeat flag misses repeats while the window is busy: the repeat's release and
// press then arrive unflagged, but with one timestamp, which two strokes of a
// hand never share. Fed every press and release of one widget.
class KeyStrokes {
public:
    // True for a press that begins a stroke; false for a repeat and for a release.
    bool isNewStroke(const QKeyEvent &event);

private:
    int m_releasedKey = 0;
    quint64 m_releasedAt = 0;
};
