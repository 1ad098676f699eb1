#include "common/ui/NumericKeyEventFilter.h"

#include "common/TextServices.h"

#include <QKeyEvent>
#include <QWidget>

void NumericKeyEventFilter::install(QWidget *box) { box->installEventFilter(new NumericKeyEventFilter(box)); }

bool NumericKeyEventFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (key->key() == Qt::Key_Delete || key->text().isEmpty())
        return false;
    // Control characters (Tab, Escape, backspace, Enter) keep their usual meaning.
    const char16_t code = key->text().at(0).unicode();
    return code >= 32 && NumericKeyFilter(code) == 0;
}
