#include "FlacCommentRewriter.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr size_t kMarkerSize = 4;  // "fLaC"
constexpr size_t kHeaderSize = 4;  // last flag and type, then a 24-bit big-endian length
constexpr unsigned char kLastFlag = 0x80;
constexpr unsigned char kVorbisComment = 4;
constexpr char kVendor[] = "Glintcast";

void PutLE32(std::vector<unsigned char>& out, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(static_cast<unsigned char>(value >> (8 * i)));
}

} // namespace

std::vector<unsigned char> GlintcastCommentBlock(bool isLast)
{
    const uint32_t vendorLength = sizeof kVendor - 1;
    const uint32_t length = 4 + vendorLength + 4;
    std::vector<unsigned char> block = {
        static_cast<unsigned char>(kVorbisComment | (isLast ? kLastFlag : 0)),
        static_cast<unsigned char>(length >> 16), static_cast<unsigned char>(length >> 8),
        static_cast<unsigned char>(length)};
    PutLE32(block, vendorLength);
    block.insert(block.end(), kVendor, kVendor + vendorLength);
    PutLE32(block, 0);  // no comments
    return block;
}

void FlacCommentRewriter::Rewrite(const unsigned char* data, size_t size, std::vector<unsigned char>& out)
{
    while (size > 0) {
        size_t used = size;
        switch (m_stage) {
        case Stage::Marker:
            used = std::min(size, kMarkerSize - m_have);
            out.insert(out.end(), data, data + used);
            m_have += used;
            if (m_have == kMarkerSize) {
                m_have = 0;
                m_stage = Stage::BlockHeader;
            }
            break;
        case Stage::BlockHeader:
            used = std::min(size, kHeaderSize - m_have);
            std::memcpy(m_header + m_have, data, used);
            m_have += used;
            if (m_have == kHeaderSize)
                StartBlock(out);
            break;
        case Stage::BlockBody:
            used = std::min<size_t>(size, m_bodyLeft);
            if (!m_dropBody)
                out.insert(out.end(), data, data + used);
            m_bodyLeft -= static_cast<uint32_t>(used);
            if (m_bodyLeft == 0)
                m_stage = m_lastBlock ? Stage::Audio : Stage::BlockHeader;
            break;
        case Stage::Audio:
            out.insert(out.end(), data, data + size);
            break;
        }
        data += used;
        size -= used;
    }
}

void FlacCommentRewriter::StartBlock(std::vector<unsigned char>& out)
{
    m_have = 0;
    m_lastBlock = (m_header[0] & kLastFlag) != 0;
    m_bodyLeft = uint32_t(m_header[1]) << 16 | uint32_t(m_header[2]) << 8 | m_header[3];
    m_dropBody = (m_header[0] & ~kLastFlag) == kVorbisComment;
    if (m_dropBody) {
        const auto block = GlintcastCommentBlock(m_lastBlock);
        out.insert(out.end(), block.begin(), block.end());
    } else {
        out.insert(out.end(), m_header, m_header + kHeaderSize);
    }
    m_stage = m_bodyLeft > 0 ? Stage::BlockBody : m_lastBlock ? Stage::Audio : Stage::BlockHeader;
}
