#pragma once

#include <cstdint>
#include <memory>

// Where the blocks in one write buffer end: one bit per byte of the buffer, so
// every end is kept exactly however small the blocks are, in memory fixed when
// the buffer is made (an eighth of its size), and marking never allocates.
class BlockEnds
{
public:
    // Room for ends 1 to capacity; Ready() tells whether the memory was there.
    explicit BlockEnds(int64_t capacity);

    bool Ready() const { return bool(m_bits); }
    // Forgets every end, for a buffer that is filled again.
    void Clear();
    // A block ends at this offset from the buffer's start (1 to capacity), at or
    // after every end marked before it.
    void Mark(int64_t end);
    // The largest end marked at or before offset, or 0 when there is none.
    int64_t LastWithin(int64_t offset) const;

private:
    std::unique_ptr<uint64_t[]> m_bits;
    int64_t m_capacity = 0;
    int64_t m_last = 0;  // the latest end marked; every bit above it is clear
};
