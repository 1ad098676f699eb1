#pragma once

#include "link/TransferEngine.h"

#include <QFile>

// The program's side of an upload: greeting, kind request, length field, and
// the file sent in checksummed packets of 3500 bytes, the last one zero-filled.
class UploadEngine : public TransferEngine {
    Q_OBJECT
public:
    static constexpr qint32 kPacketSize = 3500;

    UploadEngine(TransferWire &wire, QString selectedFile, QString kind, QObject *parent = nullptr);

    void handleMessage(const QByteArray &message) override;
    void portOpened(bool ok) override;
    qint64 bytesDone() const override;
    qint64 bytesTotal() const override;

    int packetCounter() const { return m_packetCounter; }
    qint64 sentCount() const { return m_sentCount; }
    bool lastPacketSent() const { return m_lastPacketSent; }
    bool dataStarted() const { return m_dataStarted; }
    qint32 expectedSize() const { return m_expectedSize; }
    qint64 packetChecksum() const { return m_packetChecksum; }
    qint64 totalChecksum() const { return m_totalChecksum; }
    // Two upper-case hexadecimal digits; empty until the last packet is acknowledged.
    const QString &finalCheck() const { return m_finalCheck; }

Q_SIGNALS:
    // The last packet is acknowledged and only the receiver's final byte is
    // awaited. That byte may be 0x11 or 0x13, which XON/XOFF would swallow.
    void finalByteAwaited();
    // The "File Size error" box; the window closes after it.
    void sizeError(const QString &text);

protected:
    void closeFile() override;
    void closeWithError() override { FILEclose_error(m_dataStarted ? 2 : 1); }

private:
    bool handleEndings(const QByteArray &message);
    bool awaitingFinalByte() const { return m_lastPacketSent && !m_finalCheck.isEmpty() && !m_endSent; }
    void reportUnsentBytes();
    void handleStep(const QByteArray &message);
    void sendNextPacket(const QByteArray &number);
    void kindRequested();
    void fileOpen();
    // Shows the progress and sends one packet; `remaining` is what was left before it.
    void FILEsend(const QByteArray &packet, qint64 remaining);

    QString m_selectedFile;
    QString m_kind;
    QFile m_file;
    qint64 m_length = 0;
    qint64 m_progressStep = kPacketSize;
    qint64 m_progressCount = 0;

    bool m_dataStarted = false;
    bool m_lastPacketSent = false;
    qint32 m_expectedSize = 0;
    int m_packetCounter = 0;
    qint64 m_sentCount = 0;
    qint64 m_packetChecksum = 0;
    qint64 m_totalChecksum = 0;
    QString m_finalCheck;
    bool m_endSent = false;
};
