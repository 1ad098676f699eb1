#include "support/TransferHarness.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QThread>
#include <QTimer>

SimProcess::SimProcess(const QString &programDir, const QStringList &arguments)
{
    const QString link = programDir + QStringLiteral("/Com1");
    QStringList args{QStringLiteral("--link"), link, QStringLiteral("--write-ms"), QStringLiteral("60")};
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    m_process.start(QStringLiteral(TARVIK_TOOLS_DIR "/receiver-sim"), args + arguments);
    if (!m_process.waitForStarted(5000))
        return;
    // It prints the terminal's path once the link is in place.
    QDeadlineTimer deadline(5000);
    while (!deadline.hasExpired() && !m_process.canReadLine())
        m_process.waitForReadyRead(100);
    m_started = QFileInfo::exists(link);
}

SimProcess::~SimProcess()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(3000))
            m_process.kill();
        m_process.waitForFinished(1000);
    }
}

QString SimProcess::log()
{
    return QString::fromLocal8Bit(m_process.readAllStandardError());
}

TransferRecord runTransfer(ReceiverLink &link, const TransferRequest &request, const TransferTimings &timings,
                           const std::function<bool(const TransferRecord &)> &pressWhen, int limitMs, QWidget *over)
{
    TransferRecord record;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    poll.setInterval(5);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
            record.boxes << box->windowTitle() + QLatin1Char('|') + box->text();
            box->done(QMessageBox::Ok);
            return;
        }
        QWidget *window = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->objectName() == QLatin1String("frmProgress1") && w->isVisible())
                window = w;
        }
        if (!window)
            return;
        record.percent = window->findChild<QLabel *>(QStringLiteral("lblPer"))->text();
        record.status = window->findChild<QLabel *>(QStringLiteral("lblStatus"))->text();
        record.label1 = window->findChild<QLabel *>(QStringLiteral("Label1"))->text();
        record.rate = window->findChild<QLabel *>(QStringLiteral("lblRate"))->text();
        if (!record.rate.isEmpty() && (record.rates.isEmpty() || record.rates.last() != record.rate))
            record.rates << record.rate;
        record.geometry = window->frameGeometry();
        auto *bar = window->findChild<QProgressBar *>(QStringLiteral("prsUpload"));
        record.progressValue = bar->value();
        record.progressMax = bar->maximum();
        auto *button = window->findChild<QPushButton *>(QStringLiteral("cmdCancel"));
        record.button = button->text();
        if (link.monitorPort().isOpen())
            record.monitorOpenDuring = true;
        const bool late = clock.elapsed() > limitMs;
        if (late || pressWhen(record)) {
            record.timedOut = late;
            button->click();
        }
    });
    poll.start();
    record.outcome = SerialInit(link, over, request, timings);
    return record;
}
