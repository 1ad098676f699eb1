#include "link/ui/frmProgress1.h"

#include "common/Converters.h"
#include "common/ui/WindowServices.h"
#include "link/DownloadEngine.h"
#include "link/ReceiverLink.h"
#include "link/TransferProperties.h"
#include "link/UploadEngine.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kDownloadMode = 1;
}

// The engine's bytes go to the transfer port.
class frmProgress1::PortWire : public TransferWire {
public:
    explicit PortWire(ReceiverPort &port) : m_port(port) {}
    Status write(const QByteArray &bytes) override
    {
        if (m_port.write(bytes) != bytes.size()) {
            const QString error = m_port.isOpen() ? m_port.serial().errorString() : QStringLiteral("Port is closed");
            return Status::failure(error);
        }
        // Hand the bytes to the driver now rather than on the next pass of
        // the event loop; this never blocks.
        m_port.serial().flush();
        return Status::success();
    }
    void clearTransmit() override { m_port.clearTransmit(); }

private:
    ReceiverPort &m_port;
};

frmProgress1::frmProgress1(ReceiverLink &link, const TransferTimings &timings, QWidget *parent)
    : QDialog(parent), m_link(link), m_timings(timings), m_port(link.programDir(), this),
      m_wire(std::make_unique<PortWire>(m_port))
{
    setObjectName(QStringLiteral("frmProgress1"));
    setWindowTitle(applicationTitle());
    setModal(true);
    buildControls();

    if (m_link.hSerialMode == kDownloadMode) {
        m_engine = std::make_unique<DownloadEngine>(*m_wire, m_link.selectedFile);
    } else {
        auto upload = std::make_unique<UploadEngine>(*m_wire, m_link.selectedFile, m_link.hDataMode);
        // Under XON/XOFF the driver would swallow a final byte of 0x11 or 0x13.
        connect(upload.get(), &UploadEngine::finalByteAwaited, this,
                [this] { m_port.setFlowControl(QSerialPort::NoFlowControl); });
        connect(upload.get(), &UploadEngine::sizeError, this, [this](const QString &text) {
            QMessageBox::critical(this, QStringLiteral("File Size error"), text);
        });
        m_engine = std::move(upload);
    }
    connect(m_engine.get(), &TransferEngine::boardLine, &m_link, &ReceiverLink::appendMessage);
    connect(m_engine.get(), &TransferEngine::viewChanged, this, &frmProgress1::refresh);
    connect(m_engine.get(), &TransferEngine::ended, this, &frmProgress1::onEnded);
    connect(m_engine.get(), &TransferEngine::fileError, this,
            [this](const QString &text) { showExclamation(this, text); });

    connect(&m_port, &ReceiverPort::notified, this, &frmProgress1::onNotification);
    connect(&m_port, &ReceiverPort::messageReceived, m_engine.get(), &TransferEngine::handleMessage);
    connect(&m_port, &ReceiverPort::lineEvent, this, &frmProgress1::onLineEvent);
    connect(&m_port, &ReceiverPort::lost, this, &frmProgress1::onPortLost);
    connect(&m_port, &ReceiverPort::writeFailed, m_engine.get(), &TransferEngine::sendFailed);

    refresh();
    Timer3->start(m_timings.watchdogFirstMs);
}

frmProgress1::~frmProgress1()
{
    // Engines hold the wire, which refers to the port: they go first.
    m_engine.reset();
}

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
    cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdCancel->setDefault(true);
    Timer3 = new QTimer(this);
    Timer3->setObjectName(QStringLiteral("Timer3"));
    Timer4 = new QTimer(this);
    Timer4->setObjectName(QStringLiteral("Timer4"));
    Timer4->setInterval(m_timings.autoCloseMs);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(Label1);
    layout->addWidget(prsUpload);
    layout->addWidget(lblPer);
    layout->addWidget(lblStatus);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmdCancel);
    buttons->addStretch();
    layout->addLayout(buttons);
    setFixedSize(480, 170);

    // The window's first load.
    ShortenPathCaption(Label1, m_link.selectedFile);
    SetProgressBarColor(prsUpload, QColor(41, 47, 86));

    connect(cmdCancel, &QPushButton::clicked, this, &frmProgress1::cmdCancel_Click);
    connect(Timer3, &QTimer::timeout, this, &frmProgress1::Timer3_Timer);
    connect(Timer4, &QTimer::timeout, this, &frmProgress1::Timer4_Timer);
}

bool frmProgress1::RS232_Connect()
{
    if (Status s = m_port.configure(m_link.selectedPort()); !s) {
        showExclamation(this, s.error());
        return false;
    }
    const bool xonXoff = m_link.hSerialMode != kDownloadMode;
    m_port.setFlowControl(xonXoff ? QSerialPort::SoftwareControl : QSerialPort::NoFlowControl);
    writeTransferProperties(ReceiverPort::kSettings, m_port.portNumber(), xonXoff);
    return true;
}

void frmProgress1::portOpen()
{
    const Status s = m_port.setOpen(!m_port.isOpen());
    if (!s)
        m_link.appendMessage(s.error() + QStringLiteral("\r\n"));
    m_engine->portOpened(s.ok());
    m_link.setTransferPortOpen(m_port.isOpen());
    if (m_port.isOpen())
        m_port.write(QByteArrayLiteral("C0FF"));
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
    const TransferView &v = m_engine->view();
    prsUpload->setMaximum(v.progressMax);
    prsUpload->setValue(std::clamp(v.progressValue, 0, v.progressMax));
    lblPer->setText(v.percentText);
    lblStatus->setText(v.statusText);
    cmdCancel->setText(v.buttonText);
}

void frmProgress1::onEnded(TransferEnd how)
{
    switch (how) {
    case TransferEnd::Completed:
        Timer4->start();
        break;
    case TransferEnd::Failed:
        break;
    case TransferEnd::Refused:
        // After the "File Size error" box, at once.
        m_closing = true;
        Timer3->stop();
        done(QDialog::Rejected);
        break;
    case TransferEnd::Received:
        DoMyWork();
        break;
    }
}

void frmProgress1::onNotification()
{
    Timer3->start(m_timings.watchdogMs);
    m_engine->notified();
}

void frmProgress1::onLineEvent(int code)
{
    Timer3->start(m_timings.watchdogMs);
    (lineEventIsError(code) ? m_lastError : m_lastEvent) = lineEventText(code);
}

void frmProgress1::onPortLost(const QString &error)
{
    m_link.appendMessage(error + QStringLiteral("\r\n"));
    m_link.setTransferPortOpen(false);
    m_engine->portLost();
}

void frmProgress1::cmdCancel_Click()
{
    if (m_closing || m_converting)
        return;
    if (m_engine->cancelClicked())
        m_link.hSerialMode = 10;
    m_closing = true;
    Timer3->stop();
    Timer4->stop();
    if (auto *download = qobject_cast<DownloadEngine *>(m_engine.get()))
        download->discardTemporary();
    done(QDialog::Accepted);
}

void frmProgress1::reject()
{
    // Escape or the close box act like the button.
    cmdCancel_Click();
}

void frmProgress1::Timer3_Timer() { m_engine->watchdogTick(); }

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
    const RunOutcome outcome = Converters(m_link.programDir()).channelParse(m_link.selectedFile);
    cmdCancel->setEnabled(true);
    m_converting = false;
    if (!outcome.succeeded()) {
        // The image is kept, but without its channel files there is nothing to edit.
        static_cast<DownloadEngine *>(m_engine.get())->conversionFailed();
        showExclamation(this, outcome.describe(QStringLiteral("ChannelParse")));
        return;
    }
    Timer4->start();
}
