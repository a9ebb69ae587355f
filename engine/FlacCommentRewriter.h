#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The VORBIS_COMMENT metadata block of our FLAC files, header included: vendor
// string "Glintcast" and no comments; isLast sets the last-block flag.
std::vector<unsigned char> GlintcastCommentBlock(bool isLast);

// Stands between the FLAC encoder and the file. libFLAC writes a vendor string of
// its own into the VORBIS_COMMENT block; this passes the stream through unchanged
// except for that block, which becomes GlintcastCommentBlock with the same
// last-block flag. The encoder may hand the stream over in pieces of any size.
class FlacCommentRewriter
{
public:
    // True once the metadata has gone by: from then on output equals input.
    bool PassingThrough() const { return m_stage == Stage::Audio; }

    // Appends to out what goes to the file for these bytes of the stream.
    void Rewrite(const unsigned char* data, size_t size, std::vector<unsigned char>& out);

private:
    enum class Stage { Marker, BlockHeader, BlockBody, Audio };

    void StartBlock(std::vector<unsigned char>& out);

    Stage m_stage = Stage::Marker;
    unsigned char m_header[4] = {};
    size_t m_have = 0;        // bytes of the marker or of a block header seen so far
    uint32_t m_bodyLeft = 0;  // bytes of the current block's body still to come
    bool m_dropBody = false;
    bool m_lastBlock = false;
};
