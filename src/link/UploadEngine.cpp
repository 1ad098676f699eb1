#include "link/UploadEngine.h"

#include "link/TransferKinds.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Numbers shown as text carry one leading space.
QString spaced(qint64 n)
{
    return QLatin1Char(' ') + QString::number(n);
}

int clampToInt(double value)
{
    return static_cast<int>(std::clamp(value, 0.0, double(std::numeric_limits<int>::max())));
}

}  // namespace

UploadEngine::UploadEngine(TransferWire &wire, QString selectedFile, QString kind, QObject *parent)
    : TransferEngine(wire, parent), m_selectedFile(std::move(selectedFile)), m_kind(std::move(kind))
{
}

void UploadEngine::portOpened(bool ok)
{
    TransferEngine::portOpened(ok);
    m_lastPacketSent = false;
    m_endSent = false;
}

void UploadEngine::handleMessage(const QByteArray &message)
{
    if (message.isEmpty() || hasEnded())
        return;
    if (handleEndings(message))
        return;
    handleStep(message);
}

// Checks 1 to 3: the final byte, "END " and the receiver's error words.
bool UploadEngine::handleEndings(const QByteArray &message)
{
    const auto first = static_cast<quint8>(message.at(0));
    // FinalCheck counts only once the last checksum reply has set it.
    if (awaitingFinalByte()) {
        if (first == (m_totalChecksum & 0xFF)) {
            m_endSent = true;
            send(QByteArrayLiteral("END "));
        } else if (message.size() == 1) {
            // The receiver's whole-image check failed: nothing more will come.
            finalCheckFailed(first, QStringLiteral("the file ") + m_finalCheck);
            return true;
        }
    }

    if (message == "END ") {
        if (m_lastPacketSent) {
            setProgressValue(view().progressMax);
            setPercentText(QStringLiteral("                  100 %"));
            board(QStringLiteral("SUCCESS"));
            board(QStringLiteral(" "));
            FILEclose();
        } else {
            // The receiver stopped before it had the whole image.
            noteFault(TransferFault::ReceiverError);
            board(QStringLiteral("FAIL"));
            board(QStringLiteral(" "));
            FILEclose_error(m_dataStarted ? 2 : 1);
        }
        return true;
    }

    QString error;
    if (message == "ERR ")
        error = QStringLiteral("Smc Writing Error !!! Please turn OFF then ON the receiver to reset.");
    else if (message == "ERR1")
        error = QStringLiteral("Type Mismatch Error !!! Please turn OFF then ON the receiver to reset.");
    else if (message == "ERR2")
        error = QStringLiteral("Smc Reading Error !!! Please turn OFF then ON the receiver to reset. ");
    if (!error.isEmpty()) {
        noteFault(TransferFault::ReceiverError);
        board(error);
        closeWithError();
        return true;
    }
    return false;
}

// Check 4: the greeting, then the first step that applies.
void UploadEngine::handleStep(const QByteArray &message)
{
    if (message == "ZAVO") {
        board(QStringLiteral("KELDO ZAVO STB CONNECTED"));
        send(QByteArrayLiteral("NONO"));
        return;
    }
    const auto first = static_cast<quint8>(message.at(0));
    const std::optional<qint32> number = decimalMessage(message);
    // A checksum reply means something only once a packet is out.
    if (number && m_dataStarted && *number == m_packetChecksum) {
        if (m_lastPacketSent) {
            board(QStringLiteral("Please wait, WRITING DATA..."));
            m_finalCheck = finalCheckText(m_totalChecksum);
            Q_EMIT finalByteAwaited();
            return;
        }
        ++m_packetCounter;
        sendNextPacket(QStringLiteral("%1").arg(m_packetCounter, 4, 10, QLatin1Char('0')).toLatin1());
        return;
    }
    // A reply for another sum: the receiver got the packet wrong and will not go on.
    if (number && m_dataStarted && m_finalCheck.isEmpty())
        noteFault(TransferFault::ChecksumFailed);
    if (isStartAcknowledgement(first) && !m_lastPacketSent) {
        if (!m_file.isOpen())
            return;
        m_packetCounter = 0;
        sendNextPacket(QByteArrayLiteral("0000"));
        return;
    }
    if (message == "STPG") {
        kindRequested();
        return;
    }
    if (message == "REDY") {
        if (const QByteArray length = lengthField(m_expectedSize); !length.isEmpty())
            send(length);
        fileOpen();
        return;
    }
    if (message == "SMER") {
        noteFault(TransferFault::ReceiverError);
        board(QStringLiteral("Please insert SMC ..."));
        FILEclose_error(1);
    }
}

void UploadEngine::sendNextPacket(const QByteArray &number)
{
    // Nothing goes out from a file that could not be opened.
    if (!m_file.isOpen())
        return;
    const qint64 remaining = m_length - m_file.pos();
    QByteArray packet(kPacketSize, '\0');
    // A file that cannot be read must not go out as zero bytes.
    if (m_file.read(packet.data(), kPacketSize) < 0) {
        noteFault(TransferFault::FileError);
        Q_EMIT fileError(m_file.errorString());
        closeWithError();
        return;
    }
    send(number);
    m_sentCount += kPacketSize;
    FILEsend(packet, remaining);
    if (m_sentCount > m_expectedSize)
        m_lastPacketSent = true;
}

void UploadEngine::kindRequested()
{
    const std::optional<TransferKind> kind = transferKind(m_kind);
    if (!kind)
        return;
    board(kind->boardText);
    send(kind->command);
    m_packetCounter = 0;
    m_expectedSize = kind->expectedSize;
}

void UploadEngine::fileOpen()
{
    closeFile();
    m_progressCount = 0;
    m_totalChecksum = 0;
    m_sentCount = 0;
    m_watchdogTicks = 0;
    m_file.setFileName(m_selectedFile);
    if (!m_file.open(QIODevice::ReadOnly)) {
        noteFault(TransferFault::FileError);
        Q_EMIT fileError(m_file.errorString());
        return;
    }
    m_stop = false;
    m_progressStep = kPacketSize;
    m_length = m_file.size();
    if (isSizeChecked(m_kind) && m_length != m_expectedSize) {
        const QString text = QStringLiteral("File size not matched!! %1 has to %2 byte but your file is %3")
                                 .arg(m_kind)
                                 .arg(m_expectedSize)
                                 .arg(m_length);
        noteFault(TransferFault::Refused);
        stopTransfer();
        setPercentText(QStringLiteral("              transfer completed"));
        setButtonText(QStringLiteral("OK"));
        Q_EMIT sizeError(text);
        finish(TransferEnd::Refused);
        return;
    }
    reportUnsentBytes();
    setProgress(0, clampToInt(double(m_length) + 1 + double(m_length) / 10));
}

// Kinds whose size is not checked stop after the packet that passes the expected size.
void UploadEngine::reportUnsentBytes()
{
    if (m_expectedSize <= 0)
        return;
    const qint64 sendable = (qint64(m_expectedSize) / kPacketSize + 1) * kPacketSize;
    if (m_length > sendable)
        board(QStringLiteral("Only the first %1 of the file's %2 bytes are sent.").arg(sendable).arg(m_length));
}

void UploadEngine::FILEsend(const QByteArray &packet, qint64 remaining)
{
    if (remaining <= m_progressStep)
        m_progressStep = remaining + 1;
    m_progressCount += m_progressStep;
    // Past the end of a short file the figures stay those of a file read to its end.
    const qint64 shown = std::min(m_progressCount, m_length + 1);
    setProgressValue(clampToInt(double(shown)));
    const qint64 percent = m_length > 0 ? qint64(std::floor(double(shown) / double(m_length) * 90)) : 90;
    setPercentText(QString(21, QLatin1Char(' ')) + spaced(percent) + QLatin1Char('%'));
    setStatusText(QStringLiteral("Total byte : ") + spaced(m_length) + QStringLiteral("/sent byte:") +
                  spaced(shown - 1));
    m_dataStarted = true;

    const qint64 sum = byteSum(packet);
    m_totalChecksum += sum;
    const Status sent = send(packet);
    m_packetChecksum = sum % 10000;
    if (!sent)
        sendFailed(sent.error());
}

qint64 UploadEngine::bytesTotal() const
{
    if (m_expectedSize <= 0)
        return m_length;
    return std::min(m_length, (qint64(m_expectedSize) / kPacketSize + 1) * kPacketSize);
}

qint64 UploadEngine::bytesDone() const
{
    return std::min(m_sentCount, bytesTotal());
}

void UploadEngine::closeFile()
{
    if (m_file.isOpen())
        m_file.close();
    m_progressCount = 0;
}
