// What the converter tools make of their fields: the path test, the cuts, the
// command tails of the mix, pack and transcode tools, and the companion files a
// picked path suggests.
#include "ToolCommands.h"

#include "NamedCase.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using Path = std::optional<CString>;

const Path kNone = std::nullopt;

std::string Narrow(const CString& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.GetString(), -1, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n > 0 ? n - 1 : 0), '\0');
    if (n > 1)
        WideCharToMultiByte(CP_UTF8, 0, text.GetString(), -1, &out[0], n, nullptr, nullptr);
    return out;
}

// Compared as UTF-8 so that a failure prints both texts readably.
#define EXPECT_TEXT(actual, expected) EXPECT_EQ(Narrow(actual), Narrow(CString(expected)))

// ---- the path test ----

struct PathTestCase : NamedCase
{
    const wchar_t* text;
    bool holdsPath;
};

class HoldsPathTest : public testing::TestWithParam<PathTestCase>
{
};

TEST_P(HoldsPathTest, OnlyEmptyAndOneBlankAreNoPath)
{
    const PathTestCase& c = GetParam();
    EXPECT_EQ(HoldsPath(c.text), c.holdsPath);
    const Path given = GivenPath(c.text);
    ASSERT_EQ(given.has_value(), c.holdsPath);
    if (given) {
        EXPECT_TEXT(*given, c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(Texts, HoldsPathTest,
                         testing::Values(PathTestCase{{"Empty"}, L"", false},
                                         PathTestCase{{"OneBlank"}, L" ", false},
                                         PathTestCase{{"TwoBlanks"}, L"  ", true},
                                         PathTestCase{{"OneTab"}, L"\t", true},
                                         PathTestCase{{"BlankThenName"}, L" a.264", true},
                                         PathTestCase{{"NameThenBlank"}, L"a.264 ", true},
                                         PathTestCase{{"OneCharacter"}, L"a", true}),
                         CaseName());

// ---- the cuts ----

struct CutCase : NamedCase
{
    const wchar_t* text;
    int fromEnd;
    int count;  // 0: CutLast(text, fromEnd)
    const wchar_t* expected;
};

class CutTest : public testing::TestWithParam<CutCase>
{
};

TEST_P(CutTest, RemovesByPositionAndCountAlone)
{
    const CutCase& c = GetParam();
    if (c.count == 0) {
        EXPECT_TEXT(CutLast(c.text, c.fromEnd), c.expected);
    } else {
        EXPECT_TEXT(CutFromEnd(c.text, c.fromEnd, c.count), c.expected);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Texts, CutTest,
    testing::Values(CutCase{{"LastFourOfAVideo"}, L"base.264", 4, 0, L"base"},
                    CutCase{{"LastFiveOfASound"}, L"base.flac", 5, 0, L"base"},
                    CutCase{{"LastFiveOfExactlyFive"}, L"x.wav", 5, 0, L""},
                    CutCase{{"LastFiveOfFewer"}, L"a.b", 5, 0, L""},
                    CutCase{{"LastOfEmpty"}, L"", 4, 0, L""},
                    CutCase{{"LastCountsCharactersNotBytes"}, L"录像.264", 4, 0, L"录像"},
                    CutCase{{"MuxOutOfAMix"}, L"base_Mux.flac", 9, 4, L"base.flac"},
                    CutCase{{"MicOutOfAMicrophone"}, L"base.MIC.flac", 9, 4, L"base.flac"},
                    CutCase{{"NineFromTheEndOfNine"}, L"123456789", 9, 4, L"56789"},
                    CutCase{{"FromTheStartWhenShorter"}, L"abcdefg", 9, 4, L"efg"},
                    CutCase{{"FewerWhenTheTextEnds"}, L"abc", 2, 4, L"a"},
                    CutCase{{"AllOfAShortText"}, L"ab", 9, 4, L""},
                    CutCase{{"NothingOfEmpty"}, L"", 9, 4, L""}),
    CaseName());

// ---- the mix tool's tail ----

struct MixCase : NamedCase
{
    const wchar_t* systemAudio;
    const wchar_t* mic;
    const wchar_t* tail;
};

class MixCommandTailTest : public testing::TestWithParam<MixCase>
{
};

TEST_P(MixCommandTailTest, MixesTheSystemSoundWithTheMicrophoneNextToTheSystemSound)
{
    const MixCase& c = GetParam();
    EXPECT_TEXT(MixCommandTail(c.systemAudio, c.mic), c.tail);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, MixCommandTailTest,
    testing::Values(
        MixCase{{"ARecording"}, L"D:\\rec\\base.flac", L"D:\\rec\\base.MIC.flac",
                L" -i \"D:\\rec\\base.flac\" -i \"D:\\rec\\base.MIC.flac\" -filter_complex amix=inputs=2:duration=first "
                L"\"D:\\rec\\base_Mux.flac\""},
        MixCase{{"FiveCharactersGiveABareName"}, L"x.wav", L"m.wav",
                L" -i \"x.wav\" -i \"m.wav\" -filter_complex amix=inputs=2:duration=first \"_Mux.flac\""},
        MixCase{{"AMicrophoneFileFirst"}, L"base.MIC.flac", L"base.flac",
                L" -i \"base.MIC.flac\" -i \"base.flac\" -filter_complex amix=inputs=2:duration=first "
                L"\"base.MIC_Mux.flac\""},
        MixCase{{"TwoBlanksGoBetweenTheQuotes"}, L"  ", L"录音 1.flac",
                L" -i \"  \" -i \"录音 1.flac\" -filter_complex amix=inputs=2:duration=first \"_Mux.flac\""}),
    CaseName());

// ---- the MKV and MP4 tools' tails ----

struct VideoToolCase : NamedCase
{
    Path video;
    Path audio;
    Path rate;
    const wchar_t* tail;
};

class PackCommandTailTest : public testing::TestWithParam<VideoToolCase>
{
};

TEST_P(PackCommandTailTest, CopiesTheStreamsIntoAnMkvNamedAfterTheVideoOrTheSound)
{
    const VideoToolCase& c = GetParam();
    EXPECT_TEXT(PackCommandTail(c.video, c.audio, c.rate), c.tail);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, PackCommandTailTest,
    testing::Values(
        VideoToolCase{{"VideoOnly"}, CString(L"a\\b.264"), kNone, kNone, L" -i \"a\\b.264\" -vcodec copy \"a\\b.mkv\""},
        VideoToolCase{{"VideoOnlyWithRate"}, CString(L"a\\b.264"), kNone, CString(L"30"),
                      L" -i \"a\\b.264\" -vcodec copy -r 30 \"a\\b.mkv\""},
        VideoToolCase{{"SoundOnly"}, kNone, CString(L"a\\b.flac"), kNone, L" -i \"a\\b.flac\" -acodec copy \"a\\b.mkv\""},
        VideoToolCase{{"SoundOnlyWithRate"}, kNone, CString(L"a\\b_Mux.flac"), CString(L"60"),
                      L" -i \"a\\b_Mux.flac\" -acodec copy -r 60 \"a\\b_Mux.mkv\""},
        VideoToolCase{{"VideoAndSound"}, CString(L"a\\b.264"), CString(L"a\\c.MIC.flac"), kNone,
                      L" -i \"a\\b.264\" -i \"a\\c.MIC.flac\" -vcodec copy -acodec copy \"a\\b.mkv\""},
        VideoToolCase{{"VideoAndSoundWithRate"}, CString(L"a\\b.264"), CString(L"a\\c.MIC.flac"), CString(L"25"),
                      L" -i \"a\\b.264\" -i \"a\\c.MIC.flac\" -vcodec copy -acodec copy -r 25 \"a\\b.mkv\""},
        VideoToolCase{{"EmptyRateLeavesTwoBlanks"}, CString(L"b.264"), kNone, CString(L""),
                      L" -i \"b.264\" -vcodec copy -r  \"b.mkv\""},
        VideoToolCase{{"TypedRateUnchanged"}, CString(L"b.264"), kNone, CString(L" 0 "),
                      L" -i \"b.264\" -vcodec copy -r  0  \"b.mkv\""},
        VideoToolCase{{"FourCharacterVideo"}, CString(L"a.mp"), kNone, kNone, L" -i \"a.mp\" -vcodec copy \".mkv\""},
        VideoToolCase{{"CutIgnoresTheEnding"}, CString(L"video.h264"), kNone, kNone,
                      L" -i \"video.h264\" -vcodec copy \"video..mkv\""},
        VideoToolCase{{"TwoBlankVideo"}, CString(L"  "), CString(L"s.flac"), kNone,
                      L" -i \"  \" -i \"s.flac\" -vcodec copy -acodec copy \".mkv\""},
        VideoToolCase{{"ShortSound"}, kNone, CString(L"a.wv"), kNone, L" -i \"a.wv\" -acodec copy \".mkv\""}),
    CaseName());

class TranscodeCommandTailTest : public testing::TestWithParam<VideoToolCase>
{
};

TEST_P(TranscodeCommandTailTest, EncodesAnMp4NamedAfterTheVideoOrTheSound)
{
    const VideoToolCase& c = GetParam();
    EXPECT_TEXT(TranscodeCommandTail(c.video, c.audio, c.rate), c.tail);
}

INSTANTIATE_TEST_SUITE_P(
    Forms, TranscodeCommandTailTest,
    testing::Values(
        VideoToolCase{{"VideoOnly"}, CString(L"a\\b.264"), kNone, kNone,
                      L" -i \"a\\b.264\" -c:v h264 -b:v 16000k -pix_fmt yuv420p -f mp4 \"a\\b.mp4\""},
        VideoToolCase{{"VideoOnlyWithRate"}, CString(L"a\\b.264"), kNone, CString(L"30"),
                      L" -i \"a\\b.264\" -c:v h264 -b:v 16000k -pix_fmt yuv420p -f mp4 -r 30 \"a\\b.mp4\""},
        VideoToolCase{{"SoundOnly"}, kNone, CString(L"a\\b.MIC.flac"), kNone,
                      L" -i \"a\\b.MIC.flac\" -c:a aac -b:a 320k -ar 48000 -f mp4 \"a\\b.MIC.mp4\""},
        VideoToolCase{{"SoundOnlyTakesNoRate"}, kNone, CString(L"a\\b.MIC.flac"), CString(L"60"),
                      L" -i \"a\\b.MIC.flac\" -c:a aac -b:a 320k -ar 48000 -f mp4 \"a\\b.MIC.mp4\""},
        VideoToolCase{{"VideoAndSound"}, CString(L"a\\b.264"), CString(L"a\\c_Mux.flac"), kNone,
                      L" -i \"a\\b.264\" -i \"a\\c_Mux.flac\" -c:v h264 -c:a aac -b:v 16000k -b:a 320k  -ar 48000 "
                      L"-pix_fmt yuv420p -f mp4 \"a\\b.mp4\""},
        VideoToolCase{{"VideoAndSoundWithRate"}, CString(L"a\\b.264"), CString(L"a\\c_Mux.flac"), CString(L"60"),
                      L" -i \"a\\b.264\" -i \"a\\c_Mux.flac\" -c:v h264 -c:a aac -b:v 16000k -b:a 320k  -ar 48000 "
                      L"-pix_fmt yuv420p -f mp4 -r 60 \"a\\b.mp4\""},
        VideoToolCase{{"EmptyRateLeavesTwoBlanks"}, CString(L"b.264"), kNone, CString(L""),
                      L" -i \"b.264\" -c:v h264 -b:v 16000k -pix_fmt yuv420p -f mp4 -r  \"b.mp4\""},
        VideoToolCase{{"FourCharacterVideo"}, CString(L"a.mp"), kNone, kNone,
                      L" -i \"a.mp\" -c:v h264 -b:v 16000k -pix_fmt yuv420p -f mp4 \".mp4\""},
        VideoToolCase{{"CutIgnoresTheEnding"}, CString(L"video.h264"), kNone, kNone,
                      L" -i \"video.h264\" -c:v h264 -b:v 16000k -pix_fmt yuv420p -f mp4 \"video..mp4\""},
        VideoToolCase{{"TwoBlankSound"}, kNone, CString(L"  "), kNone,
                      L" -i \"  \" -c:a aac -b:a 320k -ar 48000 -f mp4 \".mp4\""}),
    CaseName());

// ---- the companions of a picked file ----

struct CompanionCase : NamedCase
{
    bool mixTool;
    bool pickedFirst;  // the system sound (mix) or the video (MKV, MP4)
    const wchar_t* picked;
    std::vector<const wchar_t*> candidates;
};

class CompanionsTest : public testing::TestWithParam<CompanionCase>
{
};

TEST_P(CompanionsTest, SuggestTheRecordingsOtherFilesInOrder)
{
    const CompanionCase& c = GetParam();
    const std::vector<CString> found =
        c.mixTool ? MixCompanions(c.picked, c.pickedFirst) : VideoToolCompanions(c.picked, c.pickedFirst);
    std::vector<std::string> actual;
    for (const CString& candidate : found)
        actual.push_back(Narrow(candidate));
    std::vector<std::string> expected;
    for (const wchar_t* candidate : c.candidates)
        expected.push_back(Narrow(candidate));
    EXPECT_EQ(actual, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Picks, CompanionsTest,
    testing::Values(
        CompanionCase{{"VideoGivesMixThenSystemSound"}, false, true, L"D:\\r\\base.264",
                      {L"D:\\r\\base_Mux.flac", L"D:\\r\\base.flac"}},
        CompanionCase{{"SystemSoundGivesVideo"}, false, false, L"D:\\r\\base.flac", {L"D:\\r\\base.264"}},
        CompanionCase{{"MicrophoneGivesNoRecordingsVideo"}, false, false, L"D:\\r\\base.MIC.flac",
                      {L"D:\\r\\base.MIC.264"}},
        CompanionCase{{"MixGivesNoRecordingsVideo"}, false, false, L"D:\\r\\base_Mux.flac", {L"D:\\r\\base_Mux.264"}},
        CompanionCase{{"CancelledVideoGivesBareSuffixes"}, false, true, L"", {L"_Mux.flac", L".flac"}},
        CompanionCase{{"CancelledSoundGivesBareSuffix"}, false, false, L"", {L".264"}},
        CompanionCase{{"ShortVideoGivesBareSuffixes"}, false, true, L"a.b", {L"_Mux.flac", L".flac"}},
        CompanionCase{{"ShortSoundGivesBareSuffix"}, false, false, L"a.wv", {L".264"}},
        CompanionCase{{"MixSystemSoundGivesMicrophone"}, true, true, L"D:\\r\\base.flac", {L"D:\\r\\base.MIC.flac"}},
        CompanionCase{{"MixMicrophoneGivesSystemSound"}, true, false, L"D:\\r\\base.MIC.flac", {L"D:\\r\\base.flac"}},
        CompanionCase{{"MixCancelledSystemSoundGivesBareSuffix"}, true, true, L"", {L".MIC.flac"}},
        CompanionCase{{"MixCancelledMicrophoneGivesEmptyName"}, true, false, L"", {L""}},
        CompanionCase{{"MixShortMicrophoneLosesItsStart"}, true, false, L"abcdefg", {L"efg"}},
        CompanionCase{{"MixShortSystemSoundGivesBareSuffix"}, true, true, L"x.wv", {L".MIC.flac"}}),
    CaseName());

} // namespace
