#include "cli/TransferRecord.h"

#include "cli/ExitCodes.h"

#include <QCryptographicHash>
#include <QFile>

QString faultWord(TransferFault fault)
{
    switch (fault) {
    case TransferFault::None: return QStringLiteral("None");
    case TransferFault::Refused: return QStringLiteral("Refused");
    case TransferFault::FileError: return QStringLiteral("FileError");
    case TransferFault::SendError: return QStringLiteral("SendError");
    case TransferFault::ReceiverError: return QStringLiteral("ReceiverError");
    case TransferFault::TimedOut: return QStringLiteral("TimedOut");
    case TransferFault::ChecksumFailed: return QStringLiteral("ChecksumFailed");
    case TransferFault::PortLost: return QStringLiteral("PortLost");
    case TransferFault::Cancelled: return QStringLiteral("Cancelled");
    }
    return QStringLiteral("None");
}

int lineExitCode(const QList<TransferRecord> &records)
{
    int shared = ExitCode::Success;
    bool first = true;
    for (const TransferRecord &r : records) {
        const int code = r.ok ? ExitCode::Success : r.exitCode;
        if (!first && code != shared)
            return ExitCode::SomeFailed;
        shared = code;
        first = false;
    }
    return shared;
}

QByteArray fileSha256(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    if (!file.open(QIODevice::ReadOnly) || !hash.addData(&file))
        return {};
    return hash.result().toHex();
}
