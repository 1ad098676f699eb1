#include "common/ui/KeyStrokes.h"

#include <QKeyEvent>

bool KeyStrokes::isNewStroke(const QKeyEvent &event)
{
    if (event.type() == QEvent::KeyRelease) {
        m_releasedKey = event.key();
        m_releasedAt = event.timestamp();
        return false;
    }
    if (event.type() != QEvent::KeyPress || event.isAutoRepeat())
        return false;
    // Events made up by a program carry no time; only real ones can be told apart.
    const bool repeat = event.timestamp() != 0 && event.key() == m_releasedKey && event.timestamp() == m_releasedAt;
    return !repeat;
}
