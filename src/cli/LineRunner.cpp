#include "cli/LineRunner.h"

#include "cli/ExitCodes.h"
#include "cli/PortRunner.h"
#include "cli/SignalWatcher.h"
#include "cli/SummaryTable.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSet>
#include <QTimer>

#include <algorithm>

#include <unistd.h>

namespace {
constexpr int kRedrawMs = 200;

void say(const QString &text)
{
    std::fprintf(stderr, "tarvik-cli: %s\n", qPrintable(text));
}
}  // namespace

Result<QStringList> portFiles(const QString &pattern, const QStringList &ports)
{
    if (ports.size() > 1 && !pattern.contains(QLatin1String("{port}")))
        return Result<QStringList>::failure(QStringLiteral("several ports need {port} in the download FILE"));
    QStringList files;
    QSet<QString> seen;
    for (const QString &port : ports) {
        QString file = pattern;
        file.replace(QLatin1String("{port}"), QFileInfo(port).fileName());
        if (seen.contains(file))
            return Result<QStringList>::failure(QStringLiteral("two ports would write %1").arg(file));
        seen.insert(file);
        files.append(file);
    }
    return files;
}

LineRunner::LineRunner(const ProgramDir &dir, LineOptions options, QObject *parent)
    : QObject(parent), m_dir(dir), m_options(std::move(options))
{
}

LineRunner::~LineRunner() = default;

int LineRunner::run()
{
    QStringList files(m_options.ports.size(), m_options.request.file);
    if (m_options.request.mode == TransferMode::Download) {
        Result<QStringList> f = portFiles(m_options.request.file, m_options.ports);
        if (!f) {
            say(f.error());
            return ExitCode::Usage;
        }
        files = f.take();
    }
    if (!m_options.report.isEmpty()) {
        if (const Status s = m_report.open(m_options.report); !s) {
            say(QStringLiteral("cannot write the report %1: %2").arg(m_options.report, s.error()));
            return ExitCode::Failed;
        }
    }
    m_progress = std::make_unique<LineProgress>(stdout, ::isatty(STDOUT_FILENO) == 1, m_options.ports);
    m_redraw = new QTimer(this);
    connect(m_redraw, &QTimer::timeout, this, [this] { m_progress->redraw(); });
    if (m_progress->terminal() && !m_options.quiet)
        m_redraw->start(kRedrawMs);

    for (qsizetype i = 0; i < m_options.ports.size(); ++i) {
        TransferRequest request = m_options.request;
        request.file = files[i];
        auto runner =
            std::make_unique<PortRunner>(m_dir, m_options.ports[i], request, m_options.timings, m_options.loop);
        PortRunner *r = runner.get();
        connect(r, &PortRunner::progressed, this, [this, i] { showState(i); });
        connect(r, &PortRunner::boardText, this, [this, i](const QString &text) { onBoard(i, text); });
        connect(r, &PortRunner::transferEnded, this, [this, i](const TransferRecord &record) { onEnded(i, record); });
        connect(r, &PortRunner::finished, this, [this] {
            if (--m_running == 0)
                QCoreApplication::exit(0);
        });
        m_runners.push_back(std::move(runner));
    }
    SignalWatcher stopSignals;
    connect(&stopSignals, &SignalWatcher::caught, this, &LineRunner::onSignal);

    m_running = int(m_runners.size());
    for (auto &r : m_runners)
        r->start();
    if (m_running > 0)
        QCoreApplication::exec();
    m_redraw->stop();
    m_progress->redraw();
    m_progress->finish();
    // In the order the ports were given, each port's units in turn.
    QList<TransferRecord> rows = m_records;
    std::stable_sort(rows.begin(), rows.end(), [this](const TransferRecord &a, const TransferRecord &b) {
        return m_options.ports.indexOf(a.port) < m_options.ports.indexOf(b.port);
    });
    std::fputs(qPrintable(summaryTable(rows, m_options.loop)), stdout);
    std::fflush(stdout);
    const int code = lineExitCode(m_records);
    return code == ExitCode::Success && m_reportFailed ? ExitCode::Failed : code;
}

void LineRunner::onSignal(int number)
{
    // Station mode: the first signal lets running transfers end by their own
    // rules; another one, or any without --loop, cancels at once.
    ++m_signals;
    for (auto &r : m_runners) {
        if (m_options.loop && m_signals == 1)
            r->drain();
        else
            r->cancel(128 + number);
    }
}

void LineRunner::onEnded(qsizetype index, const TransferRecord &record)
{
    m_records.append(record);
    if (m_report.isOpen()) {
        if (const Status s = m_report.write(record); !s && !m_reportFailed) {
            m_reportFailed = true;
            print(stderr,
                  QStringLiteral("tarvik-cli: cannot write the report %1: %2\n").arg(m_options.report, s.error()));
        }
    }
    if (m_options.quiet || m_progress->terminal())
        return;
    const QString port =
        m_options.loop ? QStringLiteral("%1 #%2").arg(m_options.ports[index]).arg(record.unit) : m_options.ports[index];
    print(stdout, record.ok ? QStringLiteral("%1: done\n").arg(port)
                            : QStringLiteral("%1: failed (%2)\n").arg(port, faultWord(record.fault)));
}

void LineRunner::onBoard(qsizetype index, const QString &text)
{
    QString lines = text;
    lines.remove(QLatin1Char('\r'));
    QString prefixed;
    for (const QString &line : lines.split(QLatin1Char('\n'), Qt::SkipEmptyParts))
        if (!line.trimmed().isEmpty())
            prefixed += QStringLiteral("%1: %2\n").arg(m_options.ports[index], line);
    if (!prefixed.isEmpty())
        print(stderr, prefixed);
}

void LineRunner::print(std::FILE *stream, const QString &text)
{
    if (m_progress->terminal() && !m_options.quiet && ::isatty(fileno(stream)) == 1) {
        m_progress->printAbove(stream, text);
        return;
    }
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

void LineRunner::showState(qsizetype index)
{
    if (m_options.quiet)
        return;
    const PortRunner &r = *m_runners[size_t(index)];
    QString state;
    switch (r.phase()) {
    case PortRunner::Phase::Waiting: state = QStringLiteral("waiting for a receiver"); break;
    case PortRunner::Phase::Running:
        state = r.mode() == TransferMode::Upload ? QStringLiteral("uploading") : QStringLiteral("downloading");
        break;
    case PortRunner::Phase::Between:
    case PortRunner::Phase::Finished: {
        const auto last = std::find_if(m_records.crbegin(), m_records.crend(),
                                       [&r](const TransferRecord &x) { return x.port == r.port(); });
        state = last == m_records.crend() ? QStringLiteral("stopped")
                : last->ok                ? QStringLiteral("done")
                                          : QStringLiteral("failed (%1)").arg(faultWord(last->fault));
        break;
    }
    }
    if (m_options.loop)
        state += QStringLiteral("  unit %1").arg(r.unit());
    m_progress->update(index, r.rate(), state);
}
