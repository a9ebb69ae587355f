// A video recording whose file cannot be created or written: the loop stops the
// recording with a message, and the file keeps every whole picture that reached
// the disk. The disk fills up through FullVolume, a link-time wrapper of the C
// library's write that this program is linked with.
#include "FileFailureMessage.h"
#include "FullVolume.h"
#include "Globals.h"
#include "H264Stream.h"
#include "RecordingFixture.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <vector>

using fakes::AcquireStep;
using fakes::NewFrame;
using fakes::TimedOut;

namespace {

constexpr int kFps = 30;
constexpr int64_t kMiB = 1 << 20;

// Noise codes into large pictures, so that a few of them fill a writer buffer.
std::shared_ptr<fakes::Picture> Noise(int w, int h, unsigned seed)
{
    auto p = std::make_shared<fakes::Picture>(w, h);
    std::mt19937 random(seed);
    for (uint32_t& pixel : p->pixels)
        pixel = 0xFF000000u | (random() & 0xFFFFFFu);
    return p;
}

class RecordingFileFailureTest : public RecordingFixture
{
protected:
    void ExpectTheFileBox()
    {
        const auto shown = boxes.Boxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, RecordingFileFailureText(StreamPath()));
        EXPECT_EQ(shown[0].caption, L"错误");
        EXPECT_EQ(shown[0].owner, nullptr);
        EXPECT_TRUE(shown[0].IsPlainOk());
        EXPECT_EQ(shown[0].threadId, RecordThreadId());
        EXPECT_TRUE(g_stopRecording);
    }
};

// A file that cannot be created stops the recording before anything is captured.
TEST_F(RecordingFileFailureTest, FileThatCannotBeCreatedStopsAtOnce)
{
    ASSERT_TRUE(CreateDirectoryW(StreamPath().c_str(), nullptr));  // a folder of the file's name
    system->Push({NewFrame(Blocks(64, 48, 1)), NewFrame(Blocks(64, 48, 2))});
    Record(kFps);
    ExpectTheFileBox();
    EXPECT_EQ(system->CountCalls("AcquireNextFrame"), 0);
    EXPECT_EQ(system->StepsLeft(), 2u);
}

// The disk fills while a full buffer is written: the loop learns of it at its
// next pass, stops with the message, and the file holds whole pictures only,
// which decode without complaint.
TEST_F(RecordingFileFailureTest, DiskFillingDuringTheRecordingStopsIt)
{
    constexpr int kW = 1280;
    constexpr int kH = 720;
    UseOutputs({{0, 0, kW, kH}});
    const std::shared_ptr<fakes::Picture> pictures[] = {Noise(kW, kH, 1), Noise(kW, kH, 2), Noise(kW, kH, 3)};
    system->Push(NewFrame(pictures[0]));  // the priming acquire
    const size_t slots = 40;              // far more than the 20 MiB of a buffer
    for (size_t i = 0; i < slots; ++i)
        system->Push(NewFrame(pictures[i % 3]));
    FullVolume volume(5 * kMiB);
    Record(kFps);
    ExpectTheFileBox();
    EXPECT_GT(system->StepsLeft(), 0u) << "the loop stopped at the failure, not at the script's end";
    EXPECT_GT(volume.RefusedCalls(), 0);

    const std::vector<uint8_t> stream = Stream();
    EXPECT_LE(static_cast<int64_t>(stream.size()), 5 * kMiB);
    const int kept = CheckRecordedStream(stream, kFps, kW, kH);
    ASSERT_GE(kept, 1);
    const DecodedStream decoded = DecodeStream(StreamPath(), kW, kH);
    EXPECT_EQ(decoded.exitCode, 0);
    EXPECT_EQ(decoded.messages, "");
    ASSERT_EQ(decoded.Pictures(), kept);
    for (int i = 0; i < kept; ++i)
        EXPECT_LT(decoded.Difference(i, pictures[i % 3]->pixels), 12.0) << "picture " << i;
}

// The last write, at the end of the recording, fails: the file is cut back to
// its whole pictures, and the box comes after it was closed.
TEST_F(RecordingFileFailureTest, DiskFillingAtTheEndIsReportedAfterTheClose)
{
    const auto script = [&] {
        system->Push(NewFrame(Blocks(64, 48, 9)));
        for (int i = 0; i < 6; ++i)
            system->Push(NewFrame(Blocks(64, 48, i)));
    };
    // The same recording once with room enough, to know where its pictures end
    // (the encoder is deterministic).
    script();
    Record(kFps);
    const std::vector<uint8_t> whole = Stream();
    ASSERT_EQ(CheckRecordedStream(whole, kFps, 64, 48), 6);
    // A picture begins with the parameter sets before a keyframe, or with its
    // first slice (first_mb_in_slice 0, coded as a single 1 bit).
    std::vector<size_t> pictureEnds;
    const std::vector<NalUnit> units = SplitAnnexB(whole);
    for (size_t i = 1; i < units.size(); ++i) {
        const bool slice = units[i].type == 1 || units[i].type == 5;
        const bool afterHeaders = units[i - 1].type == 6 || units[i - 1].type == 7 || units[i - 1].type == 8;
        if (units[i].type == 7 || (slice && !afterHeaders && (units[i].rbsp.at(0) & 0x80)))
            pictureEnds.push_back(units[i].offset);
    }
    pictureEnds.push_back(whole.size());
    ASSERT_EQ(pictureEnds.size(), 6u);
    ASSERT_TRUE(boxes.Boxes().empty());

    g_stopRecording = false;
    int64_t sizeWhenShown = -1;
    boxes.SetPolicy([&](const MessageBoxRecord&) {
        sizeWhenShown = FileSize(StreamPath());
        return IDOK;
    });
    script();
    {
        FullVolume volume(static_cast<int64_t>(pictureEnds[2]) + 10);
        Record(kFps);
    }
    ExpectTheFileBox();
    const std::vector<uint8_t> kept = Stream();
    EXPECT_EQ(kept, std::vector<uint8_t>(whole.begin(), whole.begin() + pictureEnds[2]));
    EXPECT_EQ(sizeWhenShown, static_cast<int64_t>(pictureEnds[2])) << "the box comes once the file is closed";
    const DecodedStream decoded = DecodeStream(StreamPath(), 64, 48);
    EXPECT_EQ(decoded.messages, "");
    EXPECT_EQ(decoded.Pictures(), 3);
}

} // namespace
