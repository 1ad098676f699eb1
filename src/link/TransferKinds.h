#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// What the receiver is told when it asks for the kind of an upload ("STPG").
struct TransferKind {
    QString boardText;   // appended to the message board, without CR LF
    QByteArray command;  // the four-byte command word
    qint32 expectedSize = 0;
};

// The row for an upload kind word ("Transponder", "SAD1", ...). "SMOS" and
// unknown words have none: nothing is appended or sent for them.
std::optional<TransferKind> transferKind(const QString &word);

// The kinds whose file must be exactly ExpectedSize bytes long.
bool isSizeChecked(const QString &word);

// The four length bytes sent after "REDY", least significant first; empty when
// the size has none. MPEG (49152) announces 65536.
QByteArray lengthField(qint32 expectedSize);

// First bytes with which the receiver acknowledges the length field. It
// answers with the field's third byte.
bool isStartAcknowledgement(quint8 byte);

// A message that is a plain decimal number (ASCII digits only, leading zeros
// allowed) of at most nine digits.
std::optional<qint32> decimalMessage(const QByteArray &message);

// The sum of the byte values.
qint64 byteSum(const QByteArray &bytes);

// FinalCheck: the total checksum mod 256 as two upper-case hexadecimal digits.
QString finalCheckText(qint64 totalChecksum);
