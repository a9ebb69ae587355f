// The main window's tray icon (and the data the shell gets for it) and its menu,
// its system-menu commands, and its closing sequence, over the fake engines.
#include "MainWindowFixture.h"
#include "NamedCase.h"

#include "DialogDriver.h"
#include "GlintcastDlg.h"
#include "Globals.h"
#include "NativeTool.h"

#include <gtest/gtest.h>

#include <map>

#include <atomic>
#include <cmath>
#include <set>
#include <sstream>
#include <thread>

namespace {

constexpr wchar_t kAboutCaption[] = L"关于 Glintcast（V4.0）";
constexpr wchar_t kStillRecording[] = L"录制还在进行中，确定停止录制并退出吗?";

BoxShown StillRecording()
{
    return {L"提示", kStillRecording, MB_YESNO | MB_ICONQUESTION, L"Glintcast"};
}

// Whether the window has its icon in the notification area: only an icon that
// exists can be modified.
bool TrayIconPresent(HWND window)
{
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = 128;
    return Shell_NotifyIconW(NIM_MODIFY, &data) != FALSE;
}

// The open pop-up menu of this process, or null.
HWND OpenMenuWindow()
{
    struct Search
    {
        HWND found = nullptr;
    } search;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            wchar_t cls[16] = {};
            GetClassNameW(window, cls, 16);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (wcscmp(cls, L"#32768") != 0 || pid != GetCurrentProcessId() || !IsWindowVisible(window))
                return TRUE;
            reinterpret_cast<Search*>(param)->found = window;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// A key pressed in the open menu: the menu's loop reads the thread's keys.
void MenuKey(HWND menu, UINT key)
{
    PostMessageW(menu, WM_KEYDOWN, key, 1);
    PostMessageW(menu, WM_KEYUP, key, 0xC0000001);
}

// Each item of a menu as "id text".
std::vector<std::wstring> MenuItems(HMENU menu)
{
    std::vector<std::wstring> items;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[64] = {};
        GetMenuStringW(menu, static_cast<UINT>(i), text, 64, MF_BYPOSITION);
        items.push_back(std::to_wstring(GetMenuItemID(menu, i)) + L" " + text);
    }
    return items;
}

// Whether the window handled a message without waiting for anything (a menu
// or a box it opened would keep it).
bool HandledAtOnce(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr)
{
    DWORD_PTR answer = 0;
    const bool handled = SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, 5000, &answer) != 0;
    if (result)
        *result = static_cast<LRESULT>(answer);
    return handled;
}

// Holds the record threads where they meet the fakes: the video thread in its
// wait for the next desktop frame, each sound thread where its endpoint makes
// packets. Notes every record thread it meets.
class RecordThreadGate
{
public:
    void Pass()
    {
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_threads.insert(GetCurrentThreadId());
        }
        if (!m_closed)
            return;
        ++m_inside;
        while (m_closed)
            Sleep(1);
        --m_inside;
    }
    void Close() { m_closed = true; }
    void Open() { m_closed = false; }
    int Inside() const { return m_inside; }
    // Whether every record thread met so far has ended.
    bool AllEnded() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        for (DWORD id : m_threads) {
            HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id);
            if (!thread)
                continue;  // gone already
            const bool ended = WaitForSingleObject(thread, 0) == WAIT_OBJECT_0;
            CloseHandle(thread);
            if (!ended)
                return false;
        }
        return true;
    }
    size_t ThreadsMet() const
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_threads.size();
    }

private:
    std::atomic<bool> m_closed{false};
    std::atomic<int> m_inside{0};
    mutable std::mutex m_mutex;
    std::set<DWORD> m_threads;
};

class MainWindowTrayTest : public MainWindowTest
{
protected:
    MainWindowTrayTest()
    {
        auto live = video->whenScriptEnds;
        video->whenScriptEnds = [this, live](UINT timeoutMs) {
            gate.Pass();
            return live(timeoutMs);
        };
        for (FakeMMDevice* device : {speakers, microphone})
            device->Client().CaptureClient().StreamLive(
                [this](uint64_t frame, unsigned channel) {
                    gate.Pass();
                    return static_cast<int16_t>(6000 * std::sin(frame * 0.05 + channel));
                },
                480);
    }
    ~MainWindowTrayTest() override { gate.Open(); }

    // Starts a recording of the screen, the system sound and the microphone.
    static void StartRecording(const MainWindow& window)
    {
        window.Click(IDC_RECORD_MIC);
        window.Click(IDC_START_STOP);
        ASSERT_EQ(window.Text(IDC_START_STOP), L"停止录制");
    }

    // Holds the three record threads; false when they did not all arrive.
    bool HoldRecordThreads()
    {
        gate.Close();
        return WaitUntil([this] { return gate.Inside() == 3; });
    }

    // Hotkeys the window held are free again.
    void ExpectHotKeysFree() const { EXPECT_TRUE(HeldHotKeys().empty()); }

    // While the window is open it holds both hotkeys.
    void ExpectHotKeysTaken() const
    {
        EXPECT_EQ(HeldHotKeys(), (std::map<int, UINT>{{ID_HOTKEY_RECORD, VK_F10}, {ID_HOTKEY_SCREENSHOT, VK_F11}}));
    }

    RecordThreadGate gate;
};

// ---- hiding in the tray and coming back ----

struct ShowCase : NamedCase
{
    std::function<void(const MainWindow&)> show;
};

class MainWindowTrayShowTest : public MainWindowTrayTest, public testing::WithParamInterface<ShowCase>
{
};

TEST_P(MainWindowTrayShowTest, MinimiseHidesInTheTrayAndTheIconBringsTheWindowBack)
{
    Run([&](MainWindow& window) {
        RECT before = {};
        GetWindowRect(window.Handle(), &before);
        EXPECT_FALSE(TrayIconPresent(window.Handle()));

        window.SysCommand(SC_MINIMIZE);
        EXPECT_FALSE(window.Visible());
        EXPECT_FALSE(IsIconic(window.Handle()));
        EXPECT_TRUE(TrayIconPresent(window.Handle()));

        GetParam().show(window);
        EXPECT_TRUE(window.Visible());
        EXPECT_FALSE(IsIconic(window.Handle()));
        EXPECT_FALSE(TrayIconPresent(window.Handle()));
        RECT after = {};
        GetWindowRect(window.Handle(), &after);
        EXPECT_TRUE(EqualRect(&before, &after));
    });
}

INSTANTIATE_TEST_SUITE_P(
    Ways, MainWindowTrayShowTest,
    testing::Values(ShowCase{{"DoubleClickOnTheIcon"},
                             [](const MainWindow& window) { EXPECT_EQ(window.Tray(WM_LBUTTONDBLCLK), 0); }},
                    ShowCase{{"ShowMainCommand"}, [](const MainWindow& window) { window.Command(ID_TRAY_SHOWMAIN); }}),
    CaseName());

// ---- the icon as the shell gets it ----

// The shell takes an icon's data as it comes: each field that the window's call
// back and the shell's display need.
void ExpectProgramIcon(const NOTIFYICONDATAW& data, HWND window)
{
    EXPECT_EQ(data.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(data.hWnd, window);
    EXPECT_EQ(data.uID, 128u);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.uCallbackMessage, static_cast<UINT>(WM_USER + 1));
    EXPECT_EQ(data.hIcon, LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_SMALL_ICON)));
    EXPECT_STREQ(data.szTip, L"Glintcast - 免费的超级轻量级无损桌面录制软件");
}

// The ways the icon goes, with whether the window is shown again.
struct IconGoesCase : NamedCase
{
    std::function<void(const MainWindow&, const NOTIFYICONDATAW& added)> remove;
    bool shown;
};

class MainWindowTrayDataTest : public MainWindowTrayTest, public testing::WithParamInterface<IconGoesCase>
{
};

TEST_P(MainWindowTrayDataTest, TheShellGetsTheProgramsIconThatCallsTheWindowBack)
{
    const IconGoesCase& row = GetParam();
    HWND main = nullptr;
    Run([&](MainWindow& window) {
        main = window.Handle();
        EXPECT_TRUE(TrayCalls().empty()) << "an icon before the window was minimised";
        window.SysCommand(SC_MINIMIZE);
        const std::vector<TrayCall> added = TrayCalls();
        ASSERT_EQ(added.size(), 1u);
        EXPECT_EQ(added[0].first, static_cast<DWORD>(NIM_ADD));
        ExpectProgramIcon(added[0].second, main);
        row.remove(window, added[0].second);
        if (row.shown) {
            EXPECT_TRUE(WaitUntil([&] { return window.Visible(); }));
        } else {
            EXPECT_TRUE(WaitUntil([&] { return !window.IsOpen(); }));
        }
    });
    const std::vector<TrayCall> calls = TrayCalls();
    ASSERT_GE(calls.size(), 2u);
    EXPECT_EQ(calls[1].first, static_cast<DWORD>(NIM_DELETE));
    ExpectProgramIcon(calls[1].second, main);
    // The closing deletes the icon whether it is there or not.
    for (size_t i = 1; i < calls.size(); ++i) {
        EXPECT_EQ(calls[i].first, static_cast<DWORD>(NIM_DELETE)) << i;
    }
    EXPECT_EQ(calls.size(), row.shown ? 3u : 2u);
}

INSTANTIATE_TEST_SUITE_P(
    Ways, MainWindowTrayDataTest,
    testing::Values(
        // A double click as the shell sends it: to the icon's window, with its
        // callback message and id.
        IconGoesCase{{"DoubleClickAsTheShellSendsIt"},
                     [](const MainWindow&, const NOTIFYICONDATAW& added) {
                         if (added.uFlags & NIF_MESSAGE)
                             SendMessageW(added.hWnd, added.uCallbackMessage, added.uID, WM_LBUTTONDBLCLK);
                     },
                     true},
        IconGoesCase{{"ShowMainCommand"},
                     [](const MainWindow& window, const NOTIFYICONDATAW&) { window.Command(ID_TRAY_SHOWMAIN); },
                     true},
        IconGoesCase{{"StopAndExitCommand"},
                     [](const MainWindow& window, const NOTIFYICONDATAW&) { window.Post(WM_COMMAND, ID_TRAY_STOPEXIT); },
                     false}),
    CaseName());

// ---- the taskbar made again ----

// What a new taskbar tells every top-level window.
void SendTaskbarCreated(const MainWindow& window)
{
    window.Send(RegisterWindowMessageW(L"TaskbarCreated"));
}

// What a restarted Explorer does: its new taskbar holds none of the old one's
// icons, and it says so.
void TaskbarMadeAgain(const MainWindow& window)
{
    NOTIFYICONDATAW data = {};
    data.cbSize = sizeof data;
    data.hWnd = window.Handle();
    data.uID = 128;
    Shell_NotifyIconW(NIM_DELETE, &data);
    SendTaskbarCreated(window);
}

TEST_F(MainWindowTrayTest, ANewTaskbarGetsTheIconAgainOnlyWhileTheWindowIsInTheTray)
{
    Run([&](MainWindow& window) {
        const HWND main = window.Handle();
        TaskbarMadeAgain(window);
        EXPECT_TRUE(TrayCalls().empty()) << "an icon for the shown window";

        window.SysCommand(SC_MINIMIZE);
        ASSERT_EQ(TrayCalls().size(), 1u);
        TaskbarMadeAgain(window);
        const std::vector<TrayCall> calls = TrayCalls();
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[1].first, static_cast<DWORD>(NIM_ADD));
        ExpectProgramIcon(calls[1].second, main);
        EXPECT_TRUE(TrayIconPresent(main));
        EXPECT_FALSE(window.Visible());

        // The new icon calls the window back as the first one did.
        const NOTIFYICONDATAW& added = calls[1].second;
        SendMessageW(added.hWnd, added.uCallbackMessage, added.uID, WM_LBUTTONDBLCLK);
        EXPECT_TRUE(window.Visible());
        EXPECT_FALSE(TrayIconPresent(main));
        ASSERT_EQ(TrayCalls().size(), 3u);
        EXPECT_EQ(TrayCalls()[2].first, static_cast<DWORD>(NIM_DELETE));

        TaskbarMadeAgain(window);
        EXPECT_EQ(TrayCalls().size(), 3u) << "an icon for the window shown again";
    });
}

struct RefusedIconCase : NamedCase
{
    bool atTheMinimise;  // else at the new taskbar's add
    bool iconKept;       // the new taskbar still shows the old icon
};

class MainWindowTrayRefusedTest : public MainWindowTrayTest, public testing::WithParamInterface<RefusedIconCase>
{
};

TEST_P(MainWindowTrayRefusedTest, AWindowTheShellTakesNoIconForIsMinimisedOntoTheTaskbar)
{
    Run([&](MainWindow& window) {
        const HWND main = window.Handle();
        shellRefusesIcons = GetParam().atTheMinimise;
        window.SysCommand(SC_MINIMIZE);
        if (!GetParam().atTheMinimise) {
            ASSERT_FALSE(window.Visible());
            shellRefusesIcons = true;
            if (GetParam().iconKept)
                SendTaskbarCreated(window);
            else
                TaskbarMadeAgain(window);
        }
        EXPECT_TRUE(window.Visible());
        EXPECT_TRUE(IsIconic(main));
        EXPECT_FALSE(TrayIconPresent(main));

        // Shown minimised, it needs no icon from the next taskbar either.
        shellRefusesIcons = false;
        const size_t calls = TrayCalls().size();
        TaskbarMadeAgain(window);
        EXPECT_EQ(TrayCalls().size(), calls);
        EXPECT_FALSE(TrayIconPresent(main));

        // Its taskbar button restores it, and the next minimise hides it in the tray.
        window.SysCommand(SC_RESTORE);
        EXPECT_TRUE(window.Visible());
        EXPECT_FALSE(IsIconic(main));
        window.SysCommand(SC_MINIMIZE);
        EXPECT_FALSE(window.Visible());
        EXPECT_TRUE(TrayIconPresent(main));
    });
}

INSTANTIATE_TEST_SUITE_P(Adds, MainWindowTrayRefusedTest,
                         testing::Values(RefusedIconCase{{"AtTheMinimise"}, true, false},
                                         RefusedIconCase{{"ByANewTaskbar"}, false, false},
                                         RefusedIconCase{{"ByANewTaskbarThatKeptTheOldIcon"}, false, true}),
                         CaseName());

struct IgnoredCase : NamedCase
{
    WPARAM iconId;
    LPARAM mouseMessage;
};

class MainWindowTrayIgnoredTest : public MainWindowTrayTest, public testing::WithParamInterface<IgnoredCase>
{
};

TEST_P(MainWindowTrayIgnoredTest, LeavesTheWindowHiddenAndOpensNoMenu)
{
    Run([&](MainWindow& window) {
        window.SysCommand(SC_MINIMIZE);
        LRESULT result = -1;
        EXPECT_TRUE(HandledAtOnce(window.Handle(), WM_TRAYNOTIFY, GetParam().iconId, GetParam().mouseMessage, &result));
        EXPECT_EQ(result, 0);
        EXPECT_FALSE(window.Visible());
        EXPECT_TRUE(TrayIconPresent(window.Handle()));
        if (HWND menu = OpenMenuWindow())
            MenuKey(menu, VK_ESCAPE);
    });
}

INSTANTIATE_TEST_SUITE_P(
    Events, MainWindowTrayIgnoredTest,
    testing::Values(IgnoredCase{{"DoubleClickOnAnotherIcon"}, 129, WM_LBUTTONDBLCLK},
                    IgnoredCase{{"PressOnAnotherIcon"}, 129, WM_RBUTTONDOWN},
                    IgnoredCase{{"LeftButtonUp"}, 128, WM_LBUTTONUP},
                    IgnoredCase{{"RightButtonUp"}, 128, WM_RBUTTONUP},
                    IgnoredCase{{"MouseMove"}, 128, WM_MOUSEMOVE},
                    IgnoredCase{{"RightDoubleClick"}, 128, WM_RBUTTONDBLCLK}),
    CaseName());

// ---- the tray menu ----

class MainWindowTrayMenuTest : public MainWindowTrayTest, public testing::WithParamInterface<UINT>
{
};

TEST_P(MainWindowTrayMenuTest, ButtonPressOpensTheMenuAtTheCursorAndEscClosesItWithoutACommand)
{
    Run([&](MainWindow& window) {
        window.SysCommand(SC_MINIMIZE);
        // The pointer stays where X has it: Wine takes a place set with
        // SetCursorPos back from X a moment later (when no window of its own
        // lets it warp X's pointer), so a place set here would not hold.
        POINT cursor = {};
        GetCursorPos(&cursor);
        ASSERT_TRUE(cursor.x > 0 && cursor.y > 0) << "a place no fixed default gives";
        window.Post(WM_TRAYNOTIFY, 128, GetParam());
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (menu = OpenMenuWindow()) != nullptr; }));
        RECT place = {};
        GetWindowRect(menu, &place);
        EXPECT_EQ(place.left, cursor.x);
        EXPECT_EQ(place.top, cursor.y);
        const HMENU items = reinterpret_cast<HMENU>(SendMessageW(menu, MN_GETHMENU, 0, 0));
        EXPECT_EQ(MenuItems(items), (std::vector<std::wstring>{L"32776 开始或停止", L"32778 截图",
                                                              L"32775 显示主界面", L"32777 停止并退出"}));
        MenuKey(menu, VK_ESCAPE);
        EXPECT_TRUE(WaitUntil([] { return OpenMenuWindow() == nullptr; }));
        // The window took no command: still hidden, still idle.
        EXPECT_TRUE(HandledAtOnce(window.Handle(), WM_NULL, 0, 0));
        EXPECT_FALSE(window.Visible());
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
    });
    EXPECT_TRUE(Tones().empty());
}

INSTANTIATE_TEST_SUITE_P(Buttons, MainWindowTrayMenuTest, testing::Values(WM_LBUTTONDOWN, WM_RBUTTONDOWN),
                         [](const testing::TestParamInfo<UINT>& info) {
                             return std::string(info.param == WM_LBUTTONDOWN ? "Left" : "Right");
                         });

TEST_F(MainWindowTrayTest, AnItemChosenInTheMenuReachesTheWindow)
{
    Run([&](MainWindow& window) {
        window.SysCommand(SC_MINIMIZE);
        window.Post(WM_TRAYNOTIFY, 128, WM_RBUTTONDOWN);
        HWND menu = nullptr;
        ASSERT_TRUE(WaitUntil([&] { return (menu = OpenMenuWindow()) != nullptr; }));
        // The third item: "显示主界面".
        for (int i = 0; i < 3; ++i)
            MenuKey(menu, VK_DOWN);
        MenuKey(menu, VK_RETURN);
        EXPECT_TRUE(WaitUntil([&] { return window.Visible(); }));
        EXPECT_FALSE(TrayIconPresent(window.Handle()));
    });
}

// ---- the tray's commands ----

struct ScreenshotCase : NamedCase
{
    bool recording;
    bool earlierPending;  // an earlier screenshot is still being saved
    bool requested;       // g_screenshotRequested afterwards
};

class MainWindowTrayScreenshotTest : public MainWindowTrayTest, public testing::WithParamInterface<ScreenshotCase>
{
};

TEST_P(MainWindowTrayScreenshotTest, RequestsAScreenshotOnlyWhileRecording)
{
    const ScreenshotCase& row = GetParam();
    Run([&](MainWindow& window) {
        if (row.recording) {
            StartRecording(window);
            // The video loop must not take the request before it is looked at.
            ASSERT_TRUE(HoldRecordThreads());
        }
        g_screenshotReady = !row.earlierPending;
        window.SysCommand(SC_MINIMIZE);
        window.Command(ID_TRAY_SCREENSHOT);
        EXPECT_EQ(g_screenshotRequested.load(), row.requested);
        EXPECT_EQ(g_screenshotReady.load(), !row.earlierPending);
        g_screenshotRequested = false;
        g_screenshotReady = true;
        gate.Open();
    });
}

INSTANTIATE_TEST_SUITE_P(States, MainWindowTrayScreenshotTest,
                         testing::Values(ScreenshotCase{{"Idle"}, false, false, false},
                                         ScreenshotCase{{"Recording"}, true, false, true},
                                         ScreenshotCase{{"RecordingWhileAnEarlierOneIsSaved"}, true, true, true}),
                         CaseName());

TEST_F(MainWindowTrayTest, StartStopStartsAndStopsWithTheirTones)
{
    Run([&](MainWindow& window) {
        window.SysCommand(SC_MINIMIZE);
        window.Command(ID_TRAY_STARTSTOP);
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        EXPECT_EQ(Tones(), (std::vector<std::pair<DWORD, DWORD>>{{2000, 100}, {5000, 100}}));
        ClearTones();
        window.Command(ID_TRAY_STARTSTOP);
        EXPECT_EQ(Tones(), (std::vector<std::pair<DWORD, DWORD>>{{5000, 100}, {2000, 100}}));
        window.Tick();
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
    });
    EXPECT_TRUE(Shown().empty());
    ExpectFakesClean();
}

// ---- the about entry of the system menu ----

TEST_F(MainWindowTrayTest, AboutEntryShowsTheAboutBoxEachTime)
{
    std::vector<bool> ownedByMain;
    Run([&](MainWindow& window) {
        for (UINT command : {IDM_ABOUTBOX, IDM_ABOUTBOX, IDM_ABOUTBOX | 0x3}) {
            window.Post(WM_SYSCOMMAND, command);
            HWND about = WaitForDialog(kAboutCaption);
            ASSERT_NE(about, nullptr) << command;
            ownedByMain.push_back(GetWindow(about, GW_OWNER) == window.Handle());
            DialogWindow(about).Close();
            ASSERT_TRUE(DialogWindow(about).WaitUntilClosed());
        }
        EXPECT_TRUE(window.IsOpen());
        EXPECT_TRUE(window.Visible());
    });
    EXPECT_EQ(ownedByMain, (std::vector<bool>{true, true, true}));
}

// ---- closing ----

struct CloseCase : NamedCase
{
    std::function<void(const MainWindow&)> close;
};

const CloseCase kCloseWays[] = {
    {{"CloseMessage"}, [](const MainWindow& window) { window.Post(WM_CLOSE); }},
    {{"CloseBox"}, [](const MainWindow& window) { window.Post(WM_SYSCOMMAND, SC_CLOSE); }},
    {{"Enter"}, [](const MainWindow& window) { window.Post(WM_COMMAND, IDOK); }},
    {{"EscCommand"}, [](const MainWindow& window) { window.Post(WM_COMMAND, IDCANCEL); }},
    {{"EscKey"}, [](const MainWindow& window) { DialogWindow(window.Handle()).PressEscape(); }},
    {{"TrayStopAndExit"}, [](const MainWindow& window) { window.Post(WM_COMMAND, ID_TRAY_STOPEXIT); }},
};

class MainWindowCloseIdleTest : public MainWindowTrayTest, public testing::WithParamInterface<CloseCase>
{
};

TEST_P(MainWindowCloseIdleTest, EndsWithoutAQuestionAndLetsEverythingGo)
{
    const INT_PTR result = Run([&](MainWindow& window) {
        GetParam().close(window);
        EXPECT_TRUE(WaitUntil([&] { return !window.IsOpen(); }));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_TRUE(Shown().empty());
    ExpectFakesClean();
    ExpectHotKeysFree();
}

INSTANTIATE_TEST_SUITE_P(Ways, MainWindowCloseIdleTest, testing::ValuesIn(kCloseWays),
                         CaseName());

struct CloseRecordingCase : NamedCase
{
    CloseCase way;
    bool hidden;  // the window is in the tray when the request comes
    int answer;
};

class MainWindowCloseRecordingTest : public MainWindowTrayTest,
                                     public testing::WithParamInterface<CloseRecordingCase>
{
};

TEST_P(MainWindowCloseRecordingTest, AsksFirstAndOnlyYesStopsAndEnds)
{
    const CloseRecordingCase& row = GetParam();
    int questions = 0;
    reply = [&](const MessageBoxRecord&) { return ++questions == 1 ? row.answer : IDYES; };
    const INT_PTR result = Run([&](MainWindow& window) {
        StartRecording(window);
        if (row.hidden)
            window.SysCommand(SC_MINIMIZE);
        row.way.close(window);
        if (row.answer == IDYES) {
            EXPECT_TRUE(WaitUntil([&] { return !window.IsOpen(); }));
            return;
        }
        ASSERT_TRUE(WaitUntil([&] { return questions == 1; }));
        // Answered No: the recording goes on, the window stays as it was.
        EXPECT_TRUE(HandledAtOnce(window.Handle(), WM_NULL, 0, 0));
        EXPECT_TRUE(window.IsOpen());
        EXPECT_EQ(window.Visible(), !row.hidden);
        EXPECT_EQ(TrayIconPresent(window.Handle()), row.hidden);
        EXPECT_FALSE(g_stopRecording);
        EXPECT_NE(g_videoCapture, nullptr);
        EXPECT_NE(g_systemAudioCapture, nullptr);
        EXPECT_NE(g_micCapture, nullptr);
        window.Tick();
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:01");
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        ExpectHotKeysTaken();
    });
    EXPECT_EQ(result, IDCANCEL);
    ASSERT_FALSE(Shown().empty());
    EXPECT_EQ(Shown().front(), StillRecording());
    EXPECT_EQ(Shown().size(), row.answer == IDYES ? 1u : 2u);
    EXPECT_TRUE(gate.AllEnded());
    ExpectFakesClean();
    ExpectHotKeysFree();
}

INSTANTIATE_TEST_SUITE_P(
    Answers, MainWindowCloseRecordingTest,
    testing::Values(CloseRecordingCase{{"CloseMessageYes"}, kCloseWays[0], false, IDYES},
                    CloseRecordingCase{{"CloseMessageNo"}, kCloseWays[0], false, IDNO},
                    CloseRecordingCase{{"EnterYes"}, kCloseWays[2], false, IDYES},
                    CloseRecordingCase{{"EnterNo"}, kCloseWays[2], false, IDNO},
                    CloseRecordingCase{{"EscKeyNo"}, kCloseWays[4], false, IDNO},
                    CloseRecordingCase{{"TrayStopAndExitYes"}, kCloseWays[5], true, IDYES},
                    CloseRecordingCase{{"TrayStopAndExitNoStaysHidden"}, kCloseWays[5], true, IDNO}),
    CaseName());

struct WaitCase : NamedCase
{
    bool stoppedFirst;  // the recording was stopped, and the clock has not reset the window yet
};

class MainWindowCloseWaitTest : public MainWindowTrayTest, public testing::WithParamInterface<WaitCase>
{
};

TEST_P(MainWindowCloseWaitTest, KeepsTheEnginesUntilTheRecordThreadsHaveEnded)
{
    const INT_PTR result = Run([&](MainWindow& window) {
        StartRecording(window);
        ASSERT_TRUE(HoldRecordThreads());
        if (GetParam().stoppedFirst) {
            window.Click(IDC_START_STOP);
            ASSERT_TRUE(g_stopRecording);
        }
        window.Post(WM_CLOSE);
        EXPECT_TRUE(WaitUntil([] { return g_stopRecording.load(); }));
        // The sequence waits: no engine goes and the window stays while a record thread runs.
        EXPECT_FALSE(WaitUntil([&] { return g_videoCapture == nullptr || g_systemAudioCapture == nullptr ||
                                            g_micCapture == nullptr || !window.IsOpen(); },
                               500));
        gate.Open();
        EXPECT_TRUE(WaitUntil([&] { return !window.IsOpen(); }));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(gate.ThreadsMet(), 3u);
    EXPECT_TRUE(gate.AllEnded());
    EXPECT_EQ(Shown().size(), GetParam().stoppedFirst ? 0u : 1u);
    ExpectFakesClean();
}

INSTANTIATE_TEST_SUITE_P(States, MainWindowCloseWaitTest,
                         testing::Values(WaitCase{{"WhileRecording"}, false}, WaitCase{{"AfterAStopBeforeTheReset"}, true}),
                         CaseName());

struct SecondRequestCase : NamedCase
{
    UINT message;
    WPARAM wParam;
};

class MainWindowSecondCloseTest : public MainWindowTrayTest, public testing::WithParamInterface<SecondRequestCase>
{
};

TEST_P(MainWindowSecondCloseTest, ARequestWhileTheQuestionIsOpenDoesNotCloseTwice)
{
    const SecondRequestCase& row = GetParam();
    std::atomic<HWND> main{nullptr};
    int questions = 0;
    // The second request is queued before the answer, so the question's own loop
    // delivers it while the question is still open.
    reply = [&](const MessageBoxRecord&) {
        if (++questions == 1)
            PostMessageW(main, row.message, row.wParam, 0);
        return IDYES;
    };
    const INT_PTR result = Run([&](MainWindow& window) {
        main = window.Handle();
        StartRecording(window);
        window.Post(WM_CLOSE);
        EXPECT_TRUE(WaitUntil([&] { return !window.IsOpen(); }));
    });
    EXPECT_EQ(result, IDCANCEL);
    EXPECT_EQ(Shown(), (std::vector<BoxShown>{StillRecording()}));
    EXPECT_TRUE(gate.AllEnded());
    ExpectFakesClean();
    ExpectHotKeysFree();
}

INSTANTIATE_TEST_SUITE_P(Requests, MainWindowSecondCloseTest,
                         testing::Values(SecondRequestCase{{"CloseAgain"}, WM_CLOSE, 0},
                                         SecondRequestCase{{"TrayStopAndExit"}, WM_COMMAND, ID_TRAY_STOPEXIT},
                                         SecondRequestCase{{"Enter"}, WM_COMMAND, IDOK},
                                         SecondRequestCase{{"Esc"}, WM_COMMAND, IDCANCEL}),
                         CaseName());

// ---- the session's end ----

// A sound file that its record loop finished: only the end of a stream writes
// its length and MD5 signature into STREAMINFO.
void ExpectFinishedFlac(const std::wstring& path)
{
    SCOPED_TRACE(Utf8(path));
    const std::string file = ShellQuote(UnixPath(path));
    const NativeResult test = RunNative("flac -t -s " + file);
    EXPECT_EQ(test.exitCode, 0) << test.output;
    const NativeResult info = RunNative("metaflac --show-total-samples --show-md5sum " + file);
    ASSERT_EQ(info.exitCode, 0) << info.output;
    std::istringstream lines(info.output);
    uint64_t samples = 0;
    std::string md5;
    lines >> samples >> md5;
    EXPECT_GT(samples, 0u) << info.output;
    EXPECT_EQ(md5.size(), 32u) << info.output;
    EXPECT_NE(md5, std::string(32, '0')) << "no MD5 signature";
}

// What the window is doing when the session ends.
struct EndSessionCase : NamedCase
{
    bool stoppedFirst;  // the recording was stopped, and the clock has not reset the window yet
    bool questionOpen;  // the closing question waits for its answer
};

class MainWindowEndSessionTest : public MainWindowTrayTest, public testing::WithParamInterface<EndSessionCase>
{
};

TEST_P(MainWindowEndSessionTest, TheRecordingsFilesAreWholeWhenTheWindowHasTakenTheSessionsEnd)
{
    const EndSessionCase& row = GetParam();
    int questions = 0;
    // An open question stays open until the test answers it (reply 0).
    reply = [&](const MessageBoxRecord&) { return ++questions == 1 && row.questionOpen ? 0 : IDYES; };
    Run([&](MainWindow& window) {
        StartRecording(window);
        ASSERT_TRUE(WaitForRecorded(13, 1));
        changed = true;
        ASSERT_TRUE(WaitUntil([&] { return changedFrames >= 5; }));
        ASSERT_TRUE(HoldRecordThreads());
        const int64_t shown = desktop->FramesShown();
        if (row.stoppedFirst) {
            window.Click(IDC_START_STOP);
            ASSERT_TRUE(g_stopRecording);
        }
        if (row.questionOpen) {
            window.Post(WM_CLOSE);
            ASSERT_TRUE(WaitUntil([&] { return Shown().size() == 1; }));
        }

        // A session that goes on changes nothing, and no question holds the end.
        const bool stopping = g_stopRecording;
        EXPECT_TRUE(HandledAtOnce(window.Handle(), WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF));
        EXPECT_EQ(g_stopRecording.load(), stopping);
        LRESULT mayEnd = FALSE;
        EXPECT_TRUE(HandledAtOnce(window.Handle(), WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, &mayEnd));
        EXPECT_EQ(mayEnd, TRUE);

        std::atomic<bool> returned{false};
        std::thread session([&] {
            SendMessageW(window.Handle(), WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
            returned = true;
        });
        EXPECT_FALSE(WaitUntil([&] { return returned.load(); }, 500)) << "no wait for the record threads";
        gate.Open();
        const bool came = WaitUntil([&] { return returned.load(); }, 60000);
        session.join();
        ASSERT_TRUE(came);

        // The process may end now: the files must be whole already.
        const std::wstring name = RecordingBase();
        ASSERT_FALSE(name.empty());
        const std::wstring base = dir.File(L"Glintcast_Output\\") + name;
        ExpectTheChangedDesktopAtTheEnd(base + L".264", static_cast<int>(shown) - 1);
        for (const wchar_t* sound : {L".flac", L".MIC.flac"})
            ExpectFinishedFlac(base + sound);

        if (row.questionOpen)
            MessageBoxWatcher::Press(Boxes().at(0).window, IDNO);
    });
    EXPECT_EQ(Shown(), row.questionOpen ? std::vector<BoxShown>{StillRecording()} : std::vector<BoxShown>{});
    EXPECT_TRUE(gate.AllEnded());
    ExpectFakesClean();
    ExpectHotKeysFree();
}

INSTANTIATE_TEST_SUITE_P(
    States, MainWindowEndSessionTest,
    testing::Values(EndSessionCase{{"WhileRecording"}, false, false},
                    EndSessionCase{{"AfterAStopBeforeTheReset"}, true, false},
                    EndSessionCase{{"WhileTheClosingQuestionIsOpen"}, false, true}),
    CaseName());

} // namespace
