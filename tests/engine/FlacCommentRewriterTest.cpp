// The VORBIS_COMMENT block of our FLAC files, and its replacement in the stream
// that libFLAC writes.
#include "FlacCommentRewriter.h"

#include "NamedCase.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Block(unsigned char typeAndFlag, const Bytes& body)
{
    const size_t n = body.size();
    Bytes block = {typeAndFlag, static_cast<unsigned char>(n >> 16), static_cast<unsigned char>(n >> 8),
                   static_cast<unsigned char>(n)};
    block.insert(block.end(), body.begin(), body.end());
    return block;
}

Bytes Join(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

const Bytes kMarker = {'f', 'L', 'a', 'C'};
const Bytes kStreamInfo = Block(0x00, Bytes(34, 0x5A));
// libFLAC's own block: vendor "reference libFLAC 1.4.2 20221022", no comments.
const Bytes kLibraryComment = [] {
    const std::string vendor = "reference libFLAC 1.4.2 20221022";
    Bytes body = {static_cast<unsigned char>(vendor.size()), 0, 0, 0};
    body.insert(body.end(), vendor.begin(), vendor.end());
    body.insert(body.end(), {0, 0, 0, 0});
    return Block(0x84, body);
}();
// A first frame whose bytes look like block headers, to show they pass untouched.
const Bytes kFrames = {0xFF, 0xF8, 0x69, 0x18, 0x04, 0x00, 0x00, 0x28, 0x84, 0x00, 0x00, 0x11, 0x00};

TEST(GlintcastCommentBlockTest, HoldsVendorGlintcastAndNoComments)
{
    const Bytes expected = {0x84, 0x00, 0x00, 0x11,               // VORBIS_COMMENT, last, length 17
                            0x09, 0x00, 0x00, 0x00,               // vendor length 9, little-endian
                            'G',  'l',  'i',  'n',  't', 'c', 'a', 's', 't',
                            0x00, 0x00, 0x00, 0x00};              // no comments
    EXPECT_EQ(GlintcastCommentBlock(true), expected);
    EXPECT_EQ(GlintcastCommentBlock(false)[0], 0x04);
}

struct Chunking : NamedCase
{
    size_t piece;  // 0: the pieces libFLAC writes (marker, then each block, then frames)
};

class FlacCommentRewriterTest : public testing::TestWithParam<Chunking>
{
protected:
    Bytes RewriteInPieces(const Bytes& stream, const std::vector<size_t>& blockEnds)
    {
        FlacCommentRewriter rewriter;
        Bytes out;
        size_t at = 0;
        auto feed = [&](size_t end) {
            rewriter.Rewrite(stream.data() + at, end - at, out);
            at = end;
        };
        if (GetParam().piece == 0) {
            for (size_t end : blockEnds)
                feed(end);
            feed(stream.size());
        } else {
            while (at < stream.size())
                feed(std::min(stream.size(), at + GetParam().piece));
        }
        EXPECT_TRUE(rewriter.PassingThrough());
        return out;
    }
};

TEST_P(FlacCommentRewriterTest, ReplacesTheLibrarysCommentBlockAndNothingElse)
{
    const Bytes stream = Join({kMarker, kStreamInfo, kLibraryComment, kFrames});
    const Bytes out = RewriteInPieces(stream, {4, 4 + kStreamInfo.size(), 4 + kStreamInfo.size() + kLibraryComment.size()});
    EXPECT_EQ(out, Join({kMarker, kStreamInfo, GlintcastCommentBlock(true), kFrames}));
}

TEST_P(FlacCommentRewriterTest, KeepsBlocksAfterACommentThatIsNotLast)
{
    const Bytes comment = [] {
        Bytes block = kLibraryComment;
        block[0] = 0x04;
        return block;
    }();
    const Bytes padding = Block(0x81, Bytes(8, 0));
    const Bytes stream = Join({kMarker, kStreamInfo, comment, padding, kFrames});
    const size_t afterInfo = 4 + kStreamInfo.size();
    const Bytes out = RewriteInPieces(stream, {4, afterInfo, afterInfo + comment.size(),
                                               afterInfo + comment.size() + padding.size()});
    EXPECT_EQ(out, Join({kMarker, kStreamInfo, GlintcastCommentBlock(false), padding, kFrames}));
}

INSTANTIATE_TEST_SUITE_P(Pieces, FlacCommentRewriterTest,
                         testing::Values(Chunking{{"as_libFLAC_writes"}, 0}, Chunking{{"one_byte"}, 1},
                                         Chunking{{"three_bytes"}, 3}, Chunking{{"whole"}, 1 << 20}),
                         CaseName());

} // namespace
