#include "tp/TPFieldText.h"

#include <algorithm>

QString unstorableReason(const QString &text, FieldKind kind)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return QStringLiteral("a character that single-byte text cannot hold");
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            return QStringLiteral("a line end");
        if (kind == FieldKind::Transponder && c == QLatin1Char(','))
            return QStringLiteral("a comma");
    }
    if (kind == FieldKind::Transponder && text.startsWith(QLatin1Char('"')))
        return QStringLiteral("a leading double quote");
    // The reader splits satellite lines at every "|".
    if (kind == FieldKind::Satellite && text.contains(QLatin1Char('|')))
        return QStringLiteral("a \"|\"");
    return {};
}

void appendLatin1(QByteArray &out, const QString &text)
{
    for (const QChar c : text)
        out += char(c.unicode());
}

std::optional<int> decimalValue(const QString &text)
{
    if (text.isEmpty())
        return std::nullopt;
    constexpr qint64 kLarge = 1'000'000'000;  // beyond any table; stops the sum growing
    qint64 value = 0;                         // wide enough for kLarge * 10 + 9
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = std::min(kLarge, value * 10 + (c.unicode() - '0'));
    }
    return int(value);
}
