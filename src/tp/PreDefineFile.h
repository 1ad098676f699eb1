#pragma once

#include "common/Result.h"
#include "tp/TPTables.h"

#include <QByteArray>
#include <QIODevice>
#include <QString>

// "PreDefine.dll" holds the 4 x 48 satellites, one a line as
// Diseqc|SatName|TPCount|ParseSort|Deg, ISO-8859-1 with CR LF line ends.

// The number of line ends in `text` plus one; CR LF, a lone CR and a lone LF
// each end a line. Saturates instead of wrapping round.
qint16 LineCount(const QByteArray &text);
qint16 LineCount(const QString &path);  // 0 when the file cannot be read

// Fills the table from the file. A file that does not hold exactly
// 4 x MaxSat lines, or a line that cannot be taken, leaves the table empty.
// `fileName` names the file in the error texts.
Status readPreDefine(QIODevice &in, const QString &fileName, SatTable &stored);

// The file text. A field that the reader could not give back as it stands
// (a "|", a line end, a character beyond ISO-8859-1) fails.
Result<QByteArray> preDefineText(const SatTable &stored);
