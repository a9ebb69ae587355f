// The recording clock and the hotkeys through the main window: the elapsed and
// the remaining time, a time set while the elapsed time counts, the reset after
// every kind of stop with its tones, the stopping state, the screenshot hotkey,
// a failing record loop.
#include "MainWindowFixture.h"

#include "DialogDriver.h"
#include "GlintcastDlg.h"
#include "Globals.h"
#include "NamedCase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

using ToneList = std::vector<std::pair<DWORD, DWORD>>;
const ToneList kRising = {{2000, 100}, {5000, 100}};
const ToneList kFalling = {{5000, 100}, {2000, 100}};

ToneList Join(std::initializer_list<ToneList> lists)
{
    ToneList joined;
    for (const ToneList& list : lists)
        joined.insert(joined.end(), list.begin(), list.end());
    return joined;
}

TEST_F(MainWindowTest, CountsElapsedSecondsAndResetsSilentlyAfterAButtonStop)
{
    Run([&](MainWindow& window) {
        window.Click(IDC_START_STOP);
        std::vector<std::wstring> shown;
        for (int i = 0; i < 3; ++i) {
            window.Tick();
            shown.push_back(window.Text(IDC_TIME_DISPLAY));
        }
        EXPECT_EQ(shown, (std::vector<std::wstring>{L"00:00:01", L"00:00:02", L"00:00:03"}));
        window.Click(IDC_START_STOP);
        EXPECT_TRUE(g_stopRecording);
        // Between the stop and the reset the display keeps the count.
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:03");
        window.Tick();
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:00");
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
        // The reset stopped the clock: a stray tick counts nothing.
        window.Tick();
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:00");
    });
    EXPECT_TRUE(Tones().empty());
    ExpectFakesClean();
}

TEST_F(MainWindowTest, ATimeLimitCountsDownStopsAtZeroAndTheResetBeeps)
{
    Run([&](MainWindow& window) {
        ASSERT_TRUE(window.SetTimeLimit(L"00:00:03"));
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:03");
        window.Click(IDC_START_STOP);
        std::vector<std::wstring> shown;
        for (int i = 0; i < 3; ++i) {
            EXPECT_FALSE(g_stopRecording);
            window.Tick();
            shown.push_back(window.Text(IDC_TIME_DISPLAY));
        }
        EXPECT_EQ(shown, (std::vector<std::wstring>{L"00:00:02", L"00:00:01", L"00:00:00"}));
        EXPECT_TRUE(g_stopRecording);
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        EXPECT_TRUE(Tones().empty());
        window.Tick();
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
        EXPECT_EQ(Tones(), kFalling);
        // The limit applied to that recording only.
        ClearTones();
        window.Click(IDC_START_STOP);
        window.Tick();
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:01");
        window.Click(IDC_START_STOP);
        window.Tick();
    });
    EXPECT_TRUE(Tones().empty());
    ExpectFakesClean();
}

// A time set while a recording without a limit counts up replaces the count;
// the recording goes on counting up from it and never ends by itself, however
// many ticks pass the time set, and its reset stays silent.
struct TimeSetWhileCountingUpCase : NamedCase
{
    const wchar_t* entry;
    // The display right after the time is set, then after each of eight ticks.
    std::vector<std::wstring> shown;
};

class TimeSetWhileCountingUpTest : public MainWindowTest, public testing::WithParamInterface<TimeSetWhileCountingUpCase>
{
};

TEST_P(TimeSetWhileCountingUpTest, ReplacesTheCountAndTheRecordingGoesOnCountingUp)
{
    const TimeSetWhileCountingUpCase& c = GetParam();
    std::vector<std::wstring> shown;
    bool stoppedByItself = false;
    Run([&](MainWindow& window) {
        window.Click(IDC_START_STOP);
        for (int tick = 0; tick < 3; ++tick)
            window.Tick();
        ASSERT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:03");
        ASSERT_TRUE(window.SetTimeLimit(c.entry));
        shown.push_back(window.Text(IDC_TIME_DISPLAY));
        for (int tick = 0; tick < 8; ++tick) {
            window.Tick();
            shown.push_back(window.Text(IDC_TIME_DISPLAY));
            stoppedByItself = stoppedByItself || g_stopRecording;
        }
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        window.Click(IDC_START_STOP);
        window.Tick();
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:00");
    });
    EXPECT_EQ(shown, c.shown);
    EXPECT_FALSE(stoppedByItself);
    EXPECT_TRUE(Tones().empty()) << "the reset of a recording that counted up plays no tones";
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

INSTANTIATE_TEST_SUITE_P(
    Times, TimeSetWhileCountingUpTest,
    testing::Values(TimeSetWhileCountingUpCase{{"FiveSeconds"},
                                               L"00:00:05",
                                               {L"00:00:05", L"00:00:06", L"00:00:07", L"00:00:08", L"00:00:09",
                                                L"00:00:10", L"00:00:11", L"00:00:12", L"00:00:13"}},
                    TimeSetWhileCountingUpCase{{"Zero"},
                                               L"00:00:00",
                                               {L"00:00:00", L"00:00:01", L"00:00:02", L"00:00:03", L"00:00:04",
                                                L"00:00:05", L"00:00:06", L"00:00:07", L"00:00:08"}}),
    CaseName());

// Which commands stop and what the tones are.
struct StopCase : NamedCase
{
    bool timed;
    bool stopWithHotKey;
    ToneList tones;
};

class ClockStopTest : public MainWindowTest, public testing::WithParamInterface<StopCase>
{
};

TEST_P(ClockStopTest, TonesOfTheStopAndOfTheReset)
{
    const StopCase& c = GetParam();
    Run([&](MainWindow& window) {
        if (c.timed) {
            ASSERT_TRUE(window.SetTimeLimit(L"00:01:00"));
        }
        window.Click(IDC_START_STOP);
        window.Tick();
        if (c.stopWithHotKey) {
            window.HotKey(ID_HOTKEY_RECORD, VK_F10);
        } else {
            window.Command(ID_TRAY_STARTSTOP);
        }
        window.Tick();
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
    });
    EXPECT_EQ(Tones(), c.tones);
}

INSTANTIATE_TEST_SUITE_P(Stops, ClockStopTest,
                         testing::Values(StopCase{{"UnlimitedByHotKey"}, false, true, kFalling},
                                         StopCase{{"UnlimitedByTray"}, false, false, kFalling},
                                         StopCase{{"TimedByHotKey"}, true, true, Join({kFalling, kFalling})},
                                         StopCase{{"TimedByTray"}, true, false, Join({kFalling, kFalling})}),
                         CaseName());

TEST_F(MainWindowTest, AStartCommandBetweenTheStopAndTheResetStartsNothing)
{
    Run([&](MainWindow& window) {
        window.HotKey(ID_HOTKEY_RECORD, VK_F10);
        window.HotKey(ID_HOTKEY_RECORD, VK_F10);
        EXPECT_EQ(Tones(), Join({kRising, kFalling}));
        ClearTones();
        // Stopping: neither the hotkey, the tray nor the button starts a recording.
        window.HotKey(ID_HOTKEY_RECORD, VK_F10);
        EXPECT_EQ(Tones(), Join({kRising, kFalling}));
        window.Command(ID_TRAY_STARTSTOP);
        window.Click(IDC_START_STOP);
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        EXPECT_TRUE(g_stopRecording);
        EXPECT_EQ(Timers().size(), 1u);
        window.Tick();
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
        // After the reset a start is accepted again.
        window.Click(IDC_START_STOP);
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        EXPECT_FALSE(g_stopRecording);
        window.Click(IDC_START_STOP);
        window.Tick();
    });
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(Timers().size(), 2u);
    ExpectFakesClean();
}

TEST_F(MainWindowTest, CtrlF11AsksForOneScreenshotWhileRecording)
{
    Run([&](MainWindow& window) {
        window.HotKey(ID_HOTKEY_SCREENSHOT, VK_F11);
        EXPECT_FALSE(g_screenshotRequested);
        EXPECT_TRUE(g_screenshotReady);
        window.Click(IDC_START_STOP);
        window.HotKey(ID_HOTKEY_SCREENSHOT, VK_F11);
        // Served by the video loop: the screenshot thread sets ready again.
        EXPECT_TRUE(WaitUntil([] { return g_screenshotReady.load(); }));
        EXPECT_FALSE(g_screenshotRequested);
        // The wrong key under the id, or the id of the other hotkey, does nothing.
        window.HotKey(ID_HOTKEY_SCREENSHOT, VK_F10);
        window.HotKey(ID_HOTKEY_RECORD, VK_F11);
        EXPECT_FALSE(g_screenshotRequested);
        window.Click(IDC_START_STOP);
        window.Tick();
    });
    EXPECT_EQ(FilesIn(dir.File(L"Glintcast_Output"), L"*.bmp").size(), 1u);
    ExpectFakesClean();
}

TEST_F(MainWindowTest, CtrlF11DuringARecordingWithoutVideoStaysPending)
{
    Run([&](MainWindow& window) {
        window.Click(IDC_RECORD_SCREEN);
        window.Click(IDC_START_STOP);
        window.HotKey(ID_HOTKEY_SCREENSHOT, VK_F11);
        EXPECT_TRUE(g_screenshotRequested);
        EXPECT_FALSE(g_screenshotReady);
        // A second press finds the first request pending and does nothing.
        g_screenshotRequested = false;
        window.HotKey(ID_HOTKEY_SCREENSHOT, VK_F11);
        EXPECT_FALSE(g_screenshotRequested);
        window.Click(IDC_START_STOP);
        window.Tick();
    });
    EXPECT_EQ(FilesIn(dir.File(L"Glintcast_Output"), L"*.bmp").size(), 0u);
}

TEST_F(MainWindowTest, AFailingRecordLoopShowsItsMessageThenTheTickResets)
{
    std::atomic<HWND> failureBox{nullptr};
    reply = [&](const MessageBoxRecord& box) {
        if (box.caption == L"错误") {
            failureBox = box.window;
            return 0;  // left open until the test answers it
        }
        return IDOK;
    };
    Run([&](MainWindow& window) {
        window.Click(IDC_START_STOP);
        // Past the loop's first acquire, whose result it does not look at.
        ASSERT_TRUE(WaitUntil([&] { return desktop->FramesShown() >= 3; }));
        video->Push(fakes::Failing(E_FAIL));
        ASSERT_TRUE(WaitUntil([&] { return failureBox.load() != nullptr; }));
        EXPECT_TRUE(g_stopRecording);
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        // The tick's reset waits for the video thread, which waits for its box;
        // the window's thread is blocked meanwhile, so its text is read without
        // a message.
        PostMessageW(window.Handle(), WM_TIMER, ID_TIMER_CLOCK, 0);
        Sleep(300);
        wchar_t text[32] = {};
        InternalGetWindowText(window.Control(IDC_START_STOP), text, 32);
        EXPECT_STREQ(text, L"停止录制");
        MessageBoxWatcher::Press(failureBox, IDOK);
        EXPECT_TRUE(WaitUntil([&] { return window.Text(IDC_START_STOP) == L"开始录制"; }));
    });
    const std::vector<MessageBoxRecord> boxes = Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"录制已停止，导致原因未知，你可以联系作者\n错误代码：-2147467259");
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_NE(boxes[0].threadId, GetCurrentThreadId());
    EXPECT_TRUE(Tones().empty());
    ExpectFakesClean();
}

} // namespace
