#include "VersionSei.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A made-up first output of the encoder, NAL units one after another in one
// block as the encoder returns them.
struct EncoderOutput
{
    std::vector<uint8_t> block;
    std::vector<x264_nal_t> nals;

    void Add(int type, std::vector<uint8_t> body)
    {
        x264_nal_t nal{};
        nal.i_type = type;
        nal.i_payload = static_cast<int>(body.size() + 5);
        offsets.push_back(block.size());
        block.insert(block.end(), {0, 0, 0, 1, static_cast<uint8_t>(type)});
        block.insert(block.end(), body.begin(), body.end());
        nals.push_back(nal);
    }
    // Points the NAL units into the finished block.
    void Fix()
    {
        for (size_t i = 0; i < nals.size(); ++i)
            nals[i].p_payload = block.data() + offsets[i];
    }
    std::vector<uint8_t> Unit(size_t i) const
    {
        return {block.begin() + offsets[i], block.begin() + offsets[i] + nals[i].i_payload};
    }
    std::vector<size_t> offsets;
};

std::vector<uint8_t> Join(const std::vector<BytePiece>& pieces)
{
    std::vector<uint8_t> out;
    for (const auto& p : pieces)
        out.insert(out.end(), p.data, p.data + p.size);
    return out;
}

std::vector<uint8_t> Cat(std::initializer_list<std::vector<uint8_t>> parts)
{
    std::vector<uint8_t> out;
    for (const auto& p : parts)
        out.insert(out.end(), p.begin(), p.end());
    return out;
}

const std::vector<uint8_t> kOurs(kVersionSeiNal, kVersionSeiNal + sizeof kVersionSeiNal);

TEST(VersionSeiTest, TheUnitHoldsTheProgramsMessage)
{
    const std::vector<uint8_t> uuid = {0xdc, 0x45, 0xe9, 0xbd, 0xe6, 0xd9, 0x48, 0xb7,
                                       0x96, 0x2c, 0xd8, 0x20, 0xd9, 0x23, 0xee, 0xef};
    const std::string text = "Glintcast";
    std::vector<uint8_t> expected = {0, 0, 0, 1, 6, 5, 26};
    expected.insert(expected.end(), uuid.begin(), uuid.end());
    expected.insert(expected.end(), text.begin(), text.end());
    expected.insert(expected.end(), {0x00, 0x80});
    EXPECT_EQ(kOurs, expected);
}

TEST(VersionSeiTest, BannerIsReplacedAfterTheParameterSets)
{
    EncoderOutput out;
    out.Add(NAL_SPS, {0x64, 0x00, 0x1f});
    out.Add(NAL_PPS, {0xee, 0x3c});
    out.Add(NAL_SEI, {0x05, 0x03, 'x', '2', '6', 0x80});  // user data unregistered: the banner
    out.Add(NAL_SLICE_IDR, {0x88, 0x84});
    out.Add(NAL_SLICE_IDR, {0x9a, 0x00});
    out.Fix();
    const auto pieces = FirstAccessUnitPieces(out.nals.data(), static_cast<int>(out.nals.size()));
    EXPECT_EQ(Join(pieces), Cat({out.Unit(0), out.Unit(1), kOurs, out.Unit(3), out.Unit(4)}));
    EXPECT_EQ(pieces.size(), 3u) << "units next to each other in memory are written as one block";
}

TEST(VersionSeiTest, OtherSeiMessagesStayAndTheMessageComesBeforeTheFirstSlice)
{
    EncoderOutput out;
    out.Add(NAL_SPS, {0x64});
    out.Add(NAL_PPS, {0xee});
    out.Add(NAL_SEI, {0x06, 0x01, 0x00, 0x80});  // a recovery point: not a banner
    out.Add(NAL_SLICE_IDR, {0x88});
    out.Fix();
    const auto pieces = FirstAccessUnitPieces(out.nals.data(), static_cast<int>(out.nals.size()));
    EXPECT_EQ(Join(pieces), Cat({out.Unit(0), out.Unit(1), out.Unit(2), kOurs, out.Unit(3)}));
}

TEST(VersionSeiTest, PayloadTypeOfTheFirstMessage)
{
    const uint8_t shortCode[] = {0, 0, 1, 6, 5, 16};
    const uint8_t extended[] = {0, 0, 0, 1, 6, 0xFF, 0xFF, 2, 1};
    const uint8_t truncated[] = {0, 0, 0, 1, 6};
    EXPECT_EQ(FirstSeiPayloadType(shortCode, sizeof shortCode), 5);
    EXPECT_EQ(FirstSeiPayloadType(extended, sizeof extended), 512);
    EXPECT_EQ(FirstSeiPayloadType(truncated, sizeof truncated), -1);
}

} // namespace
