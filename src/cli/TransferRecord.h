#pragma once

#include "link/TransferEngine.h"
#include "link/TransferRequest.h"

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>

// One transfer on one port, as the summary and the report tell it.
struct TransferRecord {
    QString port;    // as given on the command line
    QString device;  // what it resolved to
    int unit = 1;    // the receiver's turn on its port (station mode)
    TransferMode mode = TransferMode::Upload;
    QString kind;
    QString file;
    QByteArray fileSha256;      // hex, of the file at `file` when the transfer ended; empty if none
    QByteArray receivedSha256;  // hex, a download's image once its final check matched
    qint64 bytes = 0;
    QDateTime start;  // UTC
    QDateTime end;
    qint64 elapsedMs = 0;
    bool ok = false;
    TransferFault fault = TransferFault::None;
    int exitCode = 0;
    QString lastMessage;  // the last board text of the port

    double seconds() const { return double(elapsedMs) / 1000.0; }
};

// The enumerator's own name ("TimedOut"), as scripts match it.
QString faultWord(TransferFault fault);
// 0 when every transfer succeeded (or none ran), the shared code when all failed
// the same way, else "some ports failed".
int lineExitCode(const QList<TransferRecord> &records);
// Hex SHA-256 of a file; empty when it cannot be read.
QByteArray fileSha256(const QString &path);
