#pragma once

#include <QByteArrayView>

#include <optional>

// The reply header as the downloader reads it.
struct ReplyHeader {
    int status = 0;          // from the status line; 0 when it is no HTTP status line
    bool hasLength = false;  // "Content-Length: " found (case as written)
    qint64 contentLength = 0;
    bool transferCoded = false;  // a Transfer-Encoding other than identity: the body is framed
    qint32 size = 0;             // header bytes, the blank line included

    bool success() const { return status >= 200 && status <= 299; }
};

// The header at the start of `bytes`, once its blank line (CR LF CR LF) is there.
std::optional<ReplyHeader> ReadReplyHeader(QByteArrayView bytes);
