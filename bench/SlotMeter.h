#pragma once

#include <cstdint>
#include <vector>

// Splits the record loop's time, as seen from the counter reads that begin its
// passes and from the encoder calls, into encoder time and the rest of each
// pass's work. Waits inside the fake duplication (the desktop has no new frame
// yet) and the fake desktop's own drawing are not the recorder's work and are
// left out. All calls come from the record thread.
class SlotMeter
{
public:
    // A counter read at count now; idle is what the fakes have spent so far.
    void OnCounterRead(int64_t now, int64_t idle);
    // An encoder call from start to end; fresh when a new desktop frame was
    // handed out since the previous call.
    void OnEncode(int64_t start, int64_t end, int64_t idle, bool fresh, bool ok);

    const std::vector<int64_t>& EncodeTicks() const { return m_encode; }
    const std::vector<int64_t>& OverheadTicks() const { return m_overhead; }
    int64_t Fresh() const { return m_fresh; }
    int64_t Repeated() const { return m_repeated; }
    int64_t Written() const { return m_written; }

private:
    int64_t m_passStart = -1;
    int64_t m_idleAtPassStart = 0;
    bool m_pending = false;
    int64_t m_before = 0;     // work of the pending pass before its encode
    int64_t m_encodeEnd = 0;
    std::vector<int64_t> m_encode;
    std::vector<int64_t> m_overhead;
    int64_t m_fresh = 0;
    int64_t m_repeated = 0;
    int64_t m_written = 0;
};
