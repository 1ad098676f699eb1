#pragma once

#include <QByteArray>
#include <QHash>
#include <QMap>
#include <QObject>
#include <QTcpServer>

// How a reply goes wrong, on request.
enum class SdxFault {
    None,
    NotFound,       // 404 with an error page that announces its length
    ServerError,    // 500 with a body
    NoLength,       // 200 without Content-Length, closed after the body
    Truncated,      // announces the whole body, sends half of it and closes
    Slow,           // the whole reply, a few bytes at a time
    Stall,          // the header and part of the body, then silence with the connection open
    Refused,        // the connection is dropped at once
    Chunked,        // 200 with "Transfer-Encoding: chunked", the body in chunks, no length
    ChunkedLength,  // as Chunked, with a Content-Length of the framed body as well
    Flood,          // 200 announcing the flood length, then filler without end, as fast as it is taken
};

// How the bytes of a reply are cut up: the first piece, then pieces of
// `pieceSize` every `delayMs` (0 = all the rest at once).
struct SdxDelivery {
    int firstPiece = 0;
    int pieceSize = 0;
    int delayMs = 0;
};

// A small HTTP/1.1 server on 127.0.0.1 that serves "/_data/<code>.sdx".
class SdxServer : public QObject {
    Q_OBJECT
public:
    explicit SdxServer(QMap<QString, QByteArray> files, QObject *parent = nullptr);

    bool listen(quint16 port = 0);  // 0: any free port
    quint16 port() const { return m_server.serverPort(); }
    QString baseAddress() const;  // "http://127.0.0.1:<port>/_data/"
    QString errorString() const { return m_server.errorString(); }
    void close() { m_server.close(); }

    void setFile(const QString &code, const QByteArray &body) { m_files.insert(code, body); }
    void setFault(SdxFault fault) { m_fault = fault; }
    void setFault(const QString &code, SdxFault fault) { m_faults.insert(code, fault); }
    void setDelivery(const SdxDelivery &delivery) { m_delivery = delivery; }
    void setFloodLength(qint64 length) { m_floodLength = length; }

    QList<QByteArray> requests() const { return m_requests; }
    static SdxFault faultNamed(const QString &name, bool *ok);

private:
    void serve(class QTcpSocket *socket, const QByteArray &request);
    QByteArray replyFor(const QString &code, SdxFault fault, bool *closeEarly) const;
    void send(QTcpSocket *socket, QByteArray reply, SdxDelivery delivery, qsizetype stopAt);
    void flood(QTcpSocket *socket) const;

    QTcpServer m_server;
    QMap<QString, QByteArray> m_files;
    SdxFault m_fault = SdxFault::None;
    QHash<QString, SdxFault> m_faults;
    SdxDelivery m_delivery;
    qint64 m_floodLength = qint64(1) << 40;
    QList<QByteArray> m_requests;
};
