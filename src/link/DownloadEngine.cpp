#include "link/DownloadEngine.h"

#include "link/TransferKinds.h"

DownloadEngine::DownloadEngine(TransferWire &wire, QString selectedFile, QObject *parent)
    : TransferEngine(wire, parent), m_selectedFile(std::move(selectedFile))
{
}

DownloadEngine::~DownloadEngine()
{
    discardTemporary();
}

void DownloadEngine::discardTemporary()
{
    if (m_temporary) {
        m_temporary->cancelWriting();
        m_temporary.reset();
    }
}

void DownloadEngine::handleMessage(const QByteArray &message)
{
    if (message.isEmpty() || hasEnded())
        return;
    if (message == "ZAVO") {
        send(QByteArrayLiteral("NONO"));
        return;
    }
    if (message == "STPG") {
        send(QByteArrayLiteral("UPCH"));
        setPercentText(QStringLiteral("START CHANNEL DATA UPLOADING"));
        setProgress(view().progressValue, 70);
        startRound();
        return;
    }
    if (message == "REDY") {
        setPercentText(QStringLiteral("Ready ok. go\r\n"));
        m_readyReceived = true;
        return;
    }
    if (message == "END ") {
        // Success only once the final byte has confirmed the file.
        if (m_downloadComplete && m_fileReplaced) {
            setProgressValue(m_downloadPackets + m_downloadPackets / 10);
            setPercentText(QStringLiteral("Channel Upload Success"));
            setButtonText(QStringLiteral("OK"));
            finish(TransferEnd::Received);
        } else {
            noteFault(TransferFault::ReceiverError);
            setPercentText(QStringLiteral("Channel Upload Fail"));
        }
        return;
    }
    if (message == "ERRO") {
        noteFault(TransferFault::ReceiverError);
        setPercentText(QStringLiteral("Error !!! Please turn off the On the receiver to reset. "));
        return;
    }
    const auto first = static_cast<quint8>(message.at(0));
    if (m_downloadComplete && first == (m_totalChecksum & 0xFF)) {
        finalByteMatched();
        return;
    }
    if (m_downloadComplete && !m_fileReplaced && message.size() == 1) {
        // The image does not match the receiver's total: it must not replace the file.
        discardTemporary();
        finalCheckFailed(first, QStringLiteral("the data ") + m_finalCheck);
        return;
    }
    if (m_readyReceived && m_expectData) {
        dataPacket(message);
        return;
    }
    if (m_readyReceived) {
        // A packet number; anything that is not a number leaves the state alone.
        const std::optional<qint32> number = decimalMessage(message);
        if (!number || *number > 32767)
            return;
        m_packetNumber = *number;
        setProgressValue(m_packetNumber);
        setPercentText(QStringLiteral("%1 %").arg(qint64(double(m_packetNumber) / m_downloadPackets * 100)));
        m_expectData = true;
    }
}

// The receiver starts (or starts again): nothing of an earlier round counts.
void DownloadEngine::startRound()
{
    discardTemporary();
    m_data.clear();
    m_downloadPackets = 64;
    m_finalCheck = QStringLiteral("0");
    m_downloadComplete = false;
    m_fileReplaced = false;
    m_readyReceived = false;
    m_expectData = false;
    m_packetNumber = 0;
    m_totalChecksum = 0;
    m_receivedBytes = 0;
    m_receivedPackets = 0;
    clearFault();
}

qint64 DownloadEngine::bytesTotal() const
{
    // Packets are as long as the receiver makes them: estimated from those seen.
    return m_receivedPackets > 0 ? m_receivedBytes * m_downloadPackets / m_receivedPackets : 0;
}

void DownloadEngine::dataPacket(const QByteArray &message)
{
    const qint64 checksum = byteSum(message);
    m_totalChecksum += checksum;
    m_data += message;
    m_receivedBytes += message.size();
    ++m_receivedPackets;
    if (m_packetNumber < m_downloadPackets - 1) {
        send(QStringLiteral("%1").arg(checksum % 10000, 4, 10, QLatin1Char('0')).toLatin1());
        m_expectData = false;
        return;
    }
    lastPacket();
}

void DownloadEngine::lastPacket()
{
    discardTemporary();
    m_temporary = std::make_unique<QSaveFile>(m_selectedFile);
    if (!m_temporary->open(QIODevice::WriteOnly) || m_temporary->write(m_data) != m_data.size()) {
        const QString error = m_temporary->errorString();
        discardTemporary();
        noteFault(TransferFault::FileError);
        Q_EMIT fileError(error);
        FILEclose_error(1);
        return;
    }
    m_data.clear();
    setPercentText(QStringLiteral("Please Wait..."));
    m_downloadComplete = true;
    m_readyReceived = false;
    m_finalCheck = finalCheckText(m_totalChecksum);
    m_expectData = false;
}

void DownloadEngine::finalByteMatched()
{
    if (!m_fileReplaced) {
        if (!m_temporary || !m_temporary->commit()) {
            const QString error = m_temporary ? m_temporary->errorString() : QStringLiteral("No data");
            m_temporary.reset();
            noteFault(TransferFault::FileError);
            Q_EMIT fileError(error);
            FILEclose_error(1);
            return;
        }
        m_temporary.reset();
        m_fileReplaced = true;
    }
    send(QByteArrayLiteral("END "));
}
