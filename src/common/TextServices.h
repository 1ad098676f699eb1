#pragma once

#include <QChar>
#include <QString>

// Key codes a numeric entry box accepts: digits, backspace, Enter and space.
// Any other code becomes 0, which discards the key.
int NumericKeyFilter(int keyCode);

// A path for a caption, under 61 characters where possible: the root, the first
// folder and the file name stay, the folders between them become one "....".
QString ShortenPathCaption(const QString &path, QChar separator);
QString ShortenPathCaption(const QString &path);  // on the platform's separator
