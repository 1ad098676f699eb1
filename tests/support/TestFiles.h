#pragma once

// Whole-file reads and writes, and recognisable bytes, for tests of every folder.
#include <QByteArray>
#include <QFile>
#include <QString>

inline bool writeTestFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

inline QByteArray readTestFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// Bytes whose values follow a pattern, so misplaced or lost bytes show.
inline QByteArray patternBytes(qsizetype size, int seed = 7)
{
    QByteArray bytes(size, '\0');
    for (qsizetype i = 0; i < size; ++i)
        bytes[i] = char((i * 31 + seed + i / 251) & 0xFF);
    return bytes;
}
