// Recording control through the main window over the fake engines: the start
// from each of its three commands, the files it names and writes, the refused
// starts and what they leave, the start/stop tones, the clock and its reset,
// the process's and the record threads' priorities.
#include "MainWindowFixture.h"

#include "NamedCase.h"
#include "DialogDriver.h"
#include "GlintcastDlg.h"
#include "Globals.h"
#include "NativeTool.h"
#include "RecorderGlobals.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ctime>
#include <map>
#include <string>

namespace {

using ToneList = std::vector<std::pair<DWORD, DWORD>>;
const ToneList kRising = {{2000, 100}, {5000, 100}};
const ToneList kFalling = {{5000, 100}, {2000, 100}};

ToneList Join(const ToneList& a, const ToneList& b)
{
    ToneList joined = a;
    joined.insert(joined.end(), b.begin(), b.end());
    return joined;
}

enum class Trigger { Button, HotKey, Tray };

void Toggle(const MainWindow& window, Trigger trigger)
{
    switch (trigger) {
    case Trigger::Button:
        window.Click(IDC_START_STOP);
        break;
    case Trigger::HotKey:
        window.HotKey(ID_HOTKEY_RECORD, VK_F10);
        break;
    case Trigger::Tray:
        window.Command(ID_TRAY_STARTSTOP);
        break;
    }
}

// The base names a start between first and last (seconds since 1970) can give.
std::vector<std::wstring> BaseNamesBetween(__time64_t first, __time64_t last)
{
    std::vector<std::wstring> names;
    for (__time64_t t = first; t <= last; ++t)
        names.push_back(std::wstring(L"Glintcast_Record - ") + CTime(t).Format(L"%Y_%m_%d_%H_%M_%S").GetString());
    return names;
}

int DecodedPictures(const std::wstring& path)
{
    const NativeResult probe = RunNative("ffprobe -v error -count_frames -select_streams v:0 "
                                         "-show_entries stream=nb_read_frames -of csv=p=0 " +
                                         ShellQuote(UnixPath(path)));
    return probe.exitCode == 0 ? atoi(probe.output.c_str()) : -1;
}

bool FlacTestPasses(const std::wstring& path)
{
    return RunNative("flac -t -s " + ShellQuote(UnixPath(path))).exitCode == 0;
}

struct TriggerCase : NamedCase
{
    Trigger trigger;
};

class RecordingTriggerTest : public MainWindowTest, public testing::WithParamInterface<TriggerCase>
{
};

TEST_P(RecordingTriggerTest, RecordsEverySourceIntoFilesNamedFromTheClock)
{
    const Trigger trigger = GetParam().trigger;
    __time64_t started = 0, startReturned = 0;
    Run([&](MainWindow& window) {
        window.Click(IDC_RECORD_MIC);
        started = CTime::GetCurrentTime().GetTime();
        Toggle(window, trigger);
        startReturned = CTime::GetCurrentTime().GetTime();
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        EXPECT_EQ(Timers(), (std::vector<std::pair<UINT_PTR, UINT>>{{ID_TIMER_CLOCK, 1000}}));
        // More than ten pictures in the stream (neither the priming picture nor
        // one acquired as the stop comes is coded) and sound from both endpoints.
        ASSERT_TRUE(WaitForRecorded(13, 1));
        Toggle(window, trigger);
        // The stop leaves the reset to the next tick.
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        window.Tick();
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:00");
    });

    const std::wstring folder = dir.File(L"Glintcast_Output");
    const std::vector<std::wstring> files = FilesIn(folder);
    ASSERT_EQ(files.size(), 3u);
    const std::wstring base = files[0].substr(0, files[0].find(L'.'));
    const auto candidates = BaseNamesBetween(started, startReturned);
    EXPECT_NE(std::find(candidates.begin(), candidates.end(), base), candidates.end()) << files[0].c_str();
    EXPECT_EQ(files, (std::vector<std::wstring>{base + L".264", base + L".MIC.flac", base + L".flac"}));
    EXPECT_EQ(g_outputDir, L".\\Glintcast_Output\\");

    EXPECT_GT(DecodedPictures(folder + L"\\" + base + L".264"), 10);
    EXPECT_TRUE(FlacTestPasses(folder + L"\\" + base + L".flac"));
    EXPECT_TRUE(FlacTestPasses(folder + L"\\" + base + L".MIC.flac"));
    // The system sound came from the default playback endpoint, the microphone
    // from the default recording endpoint.
    EXPECT_TRUE(speakers->Client().CaptureClient().DeliveredFrames() > 0);
    EXPECT_TRUE(microphone->Client().CaptureClient().DeliveredFrames() > 0);
    EXPECT_EQ(headphones->Client().CaptureClient().DeliveredFrames(), 0u);

    EXPECT_EQ(Tones(), trigger == Trigger::Button ? ToneList{} : Join(kRising, kFalling));
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

INSTANTIATE_TEST_SUITE_P(Commands, RecordingTriggerTest,
                         testing::Values(TriggerCase{{"Button"}, Trigger::Button}, TriggerCase{{"HotKey"}, Trigger::HotKey},
                                         TriggerCase{{"Tray"}, Trigger::Tray}),
                         CaseName());


TEST_F(MainWindowTest, TheProcessRunsInTheRealTimeClassAndOnlyTheVideoThreadIsTimeCritical)
{
    // The class must come from the opening, not from an earlier run.
    ASSERT_TRUE(SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS));
    DWORD processClass = 0;
    std::map<std::string, int> threads;
    Run([&](MainWindow& window) {
        processClass = GetPriorityClass(GetCurrentProcess());
        window.SetChecked(IDC_RECORD_MIC, true);
        window.Click(IDC_START_STOP);
        ASSERT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        threads = {{"video", GetThreadPriority(dialog->m_hVideoThread)},
                   {"system sound", GetThreadPriority(dialog->m_hSystemAudioThread)},
                   {"microphone", GetThreadPriority(dialog->m_hMicThread)}};
        window.Click(IDC_START_STOP);
        window.Tick();
    });
    SetPriorityClass(GetCurrentProcess(), NORMAL_PRIORITY_CLASS);
    EXPECT_EQ(processClass, static_cast<DWORD>(REALTIME_PRIORITY_CLASS));
    EXPECT_EQ(threads, (std::map<std::string, int>{{"video", THREAD_PRIORITY_TIME_CRITICAL},
                                                   {"system sound", THREAD_PRIORITY_NORMAL},
                                                   {"microphone", THREAD_PRIORITY_NORMAL}}));
    ExpectFakesClean();
}

// A start refused by one of its checks, and what it leaves behind.
struct RefusalCase : NamedCase
{
    const wchar_t* folder;  // the text of 1002
    const wchar_t* rate;    // the text of 1006
    bool bigOverlay;        // an overlay of 1024 x 768 at the screen's origin, larger than monitor 0
    const wchar_t* caption;
    const wchar_t* text;
    bool passedFolderTest;
};

constexpr wchar_t kFolderCaption[] = L"你设置的输出文件夹错误";
constexpr wchar_t kFolderText[] = L"请检查输出目录是否正确！\r\n也可能是你权限不够，尝试使用管理员权限运行。";
constexpr wchar_t kRateCaption[] = L"帧率设置错误";
constexpr wchar_t kRateText[] =
    L"你输入的帧率不是数字或低于10或高于120！\r\n\r\n帧率只能用阿拉伯整数表示！\r\n低于10帧...你确定录制出来能看吗？\r\n"
    L"高于60帧意义不大，还会有一系列性能问题，我不建议这样做，但我还是把上限改成了120！";

class RefusedStartTest : public MainWindowTest, public testing::WithParamInterface<RefusalCase>
{
};

TEST_P(RefusedStartTest, ShowsItsMessageAndStartsNothing)
{
    const RefusalCase& c = GetParam();
    WriteFileBytes(dir.File(L"a_file"), {'x'});
    g_stopRecording = true;  // as after an earlier recording
    Run([&](MainWindow& window) {
        window.SetText(IDC_OUTPUT_DIR, c.folder);
        window.SetText(IDC_FRAME_RATE, c.rate);
        if (c.bigOverlay) {
            PostMessageW(window.Control(IDC_SELECT_REGION), BM_CLICK, 0, 0);
            HWND picker = WaitForDialog(L"选择预设分辨率");
            ASSERT_NE(picker, nullptr);
            DialogWindow(picker).PressEscape();
            ASSERT_TRUE(WaitUntil([] { return FindDialog(L"Glintcast录制区域 - 分辨率: 1024 x 768") != nullptr; }));
        }
        window.HotKey(ID_HOTKEY_RECORD, VK_F10);
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:00");
        if (HWND overlay = FindDialog(L"Glintcast录制区域 - 分辨率: 1024 x 768")) {
            EXPECT_FALSE(GetWindowLongPtrW(overlay, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
        }
        EXPECT_EQ(g_recordParams != nullptr, c.passedFolderTest);
        EXPECT_EQ(g_stopRecording.load(), !c.passedFolderTest);
        EXPECT_EQ(g_outputDir, c.passedFolderTest ? std::wstring(c.folder) + L"\\" : std::wstring());
    });
    const std::vector<MessageBoxRecord> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, c.caption);
    EXPECT_EQ(boxes[0].text, c.text);
    EXPECT_TRUE(boxes[0].IsPlainOk());
    EXPECT_TRUE(Timers().empty());
    // Both pairs of tones, the second after the message was answered.
    const std::vector<std::string> events = Events();
    const std::vector<std::string> expected = {"tone:2000", "tone:5000", "box:" + Utf8(c.caption), "tone:5000",
                                               "tone:2000"};
    const auto first = std::find(events.begin(), events.end(), "tone:2000");
    ASSERT_NE(first, events.end());
    EXPECT_EQ(std::vector<std::string>(first, first + std::min<ptrdiff_t>(5, events.end() - first)), expected);
    // Nothing was recorded: a folder the check created stays, empty.
    EXPECT_TRUE(FilesIn(dir.File(L"Glintcast_Output")).empty());
    EXPECT_EQ(PathExists(dir.File(L"Glintcast_Output")), c.passedFolderTest);
    ExpectFakesClean();
}

INSTANTIATE_TEST_SUITE_P(
    Checks, RefusedStartTest,
    testing::Values(RefusalCase{{"EmptyFolder"}, L"", L"30", false, kFolderCaption, kFolderText, false},
                    RefusalCase{{"FolderIsAFile"}, L".\\a_file", L"30", false, kFolderCaption, kFolderText, false},
                    RefusalCase{{"ParentMissing"}, L".\\missing\\out", L"30", false, kFolderCaption, kFolderText, false},
                    RefusalCase{{"Wildcard"}, L".\\*", L"30", false, kFolderCaption, kFolderText, false},
                    RefusalCase{{"RateNine"}, L".\\Glintcast_Output", L"9", false, kRateCaption, kRateText, true},
                    RefusalCase{{"Rate121"}, L".\\Glintcast_Output", L"121", false, kRateCaption, kRateText, true},
                    RefusalCase{{"RateLetters"}, L".\\Glintcast_Output", L"abc", false, kRateCaption, kRateText, true},
                    RefusalCase{{"RegionOutsideMonitor"}, L".\\Glintcast_Output", L"30", true, L"错误", L"录制区域超界",
                                true}),
    CaseName());

} // namespace
