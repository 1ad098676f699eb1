#include "common/ui/HistoryKeys.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QUndoStack>

namespace {

enum class HistoryKey { None, Undo, Redo };

HistoryKey historyKey(const QKeyEvent &key)
{
    if (key.matches(QKeySequence::Undo))
        return HistoryKey::Undo;
    if (key.matches(QKeySequence::Redo) || key.keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y))
        return HistoryKey::Redo;
    return HistoryKey::None;
}

QAction *addHistoryAction(QMenu *edit, const QString &caption, const QString &name, const QList<QKeySequence> &keys)
{
    QAction *action = edit->addAction(caption);
    action->setObjectName(name);
    action->setShortcuts(keys);
    action->setEnabled(false);
    return action;
}

}  // namespace

void addHistoryActions(QMenu *edit, QUndoStack *history)
{
    QAction *undo =
        addHistoryAction(edit, QStringLiteral("&Undo"), QStringLiteral("mmUndo"), {QKeySequence(Qt::CTRL | Qt::Key_Z)});
    QAction *redo =
        addHistoryAction(edit, QStringLiteral("&Redo"), QStringLiteral("mmRedo"),
                         {QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
    QObject::connect(undo, &QAction::triggered, history, &QUndoStack::undo);
    QObject::connect(redo, &QAction::triggered, history, &QUndoStack::redo);
    QObject::connect(history, &QUndoStack::canUndoChanged, undo, &QAction::setEnabled);
    QObject::connect(history, &QUndoStack::canRedoChanged, redo, &QAction::setEnabled);
}

bool routeHistoryKey(QEvent *event, QUndoStack *history)
{
    if (event->type() != QEvent::ShortcutOverride && event->type() != QEvent::KeyPress)
        return false;
    const HistoryKey key = historyKey(*static_cast<QKeyEvent *>(event));
    if (key == HistoryKey::None)
        return false;
    // Taken on the override too, so that the press reaches this filter rather than a shortcut.
    event->accept();
    if (event->type() == QEvent::KeyPress)
        key == HistoryKey::Undo ? history->undo() : history->redo();
    return true;
}
