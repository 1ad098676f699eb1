#include "common/ui/MessageBoard.h"

#include <QTextBlock>
#include <QTextCursor>

MessageBoard::MessageBoard(QWidget *parent) : QPlainTextEdit(parent)
{
    setReadOnly(true);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setMaximumBlockCount(kMaxLines);
    setUndoRedoEnabled(false);
}

void MessageBoard::AppendMessage(const QString &text)
{
    QString lines;
    lines.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\n')) {
            // The LF of a CR LF that was split across two appends is already shown.
            if (!(i == 0 && m_endedWithCarriageReturn))
                lines += QLatin1Char('\n');
        } else if (c == QLatin1Char('\r')) {
            lines += QLatin1Char('\n');
            if (i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
                ++i;
        } else {
            lines += c;
        }
    }
    if (!text.isEmpty())
        m_endedWithCarriageReturn = text.endsWith(QLatin1Char('\r'));

    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    cursor.insertText(lines);
    if (document()->characterCount() > kMaxCharacters) {
        QTextCursor head(document());
        head.movePosition(QTextCursor::Start);
        head.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor,
                          document()->characterCount() - kMaxCharacters / 2);
        head.removeSelectedText();
    }
    cursor.movePosition(QTextCursor::End);
    setTextCursor(cursor);
    ensureCursorVisible();
}
