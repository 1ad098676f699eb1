#pragma once

#include "common/ProgramDir.h"
#include "common/Result.h"

#include <QList>
#include <QString>

// One base address of the satellite-data service, "http://host[:port]/_data/".
struct MirrorAddress {
    QString base;      // as written in the file
    QString hostPort;  // between "//" and the next "/": the Host header
    QString host;      // what is connected to
    quint16 port = 80;
};

inline const QString MirrorFileName = QStringLiteral("Mirrors.txt");
inline constexpr int MirrorCount = 9;

// The nine base addresses, mirror 1 first, from text of one address a line.
Result<QList<MirrorAddress>> ParseMirrorList(const QByteArray &text, const QString &fileName);
// The same, read from the mirror file in the program directory.
Result<QList<MirrorAddress>> ReadMirrorList(const ProgramDir &dir);
// A base address read on its own; empty host when it is not an address.
Result<MirrorAddress> ParseMirrorAddress(const QString &base);
