#pragma once

#include "cli/LineProgress.h"
#include "cli/TransferRecord.h"
#include "cli/TransferReport.h"
#include "common/ProgramDir.h"
#include "common/Result.h"
#include "link/TransferSession.h"

#include <QObject>

#include <memory>
#include <vector>

class PortRunner;
class QTimer;

struct LineOptions {
    QStringList ports;
    TransferRequest request;  // a download's file holds {port} when there are several ports
    TransferTimings timings;
    bool loop = false;  // station mode: unit after unit until a signal
    bool quiet = false;
    QString report;  // JSON Lines file, appended; empty: none
};

// Several ports at once on the one event loop, with their progress, the
// summary table and the report.
class LineRunner : public QObject {
    Q_OBJECT
public:
    LineRunner(const ProgramDir &dir, LineOptions options, QObject *parent = nullptr);
    ~LineRunner() override;

    // Runs until every port has finished; the exit code.
    int run();

private:
    void onEnded(qsizetype index, const TransferRecord &record);
    void onBoard(qsizetype index, const QString &text);
    void onSignal(int number);
    void showState(qsizetype index);
    void print(std::FILE *stream, const QString &text);

    ProgramDir m_dir;
    LineOptions m_options;
    std::vector<std::unique_ptr<PortRunner>> m_runners;
    std::unique_ptr<LineProgress> m_progress;
    QTimer *m_redraw = nullptr;
    TransferReport m_report;
    QList<TransferRecord> m_records;
    int m_running = 0;
    int m_signals = 0;
    bool m_reportFailed = false;
};

// The file each port's download writes: {port} becomes the port's name without
// its folder. Fails when several ports would write one file.
Result<QStringList> portFiles(const QString &pattern, const QStringList &ports);
