#include "app/MainLayout.h"

namespace {
constexpr int kGroupLeft = 120;
constexpr int kGroupTop = 360;
constexpr int kGroupWidth = 10200;
constexpr int kUploadCompactHeight = 1455;
constexpr int kUploadExtendedHeight = 2500;
constexpr int kButtonWidth = 1500;
constexpr int kButtonHeight = 855;
constexpr int kButtonStep = 1640;
constexpr int kFirstRowTop = 360;
constexpr int kSecondRowTop = 1440;
constexpr int kSmallButtonHeight = 405;
constexpr int kEditWidth = 6600;
constexpr int kEditHeight = 1935;
constexpr int kSerialLeft = 6840;
constexpr int kSerialWidth = 3480;
constexpr int kBoardHeight = 2895;
}  // namespace

QRect MainLayout::uploadButton(int index)
{
    return {240 + index * kButtonStep, kFirstRowTop, kButtonWidth, kButtonHeight};
}

MainLayout MainLayout::compute(bool extended, bool monitor)
{
    MainLayout l;
    l.uploadGroup = {kGroupLeft, kGroupTop, kGroupWidth, extended ? kUploadExtendedHeight : kUploadCompactHeight};

    const int rowTop = l.uploadGroup.top() + kSecondRowTop;
    if (extended) {
        // The second row lines up under the first: the group's left plus a first-row button's left.
        l.button2MB = {l.uploadGroup.left() + uploadButton(0).left(), rowTop, kButtonWidth, kButtonHeight};
        l.buttonSmcOsd = {l.uploadGroup.left() + uploadButton(1).left(), rowTop, kButtonWidth, kButtonHeight};
    } else {
        l.button2MB = {kOffWindowLeft, rowTop, kButtonWidth, kButtonHeight};
        l.buttonSmcOsd = {kOffWindowLeft, rowTop, kButtonWidth, kButtonHeight};
    }
    const QRect all{l.uploadGroup.left() + uploadButton(2).left(), rowTop, kButtonWidth, kButtonHeight};
    const int adultLeft = all.left() + all.width() + 100;
    const int childLeft = adultLeft + kButtonWidth + 100;
    const int lowerTop = rowTop + kButtonHeight - kSmallButtonHeight;
    l.osdButtons[0] = all;
    l.osdButtons[1] = {adultLeft, rowTop, kButtonWidth, kSmallButtonHeight};
    l.osdButtons[2] = {adultLeft, lowerTop, kButtonWidth, kSmallButtonHeight};
    l.osdButtons[3] = {childLeft, rowTop, kButtonWidth, kSmallButtonHeight};
    l.osdButtons[4] = {childLeft, lowerTop, kButtonWidth, kSmallButtonHeight};

    const int editTop = l.uploadGroup.top() + l.uploadGroup.height() + 200;
    l.editGroup = {kGroupLeft, editTop, kEditWidth, kEditHeight};
    l.serialGroup = {kSerialLeft, editTop, kSerialWidth, kEditHeight};
    l.messageBoard = {kGroupLeft, editTop + kEditHeight + 50, kGroupWidth, kBoardHeight};
    l.boardVisible = monitor;
    l.windowHeight = monitor ? l.messageBoard.top() + l.messageBoard.height() + 700
                             : l.serialGroup.top() + l.serialGroup.height() + 700;
    return l;
}
