#pragma once

#include "link/ReceiverPort.h"
#include "link/TransferEngine.h"

#include <QDialog>
#include <QPointer>

#include <memory>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class ReceiverLink;

// Timer intervals of the transfer window; tests may shorten them.
struct TransferTimings {
    int watchdogFirstMs = 3000;  // Timer3 until the first notification
    int watchdogMs = 8000;       // Timer3 from then on
    int autoCloseMs = 500;       // Timer4
};

// The modal transfer window. It owns the transfer port for one transfer and
// shows what the transfer engine reports; the receiver's messages drive it.
class frmProgress1 : public QDialog {
    Q_OBJECT
public:
    // Takes SelectedFile, hSerialMode and hDataMode from the link.
    explicit frmProgress1(ReceiverLink &link, const TransferTimings &timings = {}, QWidget *parent = nullptr);
    ~frmProgress1() override;

    // Applies the port number, the line settings and the flow control of the
    // mode, then records them under "Properties". False when the port was refused.
    bool RS232_Connect();
    // Opens a closed transfer port (and greets the receiver) or closes an open one.
    void portOpen();
    // Centred across the main window, with its top at the main window's middle.
    void placeOver(const QWidget *main);

    ReceiverPort &port() { return m_port; }
    TransferEngine &engine() { return *m_engine; }
    const QString &lastEvent() const { return m_lastEvent; }
    const QString &lastError() const { return m_lastError; }

public Q_SLOTS:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    class PortWire;

    void buildControls();
    void place();
    void refresh();
    void onEnded(TransferEnd how);
    void onNotification();
    void onLineEvent(int code);
    void onPortLost(const QString &error);
    void cmdCancel_Click();
    void Timer3_Timer();
    void Timer4_Timer();
    void DoMyWork();

    ReceiverLink &m_link;
    TransferTimings m_timings;
    ReceiverPort m_port;
    std::unique_ptr<PortWire> m_wire;
    std::unique_ptr<TransferEngine> m_engine;
    QPointer<const QWidget> m_placeOver;
    bool m_closing = false;
    bool m_converting = false;
    QString m_lastEvent;
    QString m_lastError;

    QLabel *Label1 = nullptr;
    QProgressBar *prsUpload = nullptr;
    QLabel *lblPer = nullptr;
    QLabel *lblStatus = nullptr;
    QPushButton *cmdCancel = nullptr;
    QTimer *Timer3 = nullptr;
    QTimer *Timer4 = nullptr;
};
