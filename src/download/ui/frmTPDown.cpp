#include "download/ui/frmTPDown.h"

#include "common/ui/MessageBoard.h"
#include "common/ui/WindowServices.h"

#include <QCloseEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

frmTPDown::frmTPDown(const ProgramDir &dir, QList<MirrorAddress> mirrors, QStringList codes, MessageBoard *board,
                     QWidget *parent, DownloadTiming timing, int closeDownMs)
    : QDialog(parent), m_downloader(dir, std::move(mirrors), timing), m_codes(std::move(codes))
{
    setObjectName(QStringLiteral("frmTPDown"));
    setWindowTitle(QStringLiteral("TP Download"));
    auto *layout = new QVBoxLayout(this);
    m_lblPer = new QLabel(QStringLiteral("Signal Waiting......"), this);
    m_lblPer->setObjectName(QStringLiteral("lblPer"));
    m_Label1 = new QLabel(this);
    m_Label1->setObjectName(QStringLiteral("Label1"));
    m_ProgressBar1 = new QProgressBar(this);
    m_ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    m_Progress = new QProgressBar(this);
    m_Progress->setObjectName(QStringLiteral("Progress"));
    for (QProgressBar *bar : {m_ProgressBar1, m_Progress}) {
        bar->setValue(0);
        bar->setTextVisible(false);
    }
    SetProgressBarColor(m_ProgressBar1, QColor(121, 131, 200));
    SetProgressBarColor(m_Progress, QColor(41, 47, 86));
    m_cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    m_cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    layout->addWidget(m_lblPer);
    layout->addWidget(m_Label1);
    layout->addWidget(m_ProgressBar1);
    layout->addWidget(m_Progress);
    layout->addWidget(m_cmdCancel, 0, Qt::AlignRight);
    resize(460, 170);

    m_Timer2.setInterval(closeDownMs);
    connect(&m_Timer2, &QTimer::timeout, this, &frmTPDown::closeDown);
    connect(m_cmdCancel, &QPushButton::clicked, this, &frmTPDown::cmdCancel_Click);
    if (board)
        connect(&m_downloader, &TPDownloader::message, board, &MessageBoard::AppendMessage);
    connect(&m_downloader, &TPDownloader::status, m_lblPer, &QLabel::setText);
    connect(&m_downloader, &TPDownloader::fileShown, this,
            [this](const QString &path) { ShortenPathCaption(m_Label1, path); });
    connect(&m_downloader, &TPDownloader::overall, this, [this](int value, int maximum) {
        m_Progress->setMaximum(std::max(maximum, 1));
        m_Progress->setValue(value);
    });
    connect(&m_downloader, &TPDownloader::fileProgress, this, [this](int value, int maximum) {
        m_ProgressBar1->setMaximum(std::max(maximum, 1));
        m_ProgressBar1->setValue(value);
    });
    connect(&m_downloader, &TPDownloader::ended, this, &frmTPDown::runEnded);
}

void frmTPDown::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (m_started)
        return;
    m_started = true;
    m_cmdCancel->setText(QStringLiteral("Cancel"));
    // Started from the event loop, so the window is on screen first.
    QTimer::singleShot(0, this, [this] {
        if (isVisible())
            m_downloader.start(m_codes);
    });
}

void frmTPDown::runEnded()
{
    m_cmdCancel->setText(QStringLiteral("OK"));
    m_Timer2.start();
}

void frmTPDown::closeDown()
{
    if (m_cmdCancel->text() != QLatin1String("OK"))
        return;
    m_Timer2.stop();
    m_Progress->setValue(0);
    done(QDialog::Accepted);
}

void frmTPDown::cmdCancel_Click()
{
    if (m_downloader.running())
        m_downloader.cancel();
    else if (m_cmdCancel->text() == QLatin1String("OK"))
        closeDown();
}

void frmTPDown::reject()
{
    // Escape or the window's close button during a run ends the run first.
    m_downloader.cancel();
    m_Timer2.stop();
    QDialog::reject();
}

void frmTPDown::closeEvent(QCloseEvent *event)
{
    m_downloader.cancel();
    m_Timer2.stop();
    QDialog::closeEvent(event);
}
