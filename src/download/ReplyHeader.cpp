#include "download/ReplyHeader.h"

#include <QByteArray>

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

} // namespace

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
        // A length that is no number, negative or beyond 32 bits counts as absent.
        if (ok && value >= 0 && value <= std::numeric_limits<qint32>::max()) {
            reply.hasLength = true;
            reply.contentLength = qint32(std::lround(value));
        }
    }
    return reply;
}
