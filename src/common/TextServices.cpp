#include "common/TextServices.h"

#include <QDir>
#include <QList>

int NumericKeyFilter(int keyCode)
{
    const bool digit = keyCode >= '0' && keyCode <= '9';
    return (digit || keyCode == 8 || keyCode == 13 || keyCode == 32) ? keyCode : 0;
}

QString ShortenPathCaption(const QString &path, QChar separator)
{
    constexpr qsizetype kLimit = 61;
    const QString ellipsis = QStringLiteral("....");
    const QString doubled = ellipsis + separator + ellipsis;
    QString text = path;
    bool firstPass = true;
    while (text.size() >= kLimit) {
        QList<qsizetype> positions;  // of each separator, 0-based
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == separator)
                positions.append(i);
        }
        const qsizetype k = firstPass ? 1 : 2;
        if (positions.size() <= k + 1)
            break;  // no folder left to remove
        QString shorter = text.left(positions[k] + 1) + ellipsis + text.mid(positions[k + 1]);
        // Only the first pass can lengthen the text (a short folder becomes "...."); every
        // later one removes a folder, so the loop ends.
        shorter.replace(doubled, ellipsis);
        text = shorter;
        firstPass = false;
    }
    return text;
}

QString ShortenPathCaption(const QString &path)
{
    return ShortenPathCaption(path, QDir::separator());
}
