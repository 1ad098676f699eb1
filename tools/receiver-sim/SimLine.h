#pragma once

#include <QByteArray>

#include <chrono>
#include <stdexcept>

using SimClock = std::chrono::steady_clock;

// Thrown out of a wait when the far side starts over ("C0FF" after a pause),
// when the program is asked to stop, or when the line is gone.
struct SimRestart {};
struct SimStop {};

// The receiver's end of the serial line: a pseudo-terminal master or a device.
// Sends whole messages with a pause before each one, so the far side (which
// cuts messages on 20 ms of silence) sees them apart, and can pace both
// directions to a given line rate.
class SimLine {
public:
    SimLine(int fd, int baud, int gapMs);

    // Sends one message: waits until `gapMs` have passed since the last one
    // ended, then writes it at line rate.
    void sendMessage(const QByteArray &message);
    // Writes at line rate without the pause (the rest of a split packet).
    void sendRaw(const QByteArray &bytes);
    void pause(int ms);

    // Reads exactly `count` bytes. Throws SimRestart when only "C0FF" came and
    // then nothing for a while: the program started a new transfer.
    QByteArray readExact(qsizetype count);
    // Reads until one of `words` (4 bytes each) appears, dropping what comes
    // before it; "C0FF" throws SimRestart unless it is one of the words.
    QByteArray readWord(const QList<QByteArray> &words);
    // Drops what has been received so far.
    void drop();
    // Reads and drops everything until the program starts over.
    [[noreturn]] void mute();

    // When the last byte read would have arrived on a real wire, and when the
    // first byte of the current read came.
    SimClock::time_point firstByteTime() const { return m_firstByte; }
    SimClock::time_point lastSendEnd() const { return m_lastSendEnd; }

    void hangUp();

private:
    bool fill(int timeoutMs);  // false on timeout
    void waitUntil(SimClock::time_point t);
    void writeAll(const char *data, qsizetype size);

    int m_fd;
    double m_bytesPerSecond;  // 0: as fast as the line takes them
    int m_gapMs;
    bool m_heardSinceSend = false;
    QByteArray m_buffer;
    SimClock::time_point m_lastSendEnd{};
    SimClock::time_point m_inputDone{};
    SimClock::time_point m_firstByte{};
};

extern volatile int g_simStop;
