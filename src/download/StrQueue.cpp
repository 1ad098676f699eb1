#include "download/StrQueue.h"

void StrQueue::Class_Initialize()
{
    m_slots = QList<QByteArray>(11);
    m_current = 0;
    m_total = 0;
}

QByteArray StrQueue::AddItem(const QByteArray &ByteStrIn, bool Flag)
{
    if (Flag) {
        m_current = 0;
    } else if (m_current > MAXQ()) {
        m_slots.resize(m_current + 10);
    }
    m_slots[m_current] = ByteStrIn;
    m_total += ByteStrIn.size();
    ++m_current;
    return {};
}

void StrQueue::ClearQ(qint32 indx)
{
    if (indx >= 0 && indx < m_slots.size())
        m_slots[indx] = QByteArray();
}

void StrQueue::Class_Terminate()
{
    m_slots = QList<QByteArray>(1);
    m_current = 0;
    m_total = 0;
}
