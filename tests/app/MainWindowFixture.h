#pragma once

// The main window run for real on the test's thread, over the fake engines: two
// monitors (the second with its desktop origin elsewhere), playback and
// recording endpoints whose names sort otherwise than their enumeration order,
// a fake speaker, a fake version test, and a clock that ticks only when the test
// sends WM_TIMER. The test acts on the window from a helper thread, as a user
// would, through window messages.
#include "FakeAudioSystem.h"
#include "FakeSystem.h"
#include "LiveDesktop.h"
#include "MessageBoxWatcher.h"
#include "RealClock.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include <atomic>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

// Waits until done() holds; false after limitMs.
bool WaitUntil(const std::function<bool()>& done, DWORD limitMs = 10000);
class CGlintcastDlg;

// The main window as the helper thread sees it.
class MainWindow
{
public:
    explicit MainWindow(HWND window) : m_window(window) {}
    HWND Handle() const { return m_window; }
    HWND Control(int id) const { return GetDlgItem(m_window, id); }

    std::wstring Text(int id) const;
    bool Enabled(int id) const { return IsWindowEnabled(Control(id)) != FALSE; }
    bool Checked(int id) const;
    std::vector<std::wstring> Items(int listId) const;
    // The text of the selected item; empty when none is.
    std::wstring Selected(int listId) const;
    bool Visible() const { return IsWindowVisible(m_window) != FALSE; }
    bool IsOpen() const { return IsWindow(m_window) != FALSE; }

    // A click on a button or check box, as the user makes it; returns when the
    // window has handled it (a message box it opens must be answered first).
    void Click(int id) const;
    // Clicks check box id when its state is not already the one asked for.
    void SetChecked(int id, bool on) const;
    // One tick of the recording clock.
    void Tick() const;
    void HotKey(int id, UINT virtualKey) const;
    void Command(UINT id) const;
    void SysCommand(UINT id) const;
    LRESULT Tray(LPARAM mouseMessage, WPARAM iconId = 128) const;
    // A pick in a list as the user makes it (selection, then CBN_SELCHANGE).
    void Pick(int listId, int index) const;
    // Replaces a control's text as the user would type it over.
    void SetText(int id, const std::wstring& text) const;
    // Sets the time limit through the time dialog, typed and confirmed with Enter.
    bool SetTimeLimit(const std::wstring& text) const;
    void Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;
    void Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) const;

private:
    HWND m_window;
};

// A box's caption and text, in the order the boxes came.
using BoxSeen = std::pair<std::wstring, std::wstring>;

// A message box as the user met it: its style rebuilt from its buttons and its
// icon (MB_OK, MB_OKCANCEL, MB_YESNO or MB_YESNOCANCEL with one MB_ICON* or
// none), and the caption of the window that owns it ("" for none).
struct BoxShown
{
    std::wstring caption;
    std::wstring text;
    UINT style = 0;
    std::wstring owner;
};
bool operator==(const BoxShown& a, const BoxShown& b);
void PrintTo(const BoxShown& box, std::ostream* out);

class MainWindowTest : public testing::Test
{
protected:
    MainWindowTest();
    ~MainWindowTest() override;

    // Runs the main window modally until it ends. act runs on a helper thread
    // once the window is shown (the about box has been closed on the way); the
    // window is closed afterwards if act left it open. Returns DoModal's result.
    INT_PTR Run(const std::function<void(MainWindow&)>& act);

    // The events of the run in order: "box:<caption>" for each message box as it
    // came up, "about" for the about box, "main" when the window was shown,
    // "tone:<hertz>" for each tone.
    std::vector<std::string> Events() const;
    // Every message box of the run: caption, text.
    std::vector<MessageBoxRecord> Boxes() const { return boxes.Boxes(); }
    // The same boxes with their styles and owners.
    std::vector<BoxShown> Shown() const;
    // The tones played, frequency and duration.
    std::vector<std::pair<DWORD, DWORD>> Tones() const;
    void ClearTones();
    // SetTimer calls on the main window: id and period.
    std::vector<std::pair<UINT_PTR, UINT>> Timers() const;
    // What the shell received for the tray icon, in order: the message (NIM_ADD,
    // NIM_DELETE, ...) and a copy of the data. Each call is passed on to the shell.
    using TrayCall = std::pair<DWORD, NOTIFYICONDATAW>;
    std::vector<TrayCall> TrayCalls() const;

    // The global hotkeys as the window holds them: id and virtual key (with Ctrl),
    // on the main window. Keys in takenHotKeys are held by another program.
    std::map<int, UINT> HeldHotKeys() const;
    std::vector<UINT> takenHotKeys;

    // The system version the version test sees, as major * 100 + minor.
    int windowsVersion = 1000;
    fakes::RealClock clock;
    std::unique_ptr<fakes::FakeSystem> video;
    std::unique_ptr<fakes::LiveDesktop> desktop;
    std::unique_ptr<FakeAudioSystem> audio;
    // The endpoints added by the constructor: the default of each direction comes
    // first in the enumeration while its name sorts last.
    FakeMMDevice* speakers = nullptr;     // default playback: "Speakers (default)"
    FakeMMDevice* headphones = nullptr;   // "Headphones"
    FakeMMDevice* microphone = nullptr;   // default recording: "Microphone (default)"
    FakeMMDevice* lineIn = nullptr;       // "Line In"
    MessageBoxWatcher boxes{[this](const MessageBoxRecord& box) { return Reply(box); }};
    // The process's current directory during the run.
    TempDir dir;

    // How message boxes are answered (by default OK, or the first button).
    std::function<int(const MessageBoxRecord&)> reply;

    // The base name (no folder, no suffix) of the recording in the output folder
    // ".\Glintcast_Output"; empty when there is none.
    std::wstring RecordingBase() const;

    // The fakes saw no misuse, and no engine holds a reference any more.
    void ExpectFakesClean() const;

    // Waits until the recording running has taken desktopFrames frames from the
    // live desktop and soundFrames frames from each default endpoint (the
    // system sound's and the microphone's); false when they did not come. A
    // loaded machine may take well over a second for this, and the files on disk
    // do not show it while the recording runs.
    bool WaitForRecorded(int64_t desktopFrames, uint64_t soundFrames) const;

    // Waits until the opening's short-lived thread has made its device enumerator
    // and ended, so that its call is not taken for one of the window's. False
    // when it did not come.
    bool WaitForEnumeratorThread() const;

    // The window object while Run runs, null otherwise. The helper thread reads
    // its members only once the window has handled the message that changed them.
    CGlintcastDlg* dialog = nullptr;

    // The live desktop shows picture (frame index % kDesktopPictures) on every
    // monitor: flat 16 x 16 blocks whose colours depend on the picture.
    static constexpr int kDesktopPictures = 4;
    std::shared_ptr<const fakes::Picture> DesktopPicture(int index) const;

    // While changed is set, the live desktop shows changedPicture (one flat
    // colour) from its next frame on; changedFrames counts those frames. A
    // recording's stream reaches the disk only at its end: a test changes the
    // desktop and looks for the change at the stream's end to see that the
    // recording went on to that point.
    std::atomic<bool> changed{false};
    std::atomic<int> changedFrames{0};
    const std::shared_ptr<const fakes::Picture> changedPicture =
        std::make_shared<fakes::Picture>(640, 480, 0xFF2080C0u);
    // A whole-monitor stream of monitor 0 at 30 fps: it decodes, holds at least
    // minPictures pictures, and its last one shows the changed desktop.
    void ExpectTheChangedDesktopAtTheEnd(const std::wstring& stream, int minPictures = 2) const;

    // While set, the shell refuses every icon added (the call is still recorded).
    std::atomic<bool> shellRefusesIcons{false};

private:
    void Log(const std::string& event);
    int Reply(const MessageBoxRecord& box);
    static BOOL WINAPI VerifyVersion(LPOSVERSIONINFOEXW info, DWORD typeMask, DWORDLONG conditionMask);
    static BOOL WINAPI PlayTone(DWORD frequency, DWORD duration);
    static BOOL WINAPI TakeHotKey(HWND window, int id, UINT modifiers, UINT virtualKey);
    static BOOL WINAPI GiveBackHotKey(HWND window, int id);
    static UINT_PTR WINAPI StartTimer(HWND window, UINT_PTR id, UINT elapse, TIMERPROC proc);
    static BOOL WINAPI NotifyTray(DWORD message, PNOTIFYICONDATAW data);

    mutable std::mutex m_mutex;
    std::vector<std::string> m_events;
    std::vector<BoxShown> m_shown;
    std::vector<std::pair<DWORD, DWORD>> m_tones;
    std::vector<std::pair<UINT_PTR, UINT>> m_timers;
    std::vector<TrayCall> m_trayCalls;
    std::map<int, UINT> m_hotKeys;
    std::vector<std::shared_ptr<const fakes::Picture>> m_pictures;
    SystemHooks m_savedHooks;
    std::wstring m_savedDirectory;
};
