// The sound record loop writing onto a volume that fills up. This program is
// linked with the C library's file calls wrapped (see CMakeLists.txt), so that
// the chosen file takes only so many bytes, as a full disk does; the engine,
// libFLAC and the file sink are the real ones.
#include "AudioCapture.h"

#include "AudioRecordingFixture.h"
#include "FileFailureMessage.h"
#include "FillingVolume.h"
#include "FlacSamples.h"
#include "Globals.h"
#include "MessageBoxWatcher.h"
#include "NamedCase.h"
#include "NativeTool.h"
#include "Tmpfs.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr size_t kChannels = 2;       // the fake microphone's stream
constexpr size_t kBlockFrames = 4096; // libFLAC's block at its default level


class AudioWriteFailureFixture : public AudioRecordingFixture
{
protected:
    // The sound arrives one block per pass, in packets of at most one block.
    void Script(const Samples& sound)
    {
        const size_t step = kBlockFrames * kChannels;
        for (size_t at = 0; at < sound.size(); at += step) {
            const size_t end = std::min(sound.size(), at + step);
            capture.AddPass(Pass({Packet(Samples(sound.begin() + at, sound.begin() + end))}));
        }
    }

    // The size of the file that a recording of sound writes where nothing fills up.
    int64_t SizeOfRecording(AudioCapture& engine, const Samples& sound)
    {
        const std::wstring path = dir.File(L"free-" + std::to_wstring(++m_freeRuns) + L".flac");
        capture.SetStopWhenScriptEnds(true);
        Script(sound);
        engine.RecordToFlac(path);
        g_stopRecording = false;
        return FileSize(path);
    }

    void ExpectFileBox(const std::vector<MessageBoxRecord>& boxes, const std::wstring& path)
    {
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, RecordingFileFailureText(path));
        EXPECT_EQ(boxes[0].caption, L"错误");
        EXPECT_TRUE(boxes[0].IsPlainOk());
        EXPECT_EQ(boxes[0].owner, nullptr);
        EXPECT_EQ(boxes[0].threadId, RecordThreadId());
    }

private:
    int m_freeRuns = 0;
};

Samples FirstFrames(const Samples& sound, size_t frames)
{
    return Samples(sound.begin(), sound.begin() + frames * kChannels);
}

// Where in the stream the volume fills up: in the middle of the frame of the
// block failingFrame (the part fill of it still fits), the frames before it
// whole. The last frame, shorter, is written when the stop finishes the stream.
struct FillingCase : NamedCase
{
    size_t blocks;       // whole blocks recorded
    size_t extraFrames;  // and this many frames more
    size_t failingFrame;
    double fill;
    bool failsAtTheStop;
};

class AudioWriteFailureTest : public AudioWriteFailureFixture, public testing::WithParamInterface<FillingCase>
{
};

TEST_P(AudioWriteFailureTest, StopsOnceWithTheFileBoxAndCutsTheFileBackToWholeFrames)
{
    const FillingCase& c = GetParam();
    const Samples sound = Noise((c.blocks * kBlockFrames + c.extraFrames) * kChannels, 7);
    auto engine = Engine();
    // libFLAC codes each block on its own: a recording of the first k blocks
    // ends where the frame of block k begins in the whole one.
    const size_t framesBefore = c.failingFrame * kBlockFrames;
    const int64_t frameStart = SizeOfRecording(*engine, FirstFrames(sound, framesBefore));
    const size_t framesUpTo = std::min(framesBefore + kBlockFrames, sound.size() / kChannels);
    const int64_t frameEnd = SizeOfRecording(*engine, FirstFrames(sound, framesUpTo));
    ASSERT_GT(frameEnd, frameStart);
    ASSERT_EQ(audio.Log().Misuses(), std::vector<std::string>());

    MessageBoxWatcher watcher;
    const std::wstring path = dir.File(L"sound.flac");
    FillingVolume volume(path, frameStart + static_cast<int64_t>((frameEnd - frameStart) * c.fill));
    capture.SetStopWhenScriptEnds(c.failsAtTheStop);
    Script(sound);
    ASSERT_TRUE(RecordEndsByItself(*engine, path)) << "the recording went on after the file failed";

    EXPECT_TRUE(g_stopRecording);
    ExpectFileBox(watcher.Boxes(), path);
    EXPECT_EQ(volume.RefusedWrites(), 1) << "nothing is written after the failure";
    EXPECT_FALSE(client.Started());
    EXPECT_EQ(audio.Log().Calls().back(), "Client.Reset");
    EXPECT_EQ(audio.Log().Misuses(), std::vector<std::string>());
    EXPECT_EQ(FileSize(path), frameStart);
    const NativeResult test = RunNative("flac -t -s " + ShellQuote(UnixPath(path)));
    EXPECT_EQ(test.exitCode, 0) << test.output;
    EXPECT_EQ(DecodeFlacSamples(path), FirstFrames(sound, framesBefore));
}

INSTANTIATE_TEST_SUITE_P(
    Places, AudioWriteFailureTest,
    testing::Values(FillingCase{{"first_frame"}, 6, 1000, 0, 0.5, false},
                    FillingCase{{"deep_in_the_stream"}, 12, 1000, 9, 0.5, false},
                    FillingCase{{"full_right_at_a_frame_end"}, 6, 0, 3, 0.0, false},
                    FillingCase{{"last_frame_at_the_stop"}, 3, 1000, 3, 0.5, true}),
    CaseName());

// A volume full before the first frame fails the encoder's initialisation,
// which writes the stream's header: that is the file's box, since the encoder
// itself is fine.
TEST_F(AudioWriteFailureFixture, VolumeFullInTheHeaderGivesTheFileMessage)
{
    auto engine = Engine();
    MessageBoxWatcher watcher;
    const std::wstring path = dir.File(L"sound.flac");
    FillingVolume volume(path, 30);
    capture.SetStopWhenScriptEnds(false);
    Script(Noise(kBlockFrames * kChannels * 2, 3));
    ASSERT_TRUE(RecordEndsByItself(*engine, path));

    EXPECT_TRUE(g_stopRecording);
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, RecordingFileFailureText(path));
    EXPECT_EQ(volume.RefusedWrites(), 1);
    EXPECT_EQ(capture.DeliveredPackets(), 0u);
}

// A real volume that fills up (Tmpfs). The injected volume
// above cannot tell whether a write that returned had reached the system; on
// this one a write that only filled a buffer of the C library would fail later,
// at another frame, and leave a torn one behind.
TEST_F(AudioWriteFailureFixture, RealFullVolumeStopsOnceAndLeavesWholeFrames)
{
    const std::wstring folder = dir.File(L"small volume");
    Tmpfs volume(folder);
    ASSERT_TRUE(volume.Mounted());
    const Samples sound = Noise(100 * kBlockFrames * kChannels, 11);  // about 1.6 MB of FLAC
    auto engine = Engine();
    MessageBoxWatcher watcher;
    const std::wstring path = folder + L"\\sound.flac";
    capture.SetStopWhenScriptEnds(false);
    Script(sound);
    ASSERT_TRUE(RecordEndsByItself(*engine, path)) << "the recording went on after the volume was full";

    EXPECT_TRUE(g_stopRecording);
    ExpectFileBox(watcher.Boxes(), path);
    EXPECT_FALSE(client.Started());
    EXPECT_LE(FileSize(path), 1 << 20);
    const NativeResult test = RunNative("flac -t -s " + ShellQuote(UnixPath(path)));
    EXPECT_EQ(test.exitCode, 0) << test.output;
    const Samples decoded = DecodeFlacSamples(path);
    EXPECT_EQ(decoded.size() % (kBlockFrames * kChannels), 0u);
    EXPECT_GT(decoded.size(), 50 * kBlockFrames * kChannels);
    EXPECT_EQ(decoded, FirstFrames(sound, decoded.size() / kChannels));
}

} // namespace
