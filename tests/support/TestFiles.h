#pragma once

// Whole files and recognisable bytes for tests of every folder.
#include "common/WholeFile.h"

#include <QByteArray>
#include <QString>

// The file's bytes, or "<missing>", so that a missing file never passes for an empty one.
inline QByteArray contents(const QString &path)
{
    const Result<QByteArray> bytes = readWholeFile(path);
    return bytes ? bytes.value() : QByteArray("<missing>");
}

// Bytes whose values follow a pattern, so misplaced or lost bytes show.
inline QByteArray patternBytes(qsizetype size, int seed = 7)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 31 + seed + i / 251) & 0xFF);
    return bytes;
}
