#include "cli/TransferReport.h"

#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue hexOrNull(const QByteArray &hex)
{
    return hex.isEmpty() ? QJsonValue() : QJsonValue(QString::fromLatin1(hex));
}

QString isoTime(const QDateTime &t)
{
    return t.toUTC().toString(Qt::ISODateWithMs);
}

}  // namespace

QByteArray reportLine(const TransferRecord &r)
{
    const bool download = r.mode == TransferMode::Download;
    QJsonObject o{
        {QStringLiteral("tool"), QStringLiteral("tarvik-cli")},
        {QStringLiteral("version"), QStringLiteral(TARVIK_VERSION)},
        {QStringLiteral("port"), r.port},
        {QStringLiteral("device"), r.device},
        {QStringLiteral("unit"), r.unit},
        {QStringLiteral("mode"), download ? QStringLiteral("download") : QStringLiteral("upload")},
        {QStringLiteral("kind"), download ? QJsonValue() : QJsonValue(r.kind)},
        {QStringLiteral("file"), r.file},
        {QStringLiteral("sha256"), hexOrNull(r.fileSha256)},
        {QStringLiteral("bytes"), r.bytes},
        {QStringLiteral("start"), isoTime(r.start)},
        {QStringLiteral("end"), isoTime(r.end)},
        {QStringLiteral("result"), r.ok ? QStringLiteral("ok") : QStringLiteral("failed")},
        {QStringLiteral("fault"), faultWord(r.fault)},
        {QStringLiteral("exit_code"), r.ok ? 0 : r.exitCode},
        {QStringLiteral("message"), r.lastMessage},
    };
    if (download)
        o.insert(QStringLiteral("received_sha256"), hexOrNull(r.receivedSha256));
    return QJsonDocument(o).toJson(QJsonDocument::Compact) + '\n';
}

Status TransferReport::open(const QString &path)
{
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::WriteOnly | QIODevice::Append))
        return Status::failure(m_file.errorString());
    return Status::success();
}

Status TransferReport::write(const TransferRecord &record)
{
    const QByteArray line = reportLine(record);
    // One write a line, so lines of a report shared by several runs do not interleave.
    if (m_file.write(line) != line.size() || !m_file.flush())
        return Status::failure(m_file.errorString());
    return Status::success();
}
