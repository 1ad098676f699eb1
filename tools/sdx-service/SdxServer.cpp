#include "SdxServer.h"

#include <QRegularExpression>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <memory>

SdxServer::SdxServer(QMap<QString, QByteArray> files, QObject *parent) : QObject(parent), m_files(std::move(files))
{
    connect(&m_server, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket *socket = m_server.nextPendingConnection()) {
            connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
            auto request = std::make_shared<QByteArray>();
            connect(socket, &QTcpSocket::readyRead, this, [this, socket, request] {
                if (request->endsWith("\r\n\r\n"))
                    return;  // one request a connection
                *request += socket->readAll();
                if (const qsizetype end = request->indexOf("\r\n\r\n"); end >= 0) {
                    request->truncate(end + 4);
                    serve(socket, *request);
                } else if (request->size() > 64 * 1024) {
                    socket->abort();
                }
            });
        }
    });
}

bool SdxServer::listen(quint16 port)
{
    return m_server.listen(QHostAddress::LocalHost, port);
}

QString SdxServer::baseAddress() const
{
    return QStringLiteral("http://127.0.0.1:%1/_data/").arg(port());
}

SdxFault SdxServer::faultNamed(const QString &name, bool *ok)
{
    static const QHash<QString, SdxFault> names = {
        {QStringLiteral("none"), SdxFault::None},           {QStringLiteral("404"), SdxFault::NotFound},
        {QStringLiteral("500"), SdxFault::ServerError},     {QStringLiteral("no-length"), SdxFault::NoLength},
        {QStringLiteral("truncated"), SdxFault::Truncated}, {QStringLiteral("slow"), SdxFault::Slow},
        {QStringLiteral("stall"), SdxFault::Stall},         {QStringLiteral("refused"), SdxFault::Refused},
        {QStringLiteral("chunked"), SdxFault::Chunked},     {QStringLiteral("chunked-length"), SdxFault::ChunkedLength},
        {QStringLiteral("flood"), SdxFault::Flood}};
    *ok = names.contains(name);
    return names.value(name, SdxFault::None);
}

void SdxServer::serve(QTcpSocket *socket, const QByteArray &request)
{
    m_requests.append(request);
    // "GET <target> HTTP/1.1"; the target may be the whole address or its path.
    static const QRegularExpression line(
        QStringLiteral("^GET (?:http://[^/ ]*)?/_data/([^/ ]+)\\.sdx HTTP/1\\.[01]\r\n"));
    const QRegularExpressionMatch match = line.match(QString::fromLatin1(request));
    const QString code = match.hasMatch() ? match.captured(1) : QString();
    const SdxFault fault = m_faults.value(code, m_fault);
    if (fault == SdxFault::Refused) {
        socket->abort();
        return;
    }
    if (fault == SdxFault::Flood && match.hasMatch()) {
        flood(socket);
        return;
    }
    bool closeEarly = false;
    const QByteArray reply = replyFor(code, match.hasMatch() ? fault : SdxFault::NotFound, &closeEarly);
    SdxDelivery delivery = m_delivery;
    qsizetype stopAt = reply.size();
    if (fault == SdxFault::Slow)
        delivery = {16, 16, 50};
    if (closeEarly)
        stopAt = reply.size() - (reply.size() - reply.indexOf("\r\n\r\n") - 4) / 2;
    if (fault == SdxFault::Stall)
        stopAt = -stopAt;  // sent up to there, then kept open
    send(socket, reply, delivery, stopAt);
}

QByteArray SdxServer::replyFor(const QString &code, SdxFault fault, bool *closeEarly) const
{
    const auto reply = [](const QByteArray &status, const QByteArray &body, bool withLength) {
        QByteArray head = "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nConnection: close\r\n";
        if (withLength)
            head += "Content-Length: " + QByteArray::number(body.size()) + "\r\n";
        return head + "\r\n" + body;
    };
    const auto file = m_files.constFind(code);
    if (fault == SdxFault::NotFound || file == m_files.constEnd())
        return reply("404 Not Found", "<html><body>404 Not Found</body></html>\r\n", true);
    if (fault == SdxFault::ServerError)
        return reply("500 Internal Server Error", "<html><body>500 Internal Server Error</body></html>\r\n", true);
    if (fault == SdxFault::Chunked || fault == SdxFault::ChunkedLength) {
        QByteArray framed;
        for (qsizetype at = 0; at < file->size(); at += 100)
            framed += QByteArray::number(std::min<qsizetype>(100, file->size() - at), 16) + "\r\n" +
                      file->mid(at, 100) + "\r\n";
        framed += "0\r\n\r\n";
        QByteArray head = "HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nTransfer-Encoding: chunked\r\n";
        if (fault == SdxFault::ChunkedLength)
            head += "Content-Length: " + QByteArray::number(framed.size()) + "\r\n";
        return head + "Connection: close\r\n\r\n" + framed;
    }
    *closeEarly = fault == SdxFault::Truncated || fault == SdxFault::Stall;
    return reply("200 OK", *file, fault != SdxFault::NoLength);
}

void SdxServer::flood(QTcpSocket *socket) const
{
    // Only a little is kept waiting in the socket, so the server's own memory stays flat
    // however long the client goes on reading.
    static const QByteArray filler = QByteArray("0192 filler line of a reply without end\r\n").repeated(6000);
    socket->write("HTTP/1.1 200 OK\r\nContent-Type: text/plain\r\nContent-Length: " +
                  QByteArray::number(m_floodLength) + "\r\nConnection: close\r\n\r\n");
    const auto more = [socket] {
        while (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() < 4 * filler.size())
            socket->write(filler);
    };
    connect(socket, &QTcpSocket::bytesWritten, socket, more);
    more();
}

void SdxServer::send(QTcpSocket *socket, QByteArray reply, SdxDelivery delivery, qsizetype stopAt)
{
    const bool keepOpen = stopAt < 0;
    reply.truncate(keepOpen ? -stopAt : stopAt);
    if (delivery.pieceSize <= 0 && delivery.firstPiece <= 0) {
        socket->write(reply);
        if (!keepOpen)
            socket->disconnectFromHost();
        return;
    }
    auto rest = std::make_shared<QByteArray>(reply);
    const auto piece = [socket, rest, keepOpen](qsizetype size) {
        socket->write(rest->left(size));
        rest->remove(0, size);
        if (rest->isEmpty() && !keepOpen)
            socket->disconnectFromHost();
    };
    piece(delivery.firstPiece > 0 ? delivery.firstPiece : delivery.pieceSize);
    if (rest->isEmpty())
        return;
    auto *timer = new QTimer(socket);
    timer->setInterval(delivery.delayMs);
    const qsizetype size = delivery.pieceSize > 0 ? delivery.pieceSize : rest->size();
    connect(timer, &QTimer::timeout, socket, [timer, rest, piece, size] {
        piece(size);
        if (rest->isEmpty())
            timer->stop();
    });
    timer->start();
}
