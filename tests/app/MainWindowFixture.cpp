#include "MainWindowFixture.h"

#include "DialogDriver.h"
#include "GlintcastDlg.h"
#include "H264Stream.h"
#include "NativeTool.h"
#include "Globals.h"
#include "RecorderGlobals.h"
#include "SystemHooks.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace {

constexpr wchar_t kAboutCaption[] = L"关于 Glintcast（V4.0）";

MainWindowTest* s_current = nullptr;
decltype(&::CoCreateInstance) s_fakeCreate = nullptr;
DWORD s_uiThread = 0;
std::mutex s_threadsMutex;
std::vector<DWORD> s_otherThreads;

std::wstring WindowText(HWND window)
{
    wchar_t text[1024] = {};
    GetWindowTextW(window, text, 1024);
    return text;
}

// A desktop picture of flat blocks whose colours depend on seed.
std::shared_ptr<const fakes::Picture> BlockPicture(int w, int h, int seed)
{
    auto p = std::make_shared<fakes::Picture>(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const uint32_t block = static_cast<uint32_t>((y / 16) * 37 + (x / 16) * 11 + seed * 53);
            p->At(x, y) = 0xFF000000u | ((block * 29) % 200 + 30) << 16 | ((block * 71) % 200 + 30) << 8 |
                          ((block * 13) % 200 + 30);
        }
    return p;
}

// The MB_* style that gives a box these buttons and this icon.
UINT BoxStyle(const MessageBoxRecord& box)
{
    UINT style = MB_OK;
    const std::vector<int>& b = box.buttons;
    if (b == std::vector<int>{IDOK, IDCANCEL})
        style = MB_OKCANCEL;
    else if (b == std::vector<int>{IDYES, IDNO})
        style = MB_YESNO;
    else if (b == std::vector<int>{IDYES, IDNO, IDCANCEL})
        style = MB_YESNOCANCEL;
    else if (b != std::vector<int>{IDOK})
        style = ~0u;  // no style of these gives such buttons
    const HICON icon = reinterpret_cast<HICON>(
        SendDlgItemMessageW(box.window, 0x440, STM_GETICON, 0, 0));
    const std::pair<LPCWSTR, UINT> icons[] = {{IDI_QUESTION, MB_ICONQUESTION},
                                              {IDI_HAND, MB_ICONHAND},
                                              {IDI_EXCLAMATION, MB_ICONEXCLAMATION},
                                              {IDI_ASTERISK, MB_ICONASTERISK}};
    for (const auto& [resource, flag] : icons)
        if (icon && icon == LoadIconW(nullptr, resource))
            style |= flag;
    return style;
}

// DeviceEnumeratorThread makes its enumerator on a thread of its own; the fakes
// must outlive that thread.
HRESULT WINAPI NotingCreate(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object)
{
    if (GetCurrentThreadId() != s_uiThread) {
        std::lock_guard<std::mutex> lock(s_threadsMutex);
        s_otherThreads.push_back(GetCurrentThreadId());
    }
    return s_fakeCreate(clsid, outer, context, iid, object);
}

void WaitForThreads(const std::vector<DWORD>& threads)
{
    for (DWORD id : threads)
        if (HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id)) {
            WaitForSingleObject(thread, 10000);
            CloseHandle(thread);
        }
}

void WaitForOtherThreads()
{
    std::vector<DWORD> threads;
    {
        std::lock_guard<std::mutex> lock(s_threadsMutex);
        threads.swap(s_otherThreads);
    }
    WaitForThreads(threads);
}

} // namespace

bool operator==(const BoxShown& a, const BoxShown& b)
{
    return a.caption == b.caption && a.text == b.text && a.style == b.style && a.owner == b.owner;
}

void PrintTo(const BoxShown& box, std::ostream* out)
{
    *out << "{caption \"" << Utf8(box.caption) << "\", text \"" << Utf8(box.text) << "\", style 0x" << std::hex
         << box.style << std::dec << ", owner \"" << Utf8(box.owner) << "\"}";
}

// ---- MainWindow ----

std::wstring MainWindow::Text(int id) const
{
    return WindowText(Control(id));
}

bool MainWindow::Checked(int id) const
{
    return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

std::vector<std::wstring> MainWindow::Items(int listId) const
{
    std::vector<std::wstring> items;
    const LRESULT count = SendMessageW(Control(listId), CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        wchar_t text[512] = {};
        if (SendMessageW(Control(listId), CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0) < 512)
            SendMessageW(Control(listId), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        items.push_back(text);
    }
    return items;
}

std::wstring MainWindow::Selected(int listId) const
{
    const LRESULT selection = SendMessageW(Control(listId), CB_GETCURSEL, 0, 0);
    if (selection == CB_ERR)
        return {};
    return Items(listId).at(static_cast<size_t>(selection));
}

void MainWindow::Click(int id) const
{
    SendMessageW(Control(id), BM_CLICK, 0, 0);
}

void MainWindow::SetChecked(int id, bool on) const
{
    if (Checked(id) != on)
        Click(id);
}

void MainWindow::Tick() const
{
    Send(WM_TIMER, ID_TIMER_CLOCK);
}

void MainWindow::HotKey(int id, UINT virtualKey) const
{
    Send(WM_HOTKEY, static_cast<WPARAM>(id), MAKELPARAM(MOD_CONTROL, virtualKey));
}

void MainWindow::Command(UINT id) const
{
    Send(WM_COMMAND, MAKEWPARAM(id, 0), 0);
}

void MainWindow::SysCommand(UINT id) const
{
    Send(WM_SYSCOMMAND, id, 0);
}

LRESULT MainWindow::Tray(LPARAM mouseMessage, WPARAM iconId) const
{
    return SendMessageW(m_window, WM_TRAYNOTIFY, iconId, mouseMessage);
}

void MainWindow::Pick(int listId, int index) const
{
    SendMessageW(Control(listId), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Send(WM_COMMAND, MAKEWPARAM(listId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Control(listId)));
}

void MainWindow::SetText(int id, const std::wstring& text) const
{
    SendMessageW(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool MainWindow::SetTimeLimit(const std::wstring& text) const
{
    PostMessageW(Control(IDC_SET_TIME), BM_CLICK, 0, 0);
    HWND found = WaitForDialog(L"设置时间");
    if (!found)
        return false;
    const DialogWindow dialog(found);
    if (!dialog.Type(IDC_TIME_EDIT, text))
        return false;
    dialog.PressEnter();
    return dialog.WaitUntilClosed() && WaitUntil([&] { return IsWindowEnabled(m_window) != FALSE; });
}

void MainWindow::Send(UINT message, WPARAM wParam, LPARAM lParam) const
{
    SendMessageW(m_window, message, wParam, lParam);
}

void MainWindow::Post(UINT message, WPARAM wParam, LPARAM lParam) const
{
    PostMessageW(m_window, message, wParam, lParam);
}

// ---- MainWindowTest ----

MainWindowTest::MainWindowTest()
{
    video = std::make_unique<fakes::FakeSystem>(clock, std::vector<RECT>{{0, 0, 640, 480}, {640, 0, 1280, 480}});
    for (int seed = 0; seed < kDesktopPictures; ++seed)
        m_pictures.push_back(BlockPicture(640, 480, seed));
    desktop = std::make_unique<fakes::LiveDesktop>(clock, 30.0, [this](int64_t index) {
        if (!changed)
            return DesktopPicture(static_cast<int>(index % kDesktopPictures));
        ++changedFrames;
        return changedPicture;
    });
    video->whenScriptEnds = [this](UINT timeoutMs) { return desktop->Next(timeoutMs); };
    video->recordCalls = true;

    audio = std::make_unique<FakeAudioSystem>();
    speakers = &audio->AddDevice(L"{render-1}", L"Speakers (default)", eRender);
    headphones = &audio->AddDevice(L"{render-2}", L"Headphones", eRender);
    microphone = &audio->AddDevice(L"{capture-1}", L"Microphone (default)", eCapture);
    lineIn = &audio->AddDevice(L"{capture-2}", L"Line In", eCapture);
    for (FakeMMDevice* device : {speakers, headphones, microphone, lineIn})
        device->Client().CaptureClient().StreamLive(
            [](uint64_t frame, unsigned channel) {
                return static_cast<int16_t>(8000 * std::sin(frame * 2 * 3.14159265 * 440 / 48000 + channel));
            },
            480);

    m_savedHooks = Hooks();
    s_fakeCreate = Hooks().coCreateInstance;
    Hooks().coCreateInstance = NotingCreate;
    Hooks().verifyVersionInfo = VerifyVersion;
    Hooks().beep = PlayTone;
    Hooks().setTimer = StartTimer;
    Hooks().shellNotifyIcon = NotifyTray;
    // The session's real hotkeys are left alone, so that main window tests can
    // run at once.
    Hooks().registerHotKey = TakeHotKey;
    Hooks().unregisterHotKey = GiveBackHotKey;
    s_current = this;

    g_stopRecording = false;
    g_screenshotRequested = false;
    g_screenshotReady = true;
    g_outputDir.clear();
    g_recordParams.reset();

    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    m_savedDirectory = current;
    SetCurrentDirectoryW(dir.Path().c_str());
}

MainWindowTest::~MainWindowTest()
{
    WaitForOtherThreads();
    SetCurrentDirectoryW(m_savedDirectory.c_str());
    s_current = nullptr;
    Hooks() = m_savedHooks;
}

INT_PTR MainWindowTest::Run(const std::function<void(MainWindow&)>& act)
{
    s_uiThread = GetCurrentThreadId();
    CWinApp app;
    CGlintcastDlg dlg;
    app.m_pMainWnd = &dlg;
    dialog = &dlg;
    std::atomic<bool> returned{false};
    std::thread helper([&] {
        HWND main = nullptr;
        bool aboutSeen = false;
        WaitUntil([&] {
            if (returned)
                return true;
            if (HWND about = FindDialog(kAboutCaption); about && !aboutSeen) {
                aboutSeen = true;
                Log("about");
                PostMessageW(about, WM_CLOSE, 0, 0);
            }
            main = FindDialog(L"Glintcast");
            return main != nullptr;
        }, 20000);
        if (!main)
            return;
        Log("main");
        MainWindow window(main);
        act(window);
        if (IsWindow(main))
            PostMessageW(main, WM_CLOSE, 0, 0);
    });
    const INT_PTR result = dlg.DoModal();
    returned = true;
    helper.join();
    dialog = nullptr;
    app.m_pMainWnd = nullptr;
    return result;
}

bool WaitUntil(const std::function<bool()>& done, DWORD limitMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(limitMs);
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Sleep(5);
    }
    return true;
}

int MainWindowTest::Reply(const MessageBoxRecord& box)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_shown.push_back({box.caption, box.text, BoxStyle(box), box.owner ? WindowText(box.owner) : L""});
    }
    Log("box:" + Utf8(box.caption));
    if (reply)
        return reply(box);
    for (int id : box.buttons)
        if (id == IDOK)
            return IDOK;
    return box.buttons.empty() ? IDCANCEL : box.buttons.front();
}

void MainWindowTest::Log(const std::string& event)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_events.push_back(event);
}

std::vector<std::string> MainWindowTest::Events() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_events;
}

std::vector<BoxShown> MainWindowTest::Shown() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_shown;
}

std::vector<std::pair<DWORD, DWORD>> MainWindowTest::Tones() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_tones;
}

void MainWindowTest::ClearTones()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_tones.clear();
}

std::vector<std::pair<UINT_PTR, UINT>> MainWindowTest::Timers() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_timers;
}

std::vector<MainWindowTest::TrayCall> MainWindowTest::TrayCalls() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_trayCalls;
}

std::shared_ptr<const fakes::Picture> MainWindowTest::DesktopPicture(int index) const
{
    return m_pictures.at(static_cast<size_t>(index));
}

void MainWindowTest::ExpectTheChangedDesktopAtTheEnd(const std::wstring& stream, int minPictures) const
{
    ASSERT_GE(CheckRecordedStream(ReadFileBytes(stream), 30, 640, 480), minPictures);
    const DecodedStream decoded = DecodeStream(stream, 640, 480);
    ASSERT_EQ(decoded.exitCode, 0) << decoded.messages;
    ASSERT_GE(decoded.Pictures(), minPictures);
    EXPECT_LT(decoded.Difference(decoded.Pictures() - 1, changedPicture->pixels), 3.0);
}

std::wstring MainWindowTest::RecordingBase() const
{
    const std::vector<std::wstring> streams = FilesIn(dir.File(L"Glintcast_Output"), L"*.264");
    return streams.empty() ? std::wstring() : streams[0].substr(0, streams[0].size() - 4);
}

void MainWindowTest::ExpectFakesClean() const
{
    EXPECT_EQ(video->Problems(), std::vector<std::string>{});
    EXPECT_EQ(audio->Log().Misuses(), std::vector<std::string>{});
    EXPECT_EQ(audio->Log().Unreleased(), std::vector<std::string>{});
    EXPECT_EQ(g_videoCapture, nullptr);
    EXPECT_EQ(g_systemAudioCapture, nullptr);
    EXPECT_EQ(g_micCapture, nullptr);
}

bool MainWindowTest::WaitForRecorded(int64_t desktopFrames, uint64_t soundFrames) const
{
    return WaitUntil([&] {
        return desktop->FramesShown() >= desktopFrames &&
               speakers->Client().CaptureClient().DeliveredFrames() >= soundFrames &&
               microphone->Client().CaptureClient().DeliveredFrames() >= soundFrames;
    });
}

bool MainWindowTest::WaitForEnumeratorThread() const
{
    std::vector<DWORD> threads;
    const bool came = WaitUntil([&] {
        std::lock_guard<std::mutex> lock(s_threadsMutex);
        threads = s_otherThreads;
        return !threads.empty();
    });
    WaitForThreads(threads);
    return came;
}

BOOL WINAPI MainWindowTest::VerifyVersion(LPOSVERSIONINFOEXW info, DWORD, DWORDLONG)
{
    const int asked = static_cast<int>(info->dwMajorVersion * 100 + info->dwMinorVersion);
    return s_current && asked <= s_current->windowsVersion;
}

BOOL WINAPI MainWindowTest::PlayTone(DWORD frequency, DWORD duration)
{
    if (s_current) {
        s_current->Log("tone:" + std::to_string(frequency));
        std::lock_guard<std::mutex> lock(s_current->m_mutex);
        s_current->m_tones.emplace_back(frequency, duration);
    }
    return TRUE;
}

std::map<int, UINT> MainWindowTest::HeldHotKeys() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_hotKeys;
}

BOOL WINAPI MainWindowTest::TakeHotKey(HWND, int id, UINT modifiers, UINT virtualKey)
{
    if (!s_current)
        return FALSE;
    const auto& taken = s_current->takenHotKeys;
    std::lock_guard<std::mutex> lock(s_current->m_mutex);
    if (modifiers != MOD_CONTROL || std::find(taken.begin(), taken.end(), virtualKey) != taken.end() ||
        s_current->m_hotKeys.count(id)) {
        SetLastError(ERROR_HOTKEY_ALREADY_REGISTERED);
        return FALSE;
    }
    s_current->m_hotKeys[id] = virtualKey;
    return TRUE;
}

BOOL WINAPI MainWindowTest::GiveBackHotKey(HWND, int id)
{
    if (!s_current)
        return FALSE;
    std::lock_guard<std::mutex> lock(s_current->m_mutex);
    return s_current->m_hotKeys.erase(id) ? TRUE : FALSE;
}

UINT_PTR WINAPI MainWindowTest::StartTimer(HWND, UINT_PTR id, UINT elapse, TIMERPROC)
{
    if (s_current) {
        std::lock_guard<std::mutex> lock(s_current->m_mutex);
        s_current->m_timers.emplace_back(id, elapse);
    }
    return id;
}

BOOL WINAPI MainWindowTest::NotifyTray(DWORD message, PNOTIFYICONDATAW data)
{
    if (s_current && data) {
        std::lock_guard<std::mutex> lock(s_current->m_mutex);
        s_current->m_trayCalls.emplace_back(message, *data);
    }
    if (s_current && message == NIM_ADD && s_current->shellRefusesIcons)
        return FALSE;
    return Shell_NotifyIconW(message, data);
}
