#include "download/MirrorList.h"

#include "common/WholeFile.h"

#include <QFileInfo>

Result<MirrorAddress> ParseMirrorAddress(const QString &base)
{
    const QString scheme = QStringLiteral("http://");
    const QString tail = QStringLiteral("/_data/");
    if (!base.startsWith(scheme, Qt::CaseInsensitive) || !base.endsWith(tail))
        return Status::failure(QStringLiteral("it does not start with \"http://\" and end with \"/_data/\""));
    MirrorAddress mirror;
    mirror.base = base;
    const qsizetype hostEnd = base.indexOf(u'/', scheme.size());
    mirror.hostPort = base.mid(scheme.size(), hostEnd - scheme.size());
    mirror.host = mirror.hostPort;
    if (const qsizetype colon = mirror.hostPort.lastIndexOf(u':'); colon >= 0) {
        bool ok = false;
        const uint port = mirror.hostPort.mid(colon + 1).toUInt(&ok);
        if (!ok || port == 0 || port > 65535)
            return Status::failure(QStringLiteral("its port is not a number from 1 to 65535"));
        mirror.host = mirror.hostPort.left(colon);
        mirror.port = quint16(port);
    }
    if (mirror.host.isEmpty() || mirror.host.contains(u' '))
        return Status::failure(QStringLiteral("it names no host"));
    return mirror;
}

Result<QList<MirrorAddress>> ParseMirrorList(const QByteArray &text, const QString &fileName)
{
    QList<QByteArray> lines = text.split('\n');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty())
        lines.removeLast();
    const QString intro = QStringLiteral("The mirror file %1 ").arg(fileName);
    if (lines.size() != MirrorCount)
        return Status::failure(intro + QStringLiteral("must hold %1 base addresses, one a line; it holds %2 lines.")
                                           .arg(MirrorCount)
                                           .arg(lines.size()));
    QList<MirrorAddress> mirrors;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = QString::fromLatin1(lines[i].trimmed());
        Result<MirrorAddress> mirror = ParseMirrorAddress(line);
        if (!mirror)
            return Status::failure(
                intro +
                QStringLiteral("line %1 (\"%2\") is no base address: %3.").arg(i + 1).arg(line, mirror.error()));
        mirrors.append(mirror.take());
    }
    return mirrors;
}

Result<QList<MirrorAddress>> ReadMirrorList(const ProgramDir &dir)
{
    const QString path = dir.filePath(MirrorFileName);
    if (!QFileInfo::exists(path))
        return Status::failure(QStringLiteral("The mirror file %1 is missing; the download needs its nine base "
                                              "addresses, one a line.")
                                   .arg(path));
    const Result<QByteArray> text = readWholeFile(path);
    if (!text)
        return text.status();
    return ParseMirrorList(text.value(), path);
}
