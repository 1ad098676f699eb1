#include "common/LeadingNumber.h"

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

}  // namespace

double LeadingNumber(const QString &text)
{
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text.at(i)))
        ++i;
    double sign = 1.0;
    if (i < n && (text.at(i) == u'+' || text.at(i) == u'-')) {
        sign = text.at(i) == u'-' ? -1.0 : 1.0;
        ++i;
    }
    double value = 0.0;
    double scale = 0.0;  // 0 before the decimal point, then the place value of the next digit
    for (; i < n; ++i) {
        const QChar c = text.at(i);
        if (c >= u'0' && c <= u'9') {
            const int digit = c.unicode() - u'0';
            if (scale == 0.0) {
                value = value * 10.0 + digit;
            } else {
                value += digit * scale;
                scale /= 10.0;
            }
        } else if (c == u'.' && scale == 0.0) {
            scale = 0.1;
        } else if (!isBlank(c)) {
            break;
        }
    }
    return sign * value;
}
