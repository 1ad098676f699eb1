#pragma once

#include "link/TransferEngine.h"

#include <QSaveFile>

#include <memory>

// The program's side of a channel download: 64 packets, each announced by its
// number as text and acknowledged with its checksum as four digits, then one
// byte with the total checksum. The image goes to a temporary file beside
// SelectedFile and replaces it only when that byte has confirmed it.
class DownloadEngine : public TransferEngine {
    Q_OBJECT
public:
    DownloadEngine(TransferWire &wire, QString selectedFile, QObject *parent = nullptr);
    ~DownloadEngine() override;

    void handleMessage(const QByteArray &message) override;
    qint64 bytesDone() const override { return m_receivedBytes; }
    qint64 bytesTotal() const override;

    // Removes the temporary file of a download that did not complete.
    void discardTemporary();
    // The downloaded image could not be converted: closing must not report success.
    void conversionFailed() { setButtonText(QStringLiteral("Error")); }

    bool readyReceived() const { return m_readyReceived; }
    bool expectData() const { return m_expectData; }
    bool downloadComplete() const { return m_downloadComplete; }
    int packetNumber() const { return m_packetNumber; }
    qint64 totalChecksum() const { return m_totalChecksum; }
    const QString &finalCheck() const { return m_finalCheck; }

private:
    void startRound();
    void dataPacket(const QByteArray &message);
    void lastPacket();
    void finalByteMatched();

    QString m_selectedFile;
    std::unique_ptr<QSaveFile> m_temporary;
    QByteArray m_data;

    bool m_readyReceived = false;
    bool m_expectData = false;
    bool m_downloadComplete = false;
    bool m_fileReplaced = false;
    int m_downloadPackets = 64;
    int m_packetNumber = 0;
    qint64 m_totalChecksum = 0;
    qint64 m_receivedBytes = 0;
    int m_receivedPackets = 0;
    QString m_finalCheck;
};
