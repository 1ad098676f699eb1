#include "link/TransferEngine.h"

#include "link/TransferKinds.h"

TransferEngine::TransferEngine(TransferWire &wire, QObject *parent) : QObject(parent), m_wire(wire)
{
}

void TransferEngine::portOpened(bool ok)
{
    if (!ok)
        m_portOk = false;
}

void TransferEngine::watchdogTick()
{
    ++m_watchdogTicks;
    if (!m_portOk) {
        // Repeats on every tick until the window is closed.
        noteFault(TransferFault::PortLost);
        board(QStringLiteral("Port  error... "));
        FILEclose_error2();
        return;
    }
    if (m_watchdogTicks < 6)
        return;
    m_watchdogTicks = 0;
    if (!m_ended) {
        noteFault(TransferFault::TimedOut);
        board(QStringLiteral("Error !!! Please turn OFF then ON the receiver to reset. "));
        FILEclose_error(1);
    }
}

void TransferEngine::finalCheckFailed(quint8 received, const QString &ours)
{
    noteFault(TransferFault::ChecksumFailed);
    board(QStringLiteral("Final check failed: the receiver has %1, %2").arg(finalCheckText(received), ours));
    closeWithError();
}

void TransferEngine::sendFailed(const QString &error)
{
    if (m_ended)
        return;
    noteFault(TransferFault::SendError);
    Q_EMIT fileError(error);
    closeWithError();
}

bool TransferEngine::cancelClicked()
{
    if (m_view.buttonText != QLatin1String("OK")) {
        if (!m_ended)
            noteFault(TransferFault::Cancelled);
        stopTransfer();
        m_ended = true;
        return false;
    }
    m_portOk = true;
    return true;
}

void TransferEngine::stopTransfer()
{
    closeFile();
    m_wire.clearTransmit();
    m_stop = true;
}

void TransferEngine::finish(TransferEnd how)
{
    m_ended = true;
    Q_EMIT ended(how);
}

void TransferEngine::closeWith(const QString &percentText, const QString &buttonText, TransferEnd how)
{
    stopTransfer();
    setPercentText(percentText);
    setButtonText(buttonText);
    finish(how);
}

void TransferEngine::FILEclose()
{
    closeWith(QStringLiteral("              transfer completed"), QStringLiteral("OK"), TransferEnd::Completed);
}

void TransferEngine::FILEclose_error(int flag)
{
    closeWith(flag == 1 ? QStringLiteral("Transfer Error") : QStringLiteral("                   Transfer Error"),
              QStringLiteral("Error"), TransferEnd::Failed);
}

void TransferEngine::FILEclose_error2()
{
    closeWith(QStringLiteral(" Port Error.."), QStringLiteral("Error"), TransferEnd::Failed);
}

void TransferEngine::setPercentText(const QString &text)
{
    m_view.percentText = text;
    Q_EMIT viewChanged();
}

void TransferEngine::setProgress(int value, int maximum)
{
    m_view.progressMax = maximum;
    m_view.progressValue = value;
    Q_EMIT viewChanged();
}

void TransferEngine::setProgressValue(int value)
{
    m_view.progressValue = value;
    Q_EMIT viewChanged();
}

void TransferEngine::setStatusText(const QString &text)
{
    m_view.statusText = text;
    Q_EMIT viewChanged();
}

void TransferEngine::setButtonText(const QString &text)
{
    m_view.buttonText = text;
    Q_EMIT viewChanged();
}
