#pragma once

#include <QByteArray>
#include <QList>

// The chunk queue of one reply: received pieces stay as they came until the
// receive timer moves them on, so arrival costs no copy.
class StrQueue {
public:
    StrQueue() { Class_Initialize(); }
    ~StrQueue() { Class_Terminate(); }

    void Class_Initialize();
    // Flag false appends (growing by 10 slots when full); true restarts at slot 0.
    QByteArray AddItem(const QByteArray &ByteStrIn, bool Flag);
    QByteArray GetQ(qint32 indx) const { return m_slots.value(indx); }
    const QByteArray &slot(qint32 indx) const { return m_slots.at(indx); }
    void ClearQ(qint32 indx);
    qint32 MAXQ() const { return qint32(m_slots.size()) - 1; }
    qint32 MINQ() const { return 0; }
    qint64 TotalBytes() const { return m_total; }
    qint32 GetCurrentIdx() const { return m_current - 1; }
    void Class_Terminate();

private:
    QList<QByteArray> m_slots;
    qint32 m_current = 0;
    qint64 m_total = 0;  // 64 bits: the pieces of a long reply may pass 2 GiB in all
};
