#include "link/ui/frmProgress1.h"

#include "common/Converters.h"
#include "common/ui/WindowServices.h"
#include "link/DownloadEngine.h"
#include "link/ReceiverLink.h"
#include "link/TransferProperties.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

frmProgress1::frmProgress1(ReceiverLink &link, TransferRequest request, const TransferTimings &timings, QWidget *parent)
    : QDialog(parent), m_link(link), m_timings(timings), m_session(link, std::move(request), timings, this)
{
    setObjectName(QStringLiteral("frmProgress1"));
    setWindowTitle(applicationTitle());
    setModal(true);
    buildControls();

    connect(&m_session, &TransferSession::sizeError, this,
            [this](const QString &text) { QMessageBox::critical(this, QStringLiteral("File Size error"), text); });
    connect(&m_session, &TransferSession::viewChanged, this, &frmProgress1::refresh);
    connect(&m_session, &TransferSession::ended, this, &frmProgress1::onEnded);
    connect(&m_session, &TransferSession::fileError, this,
            [this](const QString &text) { showExclamation(this, text); });
    refresh();
}

frmProgress1::~frmProgress1() = default;

void frmProgress1::buildControls()
{
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    prsUpload = new QProgressBar(this);
    prsUpload->setObjectName(QStringLiteral("prsUpload"));
    prsUpload->setTextVisible(false);
    lblPer = new QLabel(this);
    lblPer->setObjectName(QStringLiteral("lblPer"));
    lblStatus = new QLabel(this);
    lblStatus->setObjectName(QStringLiteral("lblStatus"));
    lblRate = new QLabel(this);
    lblRate->setObjectName(QStringLiteral("lblRate"));
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setDefault(true);
    Timer4 = new QTimer(this);
    Timer4->setObjectName(QStringLiteral("Timer4"));
    Timer4->setInterval(m_timings.autoCloseMs);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(prsUpload);
    layout->addWidget(lblPer);
    layout->addWidget(lblStatus);
    layout->addWidget(lblRate);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    layout->addLayout(buttons);
    setFixedSize(480, 190);

    // The window's first load.
    ShortenPathCaption(Label1, m_session.request().file);
    SetProgressBarColor(prsUpload, QColor(41, 47, 86));

    connect(cmdCancel, &QPushButton::clicked, this, &frmProgress1::cmdCancel_Click);
    connect(Timer4, &QTimer::timeout, this, &frmProgress1::Timer4_Timer);
}

bool frmProgress1::RS232_Connect()
{
    if (Status s = m_session.connectPort(); !s) {
        showExclamation(this, s.error());
        return false;
    }
    writeTransferProperties(ReceiverPort::kSettings, port().portNumber(), m_session.xonXoff());
    return true;
}

void frmProgress1::portOpen()
{
    if (const Status s = m_session.portOpen(); !s)
        m_link.appendMessage(s.error() + QStringLiteral("\r\n"));
}

void frmProgress1::placeOver(const QWidget *main)
{
    m_placeOver = main;
    if (isVisible())
        place();
}

void frmProgress1::place()
{
    const QRect m = m_placeOver->frameGeometry();
    const QSize own = frameGeometry().size();
    move(m.left() + (m.width() - own.width()) / 2, m.top() + m.height() / 2);
}

void frmProgress1::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    // The frame's size is known only once the window is shown.
    if (m_placeOver)
        place();
}

void frmProgress1::refresh()
{
    const TransferView &v = engine().view();
    prsUpload->setMaximum(v.progressMax);
    prsUpload->setValue(std::clamp(v.progressValue, 0, v.progressMax));
    lblPer->setText(v.percentText);
    lblStatus->setText(v.statusText);
    cmdCancel->setText(v.buttonText);
    lblRate->setText(engine().hasEnded() ? QString() : m_session.rate().text());
}

void frmProgress1::onEnded(TransferEnd how)
{
    // The closing texts came before the end was known: the speed line goes now.
    lblRate->clear();
    switch (how) {
    case TransferEnd::Completed: Timer4->start(); break;
    case TransferEnd::Failed: break;
    case TransferEnd::Refused:
        // After the "File Size error" box, at once.
        m_closing = true;
        m_session.stopWatchdog();
        done(QDialog::Rejected);
        break;
    case TransferEnd::Received: DoMyWork(); break;
    }
}

void frmProgress1::cmdCancel_Click()
{
    if (m_closing || m_converting)
        return;
    m_session.cancel();
    m_closing = true;
    Timer4->stop();
    done(QDialog::Accepted);
}

void frmProgress1::reject()
{
    // Escape or the close box act like the button.
    cmdCancel_Click();
}

void frmProgress1::Timer4_Timer()
{
    Timer4->stop();
    cmdCancel_Click();
}

void frmProgress1::DoMyWork()
{
    // "OK" must not be taken before the converter has said whether it worked.
    m_converting = true;
    cmdCancel->setEnabled(false);
    const QString &image = m_session.request().file;
    const RunOutcome outcome =
        withBusyCursor([this, &image] { return Converters(m_link.programDir()).channelParse(image); });
    cmdCancel->setEnabled(true);
    m_converting = false;
    if (!outcome.succeeded()) {
        // The image is kept, but without its channel files there is nothing to edit.
        static_cast<DownloadEngine &>(engine()).conversionFailed();
        showExclamation(this, outcome.describe(QStringLiteral("ChannelParse")));
        return;
    }
    Timer4->start();
}
