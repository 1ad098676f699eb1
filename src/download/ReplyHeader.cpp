#include "download/ReplyHeader.h"

#include <QByteArray>
#include <QList>

#include <cmath>
#include <limits>

namespace {

int statusOf(QByteArrayView header)
{
    const qsizetype lineEnd = header.indexOf('\r');
    const QByteArrayView line = header.first(lineEnd < 0 ? header.size() : lineEnd);
    if (!line.startsWith("HTTP/"))
        return 0;
    const qsizetype blank = line.indexOf(' ');
    if (blank < 0 || line.size() < blank + 4)
        return 0;
    bool ok = false;
    const int status = line.sliced(blank + 1, 3).toInt(&ok);
    return ok ? status : 0;
}

// A "Transfer-Encoding" field (the name in any case) with a coding other than identity.
bool transferCoded(QByteArrayView header)
{
    const QList<QByteArray> lines = header.toByteArray().split('\n');
    for (qsizetype i = 1; i < lines.size(); ++i) {
        const QByteArray &line = lines[i];
        const qsizetype colon = line.indexOf(':');
        if (colon < 0 || line.left(colon).trimmed().toLower() != "transfer-encoding")
            continue;
        const QByteArray coding = line.mid(colon + 1).trimmed().toLower();
        if (!coding.isEmpty() && coding != "identity")
            return true;
    }
    return false;
}

}  // namespace

std::optional<ReplyHeader> ReadReplyHeader(QByteArrayView bytes)
{
    const qsizetype blankLine = bytes.indexOf("\r\n\r\n");
    if (blankLine < 0)
        return std::nullopt;
    ReplyHeader reply;
    reply.size = qint32(blankLine + 4);
    const QByteArrayView header = bytes.first(reply.size);
    reply.status = statusOf(header);
    const QByteArrayView name = "Content-Length: ";
    const qsizetype at = header.indexOf(name);
    if (at >= 0) {
        const qsizetype start = at + name.size();
        const qsizetype end = header.indexOf('\r', start);
        bool ok = false;
        const double value = header.sliced(start, end - start).trimmed().toDouble(&ok);
        // A length that is no number or negative counts as absent; a huge one is kept
        // (saturated) so that the caller can refuse it by its size.
        if (ok && value >= 0) {
            reply.hasLength = true;
            reply.contentLength = value < 9e18 ? qint64(std::llround(value)) : std::numeric_limits<qint64>::max();
        }
    }
    reply.transferCoded = transferCoded(header);
    return reply;
}
