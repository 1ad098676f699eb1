#pragma once

#include "link/TransferSession.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;
class QTimer;
class ReceiverLink;

// The modal transfer window. It owns the transfer session for one transfer and
// shows what the engine reports; the receiver's messages drive it.
class frmProgress1 : public QDialog {
    Q_OBJECT
public:
    frmProgress1(ReceiverLink &link, TransferRequest request, const TransferTimings &timings = {},
                 QWidget *parent = nullptr);
    ~frmProgress1() override;

    // Applies the port number, the line settings and the flow control of the
    // mode, then records them under "Properties". False when the port was refused.
    bool RS232_Connect();
    // Opens a closed transfer port (and greets the receiver) or closes an open one.
    void portOpen();
    // Centred across the main window, with its top at the main window's middle.
    void placeOver(const QWidget *main);

    ReceiverPort &port() { return m_session.port(); }
    TransferEngine &engine() { return m_session.engine(); }
    const QString &lastEvent() const { return m_session.lastEvent(); }
    const QString &lastError() const { return m_session.lastError(); }
    TransferOutcome outcome() const { return m_session.outcome(); }

public Q_SLOTS:
    void reject() override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildControls();
    void place();
    void refresh();
    void onEnded(TransferEnd how);
    void cmdCancel_Click();
    void Timer4_Timer();
    void DoMyWork();

    ReceiverLink &m_link;
    TransferTimings m_timings;
    TransferSession m_session;
    QPointer<const QWidget> m_placeOver;
    bool m_closing = false;
    bool m_converting = false;

    QLabel *Label1 = nullptr;
    QProgressBar *prsUpload = nullptr;
    QLabel *lblPer = nullptr;
    QLabel *lblStatus = nullptr;
    QLabel *lblRate = nullptr;  // speed and time left while packets flow
    QPushButton *cmdCancel = nullptr;
    QTimer *Timer4 = nullptr;
};
