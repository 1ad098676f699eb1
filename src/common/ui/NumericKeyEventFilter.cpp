#include "common/ui/NumericKeyEventFilter.h"

#include "common/TextServices.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

bool numericCharacter(QChar c)
{
    return c.unicode() >= 32 && NumericKeyFilter(c.unicode()) != 0;
}

QString numericPart(const QString &text)
{
    QString kept;
    for (QChar c : text) {
        if (numericCharacter(c))
            kept += c;
    }
    return kept;
}

}  // namespace

void NumericKeyEventFilter::install(QWidget *box)
{
    box->installEventFilter(new NumericKeyEventFilter(box));
    // The context menu's paste and drops do not come as keys.
    if (auto *edit = qobject_cast<QLineEdit *>(box)) {
        QObject::connect(edit, &QLineEdit::textEdited, edit, [edit](const QString &text) {
            if (const QString kept = numericPart(text); kept != text)
                edit->setText(kept);
        });
    }
}

bool NumericKeyEventFilter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    const auto *key = static_cast<QKeyEvent *>(event);
    if (key->matches(QKeySequence::Paste)) {
        if (auto *edit = qobject_cast<QLineEdit *>(watched))
            edit->insert(numericPart(QGuiApplication::clipboard()->text()));
        return true;
    }
    if (key->key() == Qt::Key_Delete || key->text().isEmpty())
        return false;
    // Control characters (Tab, Escape, backspace, Enter) keep their usual meaning.
    if (key->text().at(0).unicode() < 32)
        return false;
    // Ctrl chords type nothing; Alt and AltGr chords can.
    const Qt::KeyboardModifiers mods = key->modifiers();
    if ((mods & (Qt::ControlModifier | Qt::MetaModifier)) && !(mods & Qt::AltModifier))
        return false;
    return !numericCharacter(key->text().at(0));
}
