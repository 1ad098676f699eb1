#pragma once

#include "common/ProgramDir.h"
#include "download/MirrorList.h"
#include "download/StrQueue.h"

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QSaveFile>
#include <QStringList>
#include <QTcpSocket>
#include <QTimer>

#include <memory>

// Intervals and the time-out; tests pass shorter ones.
struct DownloadTiming {
    int receiveMs = 100;   // Timer1: moves received data on
    int tickMs = 1000;     // Timer3: one time-out tick
    int limitTicks = 120;  // ticks until a file is given up
};

// Fetches one ".sdx" file per code over HTTP/1.1 into "Temp" of the program
// directory, one code after another, without a window. A reply is stored only
// when it is a 2xx reply and complete: it is written to a temporary file in
// "Temp" and moved over "<code>.sdx" at its end.
class TPDownloader : public QObject {
    Q_OBJECT
public:
    static constexpr qint32 BufferSize = 1114113;
    static constexpr qint32 FlushSize = 1048576;
    // A satellite's file is a few hundred kilobytes; a reply announcing more is refused.
    static constexpr qint64 MaxBody = 16 * 1024 * 1024;

    TPDownloader(const ProgramDir &dir, QList<MirrorAddress> mirrors, DownloadTiming timing = {},
                 QObject *parent = nullptr);
    ~TPDownloader() override;

    // The address of a code: the base address of its mirror, the code, ".sdx".
    QString addressOf(const QString &code) const;
    // The request sent for an address.
    static QByteArray requestFor(const QString &address, const QString &hostPort);

    void start(const QStringList &codes);
    void cancel();  // ends the run before the next code
    bool running() const { return m_running; }

Q_SIGNALS:
    void message(const QString &text);          // for the message board, line ends included
    void status(const QString &text);           // lblPer
    void overall(int value, int maximum);       // Progress
    void fileProgress(int value, int maximum);  // ProgressBar1
    void fileShown(const QString &path);        // Label1, unshortened
    void ended(bool completed);

private:
    enum class Phase { Idle, Connecting, Header, Body };

    void nextCode();
    void connectTo(const MirrorAddress &mirror);
    void onConnected();
    void onReadyRead();
    void onSocketError(QAbstractSocket::SocketError error);
    void receiveTick();
    void timeoutTick();
    bool gatherHeader();
    void moveIntoBuffer(qint32 limit);
    bool flush();
    bool storeBody();
    void finishFile();
    void giveUp(const QString &why);
    void endRun(bool completed);
    void updateBar();

    ProgramDir m_dir;
    QList<MirrorAddress> m_mirrors;
    DownloadTiming m_timing;
    QTcpSocket m_socket;
    QTimer m_timer1;  // receive
    QTimer m_timer3;  // time-out
    QStringList m_codes;
    qsizetype m_index = -1;
    bool m_running = false;
    quint32 m_run = 0;   // counts the runs started
    quint32 m_step = 0;  // counts the moves to a next code

    // Per file.
    Phase m_phase = Phase::Idle;
    std::unique_ptr<StrQueue> m_queue;
    QByteArray m_buffer;
    qint32 m_bufferFill = 0;  // bytes waiting in the buffer (placed - written once the header is read)
    qint32 m_nextChunk = 0;
    qint32 m_slotOffset = 0;  // bytes of slot m_nextChunk already moved
    qint64 m_contentLength = 0;
    qint64 m_headerSize = 0;
    qint64 m_placed = 0;
    qint64 m_written = 0;
    qint64 m_received = 0;   // bytes taken from the socket
    qint64 m_readLimit = 0;  // no more is taken: the buffer while the header is read, then header + body
    qint16 m_ticks = 0;
    bool m_closed = false;  // the far end has closed the connection
    QString m_fileName;
    QString m_hostPort;
    std::unique_ptr<QSaveFile> m_file;
};
