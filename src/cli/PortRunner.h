#pragma once

#include "cli/TransferRecord.h"
#include "common/ProgramDir.h"
#include "link/TransferSession.h"

#include <QElapsedTimer>
#include <QObject>

#include <memory>

class ReceiverLink;

// One --port of a line run: transfers one after another on it (just one unless
// looping), each through a TransferSession of its own.
class PortRunner : public QObject {
    Q_OBJECT
public:
    enum class Phase { Waiting, Running, Between, Finished };

    PortRunner(const ProgramDir &dir, QString port, TransferRequest request, const TransferTimings &timings, bool loop,
               QObject *parent = nullptr);
    ~PortRunner() override;

    void start();
    // Starts no new transfer: a port still waiting for a receiver finishes now,
    // a running transfer ends by its own rules first.
    void drain();
    // Ends a running transfer now, as a signal ends a single-port run.
    void cancel(int exitCode);

    const QString &port() const { return m_port; }
    Phase phase() const { return m_phase; }
    int unit() const { return m_unit; }
    TransferMode mode() const { return m_request.mode; }
    // Of the transfer on the port; null when none runs.
    const TransferRate *rate() const;

Q_SIGNALS:
    void progressed();
    // The receiver's texts and the tool's own about this port, each ending with CR LF.
    void boardText(const QString &text);
    void transferEnded(const TransferRecord &record);
    void finished();

private:
    void startUnit();
    void onMessage();
    void onBoard(const QString &text);
    void onEnded(TransferEnd how);
    void closeSession();
    // Drops the ended session on the next pass of the event loop, then goes on.
    void afterSession(bool nextUnit);
    void finish();
    TransferRecord record(bool ok, TransferFault fault, int exitCode) const;

    QString m_port;
    TransferRequest m_request;
    TransferTimings m_timings;
    bool m_loop;
    std::unique_ptr<ReceiverLink> m_link;
    std::unique_ptr<TransferSession> m_session;
    Phase m_phase = Phase::Between;
    int m_unit = 1;
    bool m_draining = false;
    bool m_sessionDone = false;
    bool m_heard = false;
    QString m_file;
    QByteArray m_fileSha256;
    QString m_lastMessage;
    QDateTime m_start;
    QElapsedTimer m_clock;
};
