#include "SlotMeter.h"

void SlotMeter::OnCounterRead(int64_t now, int64_t idle)
{
    // The pass of the last encode ends at the next counter read: what lies
    // after the encoder (the writer) belongs to it.
    if (m_pending) {
        m_overhead.push_back(m_before + (now - m_encodeEnd));
        m_pending = false;
    }
    m_passStart = now;
    m_idleAtPassStart = idle;
}

void SlotMeter::OnEncode(int64_t start, int64_t end, int64_t idle, bool fresh, bool ok)
{
    m_encode.push_back(end - start);
    if (!ok)
        return;
    ++m_written;
    ++(fresh ? m_fresh : m_repeated);
    if (m_passStart >= 0) {
        m_before = (start - m_passStart) - (idle - m_idleAtPassStart);
        m_encodeEnd = end;
        m_pending = true;
    }
}
