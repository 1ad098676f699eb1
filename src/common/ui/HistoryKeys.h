#pragma once

class QEvent;
class QMenu;
class QUndoStack;

// The editors' undo and redo, one way for both: the Edit menu's "&Undo" (Ctrl+Z)
// and "&Redo" (Ctrl+Y, also Ctrl+Shift+Z), enabled as the history allows.
void addHistoryActions(QMenu *edit, QUndoStack *history);

// For an entry box's event filter: the platform's undo and redo keys, and Ctrl+Y,
// go to the editor's history, never to the box's own undo, which would change
// text behind the history's back. True when the event was taken.
bool routeHistoryKey(QEvent *event, QUndoStack *history);
