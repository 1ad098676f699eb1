#pragma once

#include <QObject>

// While it lives, the program takes no user input: mouse, keys, wheel, drags and
// the window manager's close are dropped. Timers, port and socket notifications
// and closes that the program itself asks for go on. Converter runs use it so that
// a window cannot be closed, or its data changed, while a run reads or writes its files.
class UserInputBlock : public QObject {
public:
    UserInputBlock();
    ~UserInputBlock() override;
    UserInputBlock(const UserInputBlock &) = delete;
    UserInputBlock &operator=(const UserInputBlock &) = delete;

    static bool isUserInput(const QEvent &event);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
};
