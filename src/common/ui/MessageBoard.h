#pragma once

#include <QPlainTextEdit>

// The main window's message board. Appended texts carry their own CR LF line
// ends; the caret stays at the end so the newest line is in view. Its size is
// bounded, so a chatty receiver cannot grow memory without end.
class MessageBoard : public QPlainTextEdit {
    Q_OBJECT
public:
    static constexpr int kMaxLines = 5000;
    static constexpr int kMaxCharacters = 256 * 1024;

    explicit MessageBoard(QWidget *parent = nullptr);

    // AppendMessage: adds text as it is; CR LF, a lone CR and a lone LF each end a line.
    void AppendMessage(const QString &text);

private:
    bool m_endedWithCarriageReturn = false;
};
