#include "tp/ui/StorableTextValidator.h"

#include <algorithm>

StorableTextValidator::StorableTextValidator(FieldKind kind, bool numeric, QObject *parent)
    : QValidator(parent), m_kind(kind), m_numeric(numeric)
{
}

QValidator::State StorableTextValidator::validate(QString &input, int &) const
{
    if (m_numeric && !std::all_of(input.cbegin(), input.cend(), [](QChar c) {
            return (c.unicode() >= u'0' && c.unicode() <= u'9') || c == QLatin1Char(' ');
        }))
        return Invalid;
    return unstorableReason(input, m_kind).isEmpty() ? Acceptable : Invalid;
}
