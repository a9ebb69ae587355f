// The options of the next recording on the running window: the folder picker,
// the region overlay and its presets, the record-screen option and the time
// limit, also while a recording runs; and a region of the second monitor
// recorded end to end.
#include "MainWindowFixture.h"

#include "DialogDriver.h"
#include "GeometryPrinters.h"
#include "GlintcastDlg.h"
#include "Globals.h"
#include "H264Stream.h"
#include "NamedCase.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>

namespace {

constexpr wchar_t kPresetCaption[] = L"选择预设分辨率";
constexpr wchar_t kTimeCaption[] = L"设置时间";
constexpr wchar_t kFolderPickerCaption[] = L"选择文件夹";
// Wine's picker names its file-name field so.
constexpr int kFileNameField = 0x480;
constexpr int kPresetList = 1024;
constexpr int kTimeEdit = 1002;

using DialogAct = std::function<void(const DialogWindow&)>;

// Clicks button id of the main window and acts on the modal dialog that the
// click opens once it is up; returns when the window has handled the click.
// False when no such dialog came up.
bool ClickAndDrive(const MainWindow& window, int id, const std::wstring& caption, const DialogAct& act)
{
    std::thread click([&] { window.Click(id); });
    const HWND opened = WaitForDialog(caption);
    if (opened) {
        act(DialogWindow(opened));
        if (DialogWindow(opened).IsOpen())
            PostMessageW(opened, WM_CLOSE, 0, 0);
    }
    click.join();
    return opened != nullptr;
}

SIZE ClientSize(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    return {client.right - client.left, client.bottom - client.top};
}

// Moves and sizes window so that its client area lies at clientAt (screen
// coordinates) with the given size, as the user would by dragging it.
void PlaceClientArea(HWND window, POINT clientAt, SIZE clientSize)
{
    RECT frame = {};
    GetWindowRect(window, &frame);
    POINT client = {0, 0};
    ClientToScreen(window, &client);
    const SIZE now = ClientSize(window);
    const int extraWidth = (frame.right - frame.left) - now.cx;
    const int extraHeight = (frame.bottom - frame.top) - now.cy;
    SetWindowPos(window, nullptr, clientAt.x - (client.x - frame.left), clientAt.y - (client.y - frame.top),
                 clientSize.cx + extraWidth, clientSize.cy + extraHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring Caption(HWND window)
{
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

class MainWindowOptionsTest : public MainWindowTest
{
protected:
    HWND Overlay() const { return dialog->m_pRegionDlg->GetSafeHwnd(); }
    bool OverlayShown() const { return IsWindowVisible(Overlay()) != FALSE; }

    // The select-region button with the picker ended by act.
    bool SelectRegion(const MainWindow& window, const DialogAct& act)
    {
        return ClickAndDrive(window, IDC_SELECT_REGION, kPresetCaption, act);
    }

    // Esc, as the user leaves the overlay: the window is hidden.
    void HideOverlay(const MainWindow& window)
    {
        const HWND overlay = Overlay();
        SendMessageW(overlay, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
        window.Send(WM_NULL);
    }

    // The set-time button with the entry typed and the dialog ended by end.
    bool SetTime(const MainWindow& window, const std::wstring& entry, const DialogAct& end)
    {
        return ClickAndDrive(window, IDC_SET_TIME, kTimeCaption, [&](const DialogWindow& d) {
            d.Type(kTimeEdit, entry);
            end(d);
        });
    }
};

const DialogAct kOk = [](const DialogWindow& d) { d.Click(IDOK); };
const DialogAct kEscape = [](const DialogWindow& d) { d.PressEscape(); };
const DialogAct kCloseBox = [](const DialogWindow& d) { d.Close(); };

// ---- Output folder ----

TEST_F(MainWindowOptionsTest, TheChosenFolderLandsInTheFolderFieldUnchangedAndCancelKeepsIt)
{
    const std::wstring folder = dir.File(L"录像 输出");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    const std::wstring before = L"D:\\Earlier";
    struct Case
    {
        const char* how;
        DialogAct act;
        std::wstring expected;
    };
    const Case cases[] = {
        {"typed, Cancel", [&](const DialogWindow& d) { d.Type(kFileNameField, folder); d.Click(IDCANCEL); }, before},
        {"close box", kCloseBox, before},
        {"typed, OK", [&](const DialogWindow& d) { d.Type(kFileNameField, folder); d.Click(IDOK); }, folder},
    };
    Run([&](MainWindow& window) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.how);
            SetWindowTextW(window.Control(IDC_OUTPUT_DIR), before.c_str());
            EXPECT_TRUE(ClickAndDrive(window, IDC_BROWSE_OUTPUT, kFolderPickerCaption, c.act));
            EXPECT_EQ(window.Text(IDC_OUTPUT_DIR), c.expected);
        }
    });
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

// ---- Region overlay ----

TEST_F(MainWindowOptionsTest, ThePickerSetsTheOverlaysClientSizeWithEscAs1024x768)
{
    struct Case
    {
        const char* how;
        DialogAct act;
        SIZE client;
    };
    const Case cases[] = {
        {"845x480, OK", [](const DialogWindow& d) { d.Pick(kPresetList, 0); d.Click(IDOK); }, {854, 480}},
        {"800X600, Enter", [](const DialogWindow& d) { d.Pick(kPresetList, 1); d.PressEnter(); }, {800, 600}},
        {"Enter at once", [](const DialogWindow& d) { d.PressEnter(); }, {1280, 720}},
        {"Esc", kEscape, {1024, 768}},
        {"close box", kCloseBox, {1024, 768}},
    };
    Run([&](MainWindow& window) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.how);
            ASSERT_TRUE(SelectRegion(window, c.act));
            ASSERT_TRUE(OverlayShown());
            const SIZE client = ClientSize(Overlay());
            EXPECT_EQ(client.cx, c.client.cx);
            EXPECT_EQ(client.cy, c.client.cy);
            const CRect region = dialog->m_pRegionDlg->m_rcRegion;
            EXPECT_EQ(region.Width(), c.client.cx);
            EXPECT_EQ(region.Height(), c.client.cy);
            EXPECT_EQ(Caption(Overlay()), L"Glintcast录制区域 - 分辨率: " + std::to_wstring(c.client.cx) + L" x " +
                                              std::to_wstring(c.client.cy));
            RECT frame = {};
            GetWindowRect(Overlay(), &frame);
            EXPECT_EQ(frame.left, 0);
            EXPECT_EQ(frame.top, 0);
            HideOverlay(window);
            EXPECT_FALSE(OverlayShown());
        }
    });
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

TEST_F(MainWindowOptionsTest, SelectRegionDoesNothingWhileTheOverlayIsShown)
{
    Run([&](MainWindow& window) {
        ASSERT_TRUE(SelectRegion(window, kEscape));
        const HWND overlay = Overlay();
        const CRect region = dialog->m_pRegionDlg->m_rcRegion;

        std::atomic<bool> handled{false};
        std::thread click([&] {
            window.Click(IDC_SELECT_REGION);
            handled = true;
        });
        HWND picker = nullptr;
        WaitUntil([&] { return handled || (picker = FindDialog(kPresetCaption)) != nullptr; });
        if (picker)
            PostMessageW(picker, WM_CLOSE, 0, 0);
        click.join();

        EXPECT_EQ(picker, nullptr) << "the picker came up";
        EXPECT_EQ(Overlay(), overlay);
        EXPECT_TRUE(OverlayShown());
        EXPECT_EQ(dialog->m_pRegionDlg->m_rcRegion, region);
    });
    ExpectFakesClean();
}

TEST_F(MainWindowOptionsTest, AHiddenOverlayIsReplacedByANewWindow)
{
    constexpr wchar_t kMark[] = L"GlintcastTestOverlayMark";
    Run([&](MainWindow& window) {
        ASSERT_TRUE(SelectRegion(window, kEscape));
        const HWND first = Overlay();
        ASSERT_TRUE(SetPropW(first, kMark, reinterpret_cast<HANDLE>(1)));
        HideOverlay(window);
        ASSERT_FALSE(IsWindowVisible(first));

        ASSERT_TRUE(SelectRegion(window, [](const DialogWindow& d) { d.Pick(kPresetList, 0); d.Click(IDOK); }));
        EXPECT_TRUE(OverlayShown());
        EXPECT_EQ(GetPropW(Overlay(), kMark), nullptr) << "the hidden window was shown again";
        EXPECT_FALSE(IsWindowVisible(first));
        EXPECT_EQ(ClientSize(Overlay()).cx, 854);
    });
    ExpectFakesClean();
}

// ---- Record-screen option ----

TEST_F(MainWindowOptionsTest, UntickingRecordScreenHidesTheOverlayAndTickingLeavesItHidden)
{
    const int controls[] = {IDC_FRAME_RATE, IDC_DRAW_CURSOR, IDC_SELECT_REGION};
    Run([&](MainWindow& window) {
        ASSERT_TRUE(SelectRegion(window, kEscape));
        const HWND overlay = Overlay();

        window.Click(IDC_RECORD_SCREEN);
        EXPECT_FALSE(window.Checked(IDC_RECORD_SCREEN));
        for (int id : controls)
            EXPECT_FALSE(window.Enabled(id)) << id;
        EXPECT_FALSE(IsWindowVisible(overlay));
        EXPECT_TRUE(IsWindow(overlay)) << "hidden, not destroyed";

        window.Click(IDC_RECORD_SCREEN);
        EXPECT_TRUE(window.Checked(IDC_RECORD_SCREEN));
        for (int id : controls)
            EXPECT_TRUE(window.Enabled(id)) << id;
        EXPECT_FALSE(OverlayShown());
    });
    ExpectFakesClean();
}

// ---- Time limit ----

TEST_F(MainWindowOptionsTest, SetTimeStoresEveryConfirmedTimeAndACancelRewritesTheDisplay)
{
    // One after the other: a cancel keeps what the step before it stored.
    struct Step
    {
        const char* how;
        std::wstring entry;
        DialogAct end;
        UINT counter;
        std::wstring display;
    };
    const Step steps[] = {
        {"25:00:00, OK", L"25:00:00", kOk, 90000, L"01:00:00"},
        {"00:00:02, Esc", L"00:00:02", kEscape, 90000, L"01:00:00"},
        {"00:00:02, OK", L"00:00:02", kOk, 2, L"00:00:02"},
        {"0:0:45, close box", L"0:0:45", kCloseBox, 2, L"00:00:02"},
        {"0:0:45, Enter", L"0:0:45", [](const DialogWindow& d) { d.PressEnter(); }, 45, L"00:00:45"},
        {"abc, OK", L"abc", kOk, 0, L"00:00:00"},
    };
    Run([&](MainWindow& window) {
        for (const Step& s : steps) {
            SCOPED_TRACE(s.how);
            // Something else in the display, to see that the handler writes it.
            SetWindowTextW(window.Control(IDC_TIME_DISPLAY), L"--");
            ASSERT_TRUE(SetTime(window, s.entry, s.end));
            EXPECT_EQ(dialog->m_nTimeSeconds, s.counter);
            EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), s.display);
        }
    });
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

// The screen the only source on.
void RecordOnlyScreen(const MainWindow& window)
{
    window.SetChecked(IDC_RECORD_SCREEN, true);
    window.SetChecked(IDC_RECORD_SYSTEM_AUDIO, false);
    window.SetChecked(IDC_RECORD_MIC, false);
}

// A recording without sources: only the clock runs.
void StartClockOnly(const MainWindow& window)
{
    window.SetChecked(IDC_RECORD_SCREEN, false);
    window.SetChecked(IDC_RECORD_SYSTEM_AUDIO, false);
    window.SetChecked(IDC_RECORD_MIC, false);
    window.Click(IDC_START_STOP);
}

TEST_F(MainWindowOptionsTest, ANewLimitDuringACountdownMakesTheCountJumpAndGoOn)
{
    Run([&](MainWindow& window) {
        ASSERT_TRUE(SetTime(window, L"00:00:10", kOk));
        StartClockOnly(window);
        ASSERT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        window.Tick();
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:09");

        ASSERT_TRUE(SetTime(window, L"00:01:00", kOk));
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:01:00");
        window.Tick();
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:59");
        window.Tick();
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:58");
        EXPECT_FALSE(g_stopRecording);

        // A cancel during the countdown changes nothing.
        ASSERT_TRUE(SetTime(window, L"00:00:02", kEscape));
        window.Tick();
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:57");

        window.Click(IDC_START_STOP);
        window.Tick();
    });
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

TEST_F(MainWindowOptionsTest, NoLimitDuringACountdownCountsTheElapsedTimeForThatRecordingOnly)
{
    using ToneList = std::vector<std::pair<DWORD, DWORD>>;
    Run([&](MainWindow& window) {
        ASSERT_TRUE(SetTime(window, L"00:00:03", kOk));
        StartClockOnly(window);
        window.Tick();
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:02");

        // 00:00:00 means no limit: the elapsed time from here on.
        ASSERT_TRUE(SetTime(window, L"00:00:00", kOk));
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:00");
        for (const wchar_t* shown : {L"00:00:01", L"00:00:02", L"00:00:03", L"00:00:04"}) {
            window.Tick();
            EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), shown);
        }
        EXPECT_FALSE(g_stopRecording) << "the recording stopped by itself";
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");

        // Started as a countdown: the reset plays the countdown's pair.
        window.Click(IDC_START_STOP);
        window.Tick();
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:00");
        EXPECT_EQ(Tones(), (ToneList{{5000, 100}, {2000, 100}}));

        // The next recording's limit counts down and ends it.
        ClearTones();
        ASSERT_TRUE(SetTime(window, L"00:00:02", kOk));
        window.Click(IDC_START_STOP);
        window.Tick();
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:01");
        window.Tick();
        EXPECT_TRUE(g_stopRecording);
        window.Tick();
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
        EXPECT_EQ(Tones(), (ToneList{{5000, 100}, {2000, 100}}));
    });
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

TEST_F(MainWindowOptionsTest, ALimitAfterNoLimitDuringACountdownEndsTheRecordingByItself)
{
    std::vector<std::wstring> shown;
    Run([&](MainWindow& window) {
        ASSERT_TRUE(SetTime(window, L"00:00:05", kOk));
        StartClockOnly(window);
        window.Tick();
        ASSERT_TRUE(SetTime(window, L"00:00:00", kOk));
        window.Tick();
        window.Tick();
        ASSERT_TRUE(SetTime(window, L"00:00:02", kOk));
        for (int tick = 0; tick < 2; ++tick) {
            EXPECT_FALSE(g_stopRecording);
            window.Tick();
            shown.push_back(window.Text(IDC_TIME_DISPLAY));
        }
        EXPECT_TRUE(g_stopRecording) << "the countdown did not end the recording";
        EXPECT_TRUE(Tones().empty());
        window.Tick();
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
    });
    EXPECT_EQ(shown, (std::vector<std::wstring>{L"00:00:01", L"00:00:00"}));
    EXPECT_EQ(Tones(), (std::vector<std::pair<DWORD, DWORD>>{{5000, 100}, {2000, 100}}));
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

// ---- The options while a recording runs ----

// A whole-monitor recording of the screen alone; one option is used while it
// runs, then the desktop changes, so that the stream shows whether the recording
// went on with its picture; then the next start takes what the option left.
class MainWindowRecordingOptionsTest;

struct WhileRecordingCase : NamedCase
{
    // Uses the option during the recording and checks what it changed at once.
    void (MainWindowRecordingOptionsTest::*use)(const MainWindow&);
    // Runs the next recording and checks that it takes the option.
    void (MainWindowRecordingOptionsTest::*next)(const MainWindow&);
};

class MainWindowRecordingOptionsTest : public MainWindowOptionsTest,
                                       public testing::WithParamInterface<WhileRecordingCase>
{
protected:
    bool VideoThreadRuns() const
    {
        return dialog->m_hVideoThread && WaitForSingleObject(dialog->m_hVideoThread, 0) == WAIT_TIMEOUT;
    }

    std::vector<std::wstring> Streams(const std::wstring& folder) const { return FilesIn(folder, L"*.264"); }

public:
    // The rows' steps.
    void BrowseToNextFolder(const MainWindow& window)
    {
        ASSERT_TRUE(CreateDirectoryW(nextFolder.c_str(), nullptr));
        ASSERT_TRUE(ClickAndDrive(window, IDC_BROWSE_OUTPUT, kFolderPickerCaption, [&](const DialogWindow& d) {
            d.Type(kFileNameField, nextFolder);
            d.Click(IDOK);
        }));
        EXPECT_EQ(window.Text(IDC_OUTPUT_DIR), nextFolder);
        EXPECT_EQ(g_outputDir, L".\\Glintcast_Output\\") << "the running recording's folder changed";
    }

    void RecordIntoTheNextFolder(const MainWindow& window)
    {
        window.Click(IDC_START_STOP);
        EXPECT_EQ(g_outputDir, nextFolder + L"\\");
        window.Click(IDC_START_STOP);
        window.Tick();
        EXPECT_EQ(Streams(nextFolder).size(), 1u);
    }

    void OpenAnOverlay(const MainWindow& window)
    {
        ASSERT_TRUE(SelectRegion(window, kEscape));
        EXPECT_TRUE(OverlayShown());
        EXPECT_FALSE(GetWindowLongW(Overlay(), GWL_EXSTYLE) & WS_EX_TRANSPARENT) << "the overlay takes no mouse input";
    }

    void RecordTheRegion(const MainWindow& window)
    {
        PlaceClientArea(Overlay(), {100, 100}, {320, 240});
        window.Click(IDC_START_STOP);
        EXPECT_TRUE(GetWindowLongW(Overlay(), GWL_EXSTYLE) & WS_EX_TRANSPARENT);
        const int64_t shown = desktop->FramesShown();
        ASSERT_TRUE(WaitUntil([&] { return desktop->FramesShown() >= shown + 3; }));
        window.Click(IDC_START_STOP);
        window.Tick();
        // A start within the same second as the first one writes over its file.
        std::wstring stream = firstStream;
        for (const std::wstring& name : Streams(output))
            if (name != firstStream)
                stream = name;
        EXPECT_GT(CheckRecordedStream(ReadFileBytes(output + L"\\" + stream), 30, 320, 240), 0);
    }

    void UntickRecordScreen(const MainWindow& window)
    {
        window.Click(IDC_RECORD_SCREEN);
        EXPECT_FALSE(window.Checked(IDC_RECORD_SCREEN));
        EXPECT_FALSE(window.Enabled(IDC_FRAME_RATE));
    }

    void RecordWithoutVideo(const MainWindow& window)
    {
        window.Click(IDC_START_STOP);
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        EXPECT_EQ(dialog->m_hVideoThread, nullptr);
        window.Click(IDC_START_STOP);
        window.Tick();
        EXPECT_EQ(Streams(output).size(), 1u);
    }

protected:
    const std::wstring output = dir.File(L"Glintcast_Output");
    const std::wstring nextFolder = dir.File(L"next");
    std::wstring firstStream;  // the whole-monitor recording's, in output
};

TEST_P(MainWindowRecordingOptionsTest, TheRunningRecordingGoesOnAndTheNextStartTakesTheOption)
{
    const WhileRecordingCase& row = GetParam();
    Run([&](MainWindow& window) {
        RecordOnlyScreen(window);
        window.Click(IDC_START_STOP);
        ASSERT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        ASSERT_TRUE(WaitUntil([&] { return desktop->FramesShown() >= 3; }));

        (this->*row.use)(window);
        EXPECT_TRUE(VideoThreadRuns());
        changed = true;
        ASSERT_TRUE(WaitUntil([&] { return changedFrames >= 5; }));
        EXPECT_FALSE(g_stopRecording);
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        window.Click(IDC_START_STOP);
        window.Tick();
        ASSERT_EQ(window.Text(IDC_START_STOP), L"开始录制");
        const std::vector<std::wstring> streams = Streams(output);
        ASSERT_EQ(streams.size(), 1u);
        firstStream = streams[0];
        ExpectTheChangedDesktopAtTheEnd(output + L"\\" + firstStream);

        (this->*row.next)(window);
    });
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

INSTANTIATE_TEST_SUITE_P(
    Options, MainWindowRecordingOptionsTest,
    testing::Values(WhileRecordingCase{{"BrowseOutputFolder"}, &MainWindowRecordingOptionsTest::BrowseToNextFolder,
                                       &MainWindowRecordingOptionsTest::RecordIntoTheNextFolder},
                    WhileRecordingCase{{"SelectRegion"}, &MainWindowRecordingOptionsTest::OpenAnOverlay,
                                       &MainWindowRecordingOptionsTest::RecordTheRegion},
                    WhileRecordingCase{{"UntickRecordScreen"}, &MainWindowRecordingOptionsTest::UntickRecordScreen,
                                       &MainWindowRecordingOptionsTest::RecordWithoutVideo}),
    CaseName());

// ---- The start's region check ----

TEST_F(MainWindowOptionsTest, AStartTakesOnlyARegionInsideTheSelectedMonitor)
{
    // Monitor 1 covers desktop x 640 to 1280, y 0 to 480.
    struct Case
    {
        const char* how;
        POINT clientAt;
        SIZE clientSize;
        bool accepted;
    };
    const Case cases[] = {
        {"on monitor 0", {100, 100}, {400, 240}, false},
        {"partly right of monitor 1", {1000, 100}, {400, 240}, false},
        {"partly below monitor 1", {700, 300}, {400, 240}, false},
        {"up to monitor 1's right and bottom edges", {880, 240}, {400, 240}, true},
    };
    Run([&](MainWindow& window) {
        window.Pick(IDC_SCREEN_LIST, 1);
        RecordOnlyScreen(window);
        ASSERT_TRUE(SelectRegion(window, kEscape));
        for (const Case& c : cases) {
            SCOPED_TRACE(c.how);
            PlaceClientArea(Overlay(), c.clientAt, c.clientSize);
            const size_t boxesBefore = Boxes().size();
            window.Click(IDC_START_STOP);
            const bool clickThrough = (GetWindowLongW(Overlay(), GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0;
            const std::vector<MessageBoxRecord> boxes = Boxes();
            if (c.accepted) {
                EXPECT_EQ(boxes.size(), boxesBefore);
                EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
                EXPECT_TRUE(clickThrough);
                window.Click(IDC_START_STOP);
                window.Tick();
                continue;
            }
            ASSERT_EQ(boxes.size(), boxesBefore + 1);
            EXPECT_EQ(boxes.back().caption, L"错误");
            EXPECT_EQ(boxes.back().text, L"录制区域超界");
            EXPECT_TRUE(boxes.back().IsPlainOk());
            EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
            EXPECT_FALSE(clickThrough);
            EXPECT_EQ(dialog->m_hVideoThread, nullptr);
            EXPECT_TRUE(OverlayShown());
        }
    });
    ExpectFakesClean();
}

// ---- A region recorded end to end ----

// The part of picture at left, top of size width x height, packed BGRA.
std::vector<uint32_t> Crop(const fakes::Picture& picture, int left, int top, int width, int height)
{
    std::vector<uint32_t> part;
    for (int y = top; y < top + height; ++y)
        for (int x = left; x < left + width; ++x)
            part.push_back(picture.At(x, y));
    return part;
}

TEST_F(MainWindowOptionsTest, ARegionOfTheSecondMonitorIsRecordedFromThatMonitorsPicture)
{
    // The client area in screen coordinates: odd in both directions, so the
    // region is trimmed to 400 x 240; monitor 1 starts at desktop x 640.
    const POINT clientAt = {700, 100};
    const SIZE clientSize = {401, 241};
    const RECT expectedRegion = {700, 100, 1100, 340};
    const POINT inPicture = {60, 100};
    const int width = 400;
    const int height = 240;

    Run([&](MainWindow& window) {
        window.Pick(IDC_SCREEN_LIST, 1);
        ASSERT_EQ(window.Selected(IDC_SCREEN_LIST), L"1");
        RecordOnlyScreen(window);
        ASSERT_TRUE(SelectRegion(window, kEscape));

        const HWND overlay = Overlay();
        PlaceClientArea(overlay, clientAt, clientSize);
        ASSERT_EQ(dialog->m_pRegionDlg->m_rcRegion, CRect(expectedRegion));

        window.Click(IDC_START_STOP);
        ASSERT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        EXPECT_TRUE(GetWindowLongW(overlay, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
        Sleep(1000);  // a second of the live desktop
        window.Click(IDC_START_STOP);
        window.Tick();
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
        EXPECT_FALSE(GetWindowLongW(overlay, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
    });
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();

    const std::vector<std::wstring> names = FilesIn(dir.File(L"Glintcast_Output"), L"*.264");
    ASSERT_EQ(names.size(), 1u);
    const std::wstring stream = dir.File(L"Glintcast_Output\\") + names[0];
    const int pictures = CheckRecordedStream(ReadFileBytes(stream), 30, width, height);
    ASSERT_GT(pictures, 1);
    const DecodedStream decoded = DecodeStream(stream, width, height);
    ASSERT_EQ(decoded.exitCode, 0) << decoded.messages;
    ASSERT_EQ(decoded.Pictures(), pictures);

    std::vector<std::vector<uint32_t>> parts;
    for (int index = 0; index < kDesktopPictures; ++index)
        parts.push_back(Crop(*DesktopPicture(index), inPicture.x, inPicture.y, width, height));
    for (int i = 0; i < pictures; ++i) {
        double closest = 1e9;
        for (const auto& part : parts)
            closest = std::min(closest, decoded.Difference(i, part));
        EXPECT_LT(closest, 3.0) << "picture " << i;
    }
}

} // namespace
