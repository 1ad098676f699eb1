#include "common/UserInputBlock.h"

#include <QCoreApplication>
#include <QEvent>

UserInputBlock::UserInputBlock()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->installEventFilter(this);
}

UserInputBlock::~UserInputBlock()
{
    if (QCoreApplication *app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool UserInputBlock::isUserInput(const QEvent &event)
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::NonClientAreaMouseButtonPress:
    case QEvent::NonClientAreaMouseButtonRelease:
    case QEvent::NonClientAreaMouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::TabletMove: return true;
    case QEvent::Close:
        // The window manager's close; a close the program asks for is not input.
        return event.spontaneous();
    default: return false;
    }
}

bool UserInputBlock::eventFilter(QObject *, QEvent *event)
{
    if (!isUserInput(*event))
        return false;
    event->ignore();  // a close that is ignored is refused
    return true;
}
