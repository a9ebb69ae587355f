// The converter's command tail of the MKV offer, byte for byte, for each set of
// sound files a recording can have.
#include "MkvCommand.h"

#include "NamedCase.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// A base name with blanks and letters outside any one code page.
const std::wstring kBase = L"D:\\录像 Видео\\Glintcast_Record - 2024_03_07_09_05_02";
const std::wstring kVideo = kBase + L".264";
const std::wstring kSystem = kBase + L".flac";
const std::wstring kMic = kBase + L".MIC.flac";

struct TailCase : NamedCase
{
    bool system;
    bool mic;
    int fps;
    std::wstring tail;
};

class MkvCommandTest : public testing::TestWithParam<TailCase>
{
};

TEST_P(MkvCommandTest, TailMatchesItsFormExactly)
{
    const TailCase& c = GetParam();
    RecordParams params;
    params.videoPath = kVideo;
    params.systemAudioPath = c.system ? kSystem : L"";
    params.micPath = c.mic ? kMic : L"";
    params.fps = c.fps;
    EXPECT_EQ(std::wstring(MkvCommandTail(params).GetString()), c.tail);
}

INSTANTIATE_TEST_SUITE_P(
    Sounds, MkvCommandTest,
    testing::Values(
        TailCase{{"system_and_mic_mixed_first"}, true, true, 30,
                 L" -i \"D:\\录像 Видео\\Glintcast_Record - 2024_03_07_09_05_02.flac\""
                 L" -i \"D:\\录像 Видео\\Glintcast_Record - 2024_03_07_09_05_02.MIC.flac\""
                 L" -filter_complex amix=inputs=2:duration=first"
                 L" -i \"D:\\录像 Видео\\Glintcast_Record - 2024_03_07_09_05_02.264\""
                 L" -vcodec copy -r 30 \"D:\\录像 Видео\\Glintcast_Record - 2024_03_07_09_05_02.mkv\""},
        TailCase{{"video_only"}, false, false, 60,
                 L" -i \"D:\\录像 Видео\\Glintcast_Record - 2024_03_07_09_05_02.264\""
                 L" -vcodec copy -r 60 \"D:\\录像 Видео\\Glintcast_Record - 2024_03_07_09_05_02.mkv\""},
        TailCase{{"system_only"}, true, false, 120,
                 L" -i \"D:\\录像 Видео\\Glintcast_Record - 2024_03_07_09_05_02.264\""
                 L" -i \"D:\\录像 Видео\\Glintcast_Record - 2024_03_07_09_05_02.flac\""
                 L" -vcodec copy  -acodec copy -r 120 \"D:\\录像 Видео\\Glintcast_Record - 2024_03_07_09_05_02.mkv\""},
        TailCase{{"mic_only"}, false, true, 10,
                 L" -i \"D:\\录像 Видео\\Glintcast_Record - 2024_03_07_09_05_02.264\""
                 L" -i \"D:\\录像 Видео\\Glintcast_Record - 2024_03_07_09_05_02.MIC.flac\""
                 L" -vcodec copy  -acodec copy -r 10 \"D:\\录像 Видео\\Glintcast_Record - 2024_03_07_09_05_02.mkv\""}),
    CaseName());

// The output name drops exactly the last four characters of the video path,
// whatever they are, and only the video path decides it.
TEST(MkvCommandOutputTest, OutputIsTheVideoPathLessItsLastFourCharacters)
{
    RecordParams params;
    params.videoPath = L"C:\\a.b\\x.264";
    params.micPath = L"C:\\elsewhere\\y.MIC.flac";
    params.fps = 25;
    EXPECT_EQ(std::wstring(MkvCommandTail(params).GetString()),
              L" -i \"C:\\a.b\\x.264\" -i \"C:\\elsewhere\\y.MIC.flac\" -vcodec copy  -acodec copy -r 25 \"C:\\a.b\\x.mkv\"");
}

} // namespace
