#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <fcntl.h>
#include <pty.h>
#include <termios.h>
#include <unistd.h>

// A pseudo-terminal pair: the tool opens the slave side as its serial port, the
// test plays the receiver on the master side.
class PtyPair {
public:
    PtyPair()
    {
        char name[256] = {};
        if (openpty(&m_master, &m_slave, name, nullptr, nullptr) == 0) {
            m_slaveName = QString::fromLocal8Bit(name);
            termios raw{};
            tcgetattr(m_slave, &raw);
            cfmakeraw(&raw);
            tcsetattr(m_slave, TCSANOW, &raw);
            fcntl(m_master, F_SETFL, fcntl(m_master, F_GETFL) | O_NONBLOCK);
        }
    }
    ~PtyPair() { hangUp(); }

    // Closes the receiver's side, as an unplugged adapter would.
    void hangUp()
    {
        if (m_master >= 0)
            ::close(m_master);
        if (m_slave >= 0)
            ::close(m_slave);
        m_master = m_slave = -1;
    }
    PtyPair(const PtyPair &) = delete;
    PtyPair &operator=(const PtyPair &) = delete;

    bool ok() const { return m_master >= 0; }
    QString slaveName() const { return m_slaveName; }

    // Links `linkPath` (e.g. <program dir>/Com1) to the slave side.
    bool linkAs(const QString &linkPath) const { return QFile::link(m_slaveName, linkPath); }

    bool send(const QByteArray &bytes) const
    {
        return ::write(m_master, bytes.constData(), size_t(bytes.size())) == bytes.size();
    }

    QByteArray receive() const
    {
        QByteArray all;
        char buffer[4096];
        for (;;) {
            const ssize_t n = ::read(m_master, buffer, sizeof buffer);
            if (n <= 0)
                break;
            all.append(buffer, n);
        }
        return all;
    }

private:
    int m_master = -1;
    int m_slave = -1;  // kept open so the master never sees a hang-up between opens
    QString m_slaveName;
};
