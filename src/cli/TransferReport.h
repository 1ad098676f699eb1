#pragma once

#include "cli/TransferRecord.h"

#include <QFile>

// --report FILE: one JSON object a line, appended and flushed as each transfer
// ends, so a crash later loses nothing already written.
class TransferReport {
public:
    Status open(const QString &path);
    bool isOpen() const { return m_file.isOpen(); }
    Status write(const TransferRecord &record);

private:
    QFile m_file;
};

QByteArray reportLine(const TransferRecord &record);
