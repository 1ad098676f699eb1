#pragma once

#include <QString>

#include <optional>

// Speed and time left of a transfer, from samples of the bytes moved. The
// clock starts at the first sample with bytes, so the greeting does not count.
class TransferRate {
public:
    void reset() { *this = TransferRate(); }
    // `done` of `total` bytes (total 0 while unknown) at `ms` on a steady clock.
    void sample(qint64 done, qint64 total, qint64 ms);

    qint64 done() const { return m_done; }
    qint64 total() const { return m_total; }
    // 0..100; 0 while the total is unknown.
    int percent() const;
    std::optional<double> bytesPerSecond() const;
    std::optional<qint64> secondsLeft() const;
    // "11520 bytes/s, 0:21 left"; empty until a speed is known.
    QString text() const;

private:
    qint64 m_done = 0;
    qint64 m_total = 0;
    qint64 m_firstDone = -1;
    qint64 m_firstMs = 0;
    qint64 m_lastMs = 0;
};

// Seconds as "m:ss", or "h:mm:ss" from an hour on.
QString durationText(qint64 seconds);
