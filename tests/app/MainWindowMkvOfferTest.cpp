// The offer to pack a recording into MKV when the start/stop command stops it:
// when it is made, the converter's command line in each of its four forms, the
// wait for the record threads, and a converter that cannot be started.
#include "MainWindowFixture.h"

#include "GlintcastDlg.h"
#include "Globals.h"
#include "NamedCase.h"
#include "NativeTool.h"
#include "StandInFfmpeg.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

constexpr wchar_t kOffer[] =
    L"你需要马上封装成MKV吗？\r\r如果有录制麦克风声音将先混音。\r\r不会删除原文件,新建进程进行，不会阻塞软件，"
    L"可以马上再进行录制，但会影响性能";

bool IsOffer(const MessageBoxRecord& box)
{
    return box.text == kOffer;
}

struct FormCase : NamedCase
{
    bool systemSound;
    bool microphone;
    // The tail, with V, S and M standing for the three paths, R for the rate
    // and O for the output.
    const wchar_t* tail;
};

std::wstring Expand(std::wstring pattern, const std::wstring& base)
{
    const std::wstring folder = L".\\Glintcast_Output\\";
    const std::pair<wchar_t, std::wstring> values[] = {{L'V', folder + base + L".264"},
                                                      {L'S', folder + base + L".flac"},
                                                      {L'M', folder + base + L".MIC.flac"},
                                                      {L'R', L"30"},
                                                      {L'O', folder + base + L".mkv"}};
    std::wstring out;
    for (wchar_t c : pattern) {
        const auto* value = std::find_if(std::begin(values), std::end(values),
                                         [c](const auto& v) { return v.first == c; });
        out += value != std::end(values) ? value->second : std::wstring(1, c);
    }
    return out;
}

class MkvOfferFormTest : public MainWindowTest, public testing::WithParamInterface<FormCase>
{
};

TEST_P(MkvOfferFormTest, AYesStartsTheConverterWithTheTailOfTheSoundsRecorded)
{
    const FormCase& c = GetParam();
    ASSERT_TRUE(InstallStandInFfmpeg(dir.Path()));
    Run([&](MainWindow& window) {
        if (!c.systemSound)
            window.Click(IDC_RECORD_SYSTEM_AUDIO);
        if (c.microphone)
            window.Click(IDC_RECORD_MIC);
        window.Click(IDC_START_STOP);
        // Pictures in the stream, however long a loaded machine takes to start it.
        ASSERT_TRUE(WaitUntil([&] { return desktop->FramesShown() >= 3; }));
        Sleep(700);
        window.Click(IDC_START_STOP);
        window.Tick();
    });
    const std::wstring folder = dir.File(L"Glintcast_Output");
    const std::wstring base = RecordingBase();
    ASSERT_FALSE(base.empty());

    const std::vector<MessageBoxRecord> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(IsOffer(boxes[0]));
    EXPECT_EQ(boxes[0].caption, L"提示");
    EXPECT_EQ(boxes[0].buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_FALSE(boxes[0].hasIcon);

    const std::vector<StandInCall> calls = WaitForStandInCalls(dir.Path(), 1);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].commandLine, Expand(c.tail, base));
    // Started only once every file of the recording was complete.
    ASSERT_FALSE(calls[0].inputs.empty());
    for (const StandInInput& input : calls[0].inputs) {
        EXPECT_GT(input.size, 0) << input.path.c_str();
        EXPECT_EQ(input.size, FileSize(dir.File(input.path))) << input.path.c_str();
    }
    EXPECT_TRUE(WaitForStandInExits(calls));
    ExpectFakesClean();
}

INSTANTIATE_TEST_SUITE_P(
    Forms, MkvOfferFormTest,
    testing::Values(
        FormCase{{"BothSounds"}, true, true,
                 L" -i \"S\" -i \"M\" -filter_complex amix=inputs=2:duration=first -i \"V\" -vcodec copy -r R \"O\""},
        FormCase{{"NoSound"}, false, false, L" -i \"V\" -vcodec copy -r R \"O\""},
        FormCase{{"SystemSoundOnly"}, true, false, L" -i \"V\" -i \"S\" -vcodec copy  -acodec copy -r R \"O\""},
        FormCase{{"MicrophoneOnly"}, false, true, L" -i \"V\" -i \"M\" -vcodec copy  -acodec copy -r R \"O\""}),
    CaseName());

// When no offer is made.
struct NoOfferCase : NamedCase
{
    bool converter;
    bool video;
};

class NoMkvOfferTest : public MainWindowTest, public testing::WithParamInterface<NoOfferCase>
{
};

TEST_P(NoMkvOfferTest, TheStopAsksNothing)
{
    if (GetParam().converter) {
        ASSERT_TRUE(InstallStandInFfmpeg(dir.Path()));
    }
    Run([&](MainWindow& window) {
        if (!GetParam().video)
            window.Click(IDC_RECORD_SCREEN);
        window.Click(IDC_START_STOP);
        window.Click(IDC_START_STOP);
        window.Tick();
    });
    EXPECT_TRUE(Boxes().empty());
    EXPECT_TRUE(ReadStandInCalls(dir.Path()).empty());
}

INSTANTIATE_TEST_SUITE_P(Stops, NoMkvOfferTest,
                         testing::Values(NoOfferCase{{"NoConverter"}, false, true},
                                         NoOfferCase{{"NoVideo"}, true, false}),
                         CaseName());

TEST_F(MainWindowTest, NoToTheOfferStartsNothing)
{
    ASSERT_TRUE(InstallStandInFfmpeg(dir.Path()));
    reply = [](const MessageBoxRecord& box) { return IsOffer(box) ? IDNO : IDOK; };
    Run([&](MainWindow& window) {
        window.Click(IDC_START_STOP);
        window.Click(IDC_START_STOP);
        window.Tick();
        Sleep(1000);
    });
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(ReadStandInCalls(dir.Path()).empty());
}

TEST_F(MainWindowTest, AFolderNamedLikeTheConverterGetsTheOfferThenTheConverterMessage)
{
    ASSERT_TRUE(CreateDirectoryW(dir.File(L"ffmpeg.exe").c_str(), nullptr));
    Run([&](MainWindow& window) {
        window.Click(IDC_START_STOP);
        window.Click(IDC_START_STOP);
        window.Tick();
    });
    const std::vector<MessageBoxRecord> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_TRUE(IsOffer(boxes[0]));
    EXPECT_EQ(boxes[1].text, L"你是不是没有把ffmpeg.exe跟本软件放在一起啊？");
    EXPECT_EQ(boxes[1].caption, L"错误");
    EXPECT_TRUE(boxes[1].IsPlainOk());
    ExpectFakesClean();
}

TEST_F(MainWindowTest, ANewRecordingMayStartWhileTheOfferIsOpenAndAYesStillPacksTheFirst)
{
    ASSERT_TRUE(InstallStandInFfmpeg(dir.Path()));
    std::atomic<HWND> offer{nullptr};
    reply = [&](const MessageBoxRecord& box) {
        if (IsOffer(box) && !offer) {
            offer = box.window;
            return 0;  // answered by the test below
        }
        return IsOffer(box) ? IDNO : IDOK;
    };
    std::wstring firstVideo;
    Run([&](MainWindow& window) {
        window.Click(IDC_RECORD_SYSTEM_AUDIO);
        window.Click(IDC_START_STOP);
        Sleep(500);
        PostMessageW(window.Control(IDC_START_STOP), BM_CLICK, 0, 0);
        ASSERT_TRUE(WaitUntil([&] { return offer.load() != nullptr; }));
        // The clock resets the window while the question is open ...
        window.Tick();
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
        firstVideo = L".\\Glintcast_Output\\" + RecordingBase() + L".264";
        // ... and the hotkey starts a new recording meanwhile.
        Sleep(1100);  // a new second, so that the second recording has a name of its own
        window.HotKey(ID_HOTKEY_RECORD, VK_F10);
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        MessageBoxWatcher::Press(offer, IDYES);
        const std::vector<StandInCall> calls = WaitForStandInCalls(dir.Path(), 1);
        ASSERT_EQ(calls.size(), 1u);
        ASSERT_EQ(calls[0].inputs.size(), 1u);
        EXPECT_EQ(calls[0].inputs[0].path, firstVideo);
        EXPECT_TRUE(WaitForStandInExits(calls));
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        window.Click(IDC_START_STOP);
        window.Tick();
    });
    EXPECT_EQ(ReadStandInCalls(dir.Path()).size(), 1u);
    ExpectFakesClean();
}

TEST_F(MainWindowTest, TheConverterPacksTheRecordingIntoAnMkvWithItsVideoAndMixedSound)
{
    ASSERT_TRUE(InstallStandInFfmpeg(dir.Path(), true));
    Run([&](MainWindow& window) {
        window.Click(IDC_RECORD_MIC);
        window.Click(IDC_START_STOP);
        // Pictures and both sounds in the files to pack and mix.
        ASSERT_TRUE(WaitForRecorded(3, 1));
        window.Click(IDC_START_STOP);
        window.Tick();
    });
    const std::vector<StandInCall> calls = WaitForStandInCalls(dir.Path(), 1);
    ASSERT_EQ(calls.size(), 1u);
    ASSERT_TRUE(WaitForStandInExits(calls, std::chrono::seconds(60)));
    const StandInCall done = ReadStandInCalls(dir.Path()).at(0);
    EXPECT_EQ(done.nativeExitCode, 0) << std::string(done.nativeOutput.begin(), done.nativeOutput.end());
    const std::wstring mkv =
        dir.File(L"Glintcast_Output\\") + RecordingBase() + L".mkv";
    const NativeResult probe = RunNative("ffprobe -v error -show_entries stream=codec_type,codec_name,pix_fmt "
                                         "-of csv=p=0 " + ShellQuote(UnixPath(mkv)));
    ASSERT_EQ(probe.exitCode, 0) << probe.output;
    // The 4:4:4 RGB stream is copied unchanged, and one sound track holds the mix.
    EXPECT_NE(probe.output.find("h264,video,gbrp"), std::string::npos) << probe.output;
    EXPECT_EQ(std::count(probe.output.begin(), probe.output.end(), '\n'), 2) << probe.output;
    EXPECT_NE(probe.output.find("audio"), std::string::npos) << probe.output;
}

} // namespace
