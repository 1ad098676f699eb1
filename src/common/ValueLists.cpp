#include "common/ValueLists.h"

ValueLists ValueLists::standard()
{
    ValueLists lists;
    lists.parseOptions = {QStringLiteral("All Parsing"),
                          QStringLiteral("Vertical"),
                          QStringLiteral("Horizontal"),
                          QStringLiteral("C-Band"),
                          QStringLiteral("Ku-Band"),
                          {},
                          {},
                          {},
                          {}};
    lists.fecList = {QStringLiteral("Auto"),
                     QStringLiteral("1/2"),
                     QStringLiteral("2/3"),
                     QStringLiteral("3/4"),
                     QStringLiteral("4/5"),
                     QStringLiteral("5/6"),
                     QStringLiteral("6/7"),
                     QStringLiteral("7/8"),
                     QStringLiteral("8/9"),
                     {},
                     {}};
    lists.defaultSat = {QStringLiteral("0"), QString(), QStringLiteral("1"), QStringLiteral("0"),
                        QStringLiteral("0000")};
    lists.defaultTP = {QStringLiteral("00000"), QStringLiteral("0"), QStringLiteral("0000"), QStringLiteral("3")};
    return lists;
}
