#include "BlockEnds.h"

#include <cstring>
#include <new>

namespace {

int64_t Words(int64_t bits) { return bits / 64 + 1; }

int HighestBit(uint64_t word) { return 63 - __builtin_clzll(word); }

} // namespace

BlockEnds::BlockEnds(int64_t capacity)
    : m_bits(new (std::nothrow) uint64_t[Words(capacity)]), m_capacity(capacity)
{
    if (m_bits)
        std::memset(m_bits.get(), 0, static_cast<size_t>(Words(capacity)) * sizeof(uint64_t));
}

void BlockEnds::Clear()
{
    // Only the words up to the latest end can hold a bit.
    if (m_bits)
        std::memset(m_bits.get(), 0, static_cast<size_t>(Words(m_last)) * sizeof(uint64_t));
    m_last = 0;
}

void BlockEnds::Mark(int64_t end)
{
    if (!m_bits || end <= 0 || end > m_capacity)
        return;
    m_bits[end / 64] |= uint64_t{1} << (end % 64);
    m_last = end;
}

int64_t BlockEnds::LastWithin(int64_t offset) const
{
    if (!m_bits || offset <= 0)
        return 0;
    if (offset > m_last)
        offset = m_last;
    int64_t word = offset / 64;
    // Bits up to and including offset in its own word.
    const int bit = static_cast<int>(offset % 64);
    uint64_t bits = m_bits[word] & (bit == 63 ? ~uint64_t{0} : (uint64_t{1} << (bit + 1)) - 1);
    while (bits == 0) {
        if (word == 0)
            return 0;
        bits = m_bits[--word];
    }
    return word * 64 + HighestBit(bits);
}
