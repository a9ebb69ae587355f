// The main window's opening over the fake engines: the end state of its
// controls, the order of its messages, the about box, the system menu, the
// hotkeys and the icons.
#include "MainWindowFixture.h"
#include "NamedCase.h"

#include "AudioCapture.h"
#include "GlintcastDlg.h"
#include "Globals.h"
#include "VideoCapture.h"

#include <gtest/gtest.h>

#include <map>

#include <algorithm>
#include <optional>

namespace {

constexpr wchar_t kInitFailed[] = L"初始化失败";
constexpr wchar_t kTooOld[] =
    L"很抱歉，因所使用的技术过于先进，\r\n\r\n视频录制仅能支持Windows8及以上系统！\r\n音频录制仅支持Windows7以上系统！\r\n"
    L"你为何不升级成更先进的Winodws10呢？";
constexpr wchar_t kScreenFailed[] =
    L"屏幕数据获取引擎初始化失败，你将无法录制图像！这可能是因为不兼容你的设备，或不支持你当前的桌面模式或场景，"
    L"如果你是双显卡笔记本，请试着切换模式。！\r\n错误代码：";
constexpr wchar_t kSystemSoundFailed[] = L"输出声音数据获取引擎初始化失败，你将无法录制系统输出声音！\r\n错误代码：";
constexpr wchar_t kMicFailed[] = L"输出声音数据获取引擎初始化失败，你将无法录制系统输入（麦克风）声音！\r\n错误代码：";
constexpr wchar_t kRecordKeyTaken[] = L"快捷键注册失败，原因是快捷键被其他软件占用了，你将无法使用录制快捷键！";
constexpr wchar_t kScreenshotKeyTaken[] = L"快捷键注册失败，原因是快捷键被其他软件占用了，你将无法使用截图快捷键！";

BoxShown InitFailed(const std::wstring& text)
{
    return {kInitFailed, text, MB_OK | MB_ICONQUESTION, L"Glintcast"};
}

BoxShown TooOld()
{
    return {L"系统过于落后", kTooOld, MB_OK, L"Glintcast"};
}

// The application's name: the program file's name without its extension.
std::wstring AppName()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L"\\/") + 1);
    return name.substr(0, name.rfind(L'.'));
}

BoxShown HotKeyTaken(const wchar_t* text)
{
    return {AppName(), text, MB_OK, L"Glintcast"};
}

// The colour the window erases its background with: it paints into a memory
// picture of its client size, and the middle pixel is read back.
COLORREF BackgroundColour(HWND window)
{
    RECT client = {};
    GetClientRect(window, &client);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, picture);
    PatBlt(memory, 0, 0, client.right, client.bottom, BLACKNESS);
    SendMessageW(window, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
    const COLORREF colour = GetPixel(memory, client.right / 2, client.bottom / 2);
    SelectObject(memory, old);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return colour;
}

// What every opening leaves, whatever the engines did.
void ExpectCommonEndState(const MainWindow& window)
{
    EXPECT_EQ(window.Text(IDC_OUTPUT_DIR), L".\\Glintcast_Output");
    EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:00");
    EXPECT_EQ(window.Items(IDC_FRAME_RATE), (std::vector<std::wstring>{L"30", L"50", L"60", L"90", L"100", L"120"}));
    EXPECT_EQ(window.Selected(IDC_FRAME_RATE), L"30");
    for (int id : {IDC_START_STOP, IDC_BROWSE_OUTPUT, IDC_SET_TIME})
        EXPECT_TRUE(window.Enabled(id)) << id;
    for (int id : {IDC_START_STOP, IDC_BROWSE_OUTPUT, IDC_SELECT_REGION, IDC_SET_TIME})
        EXPECT_EQ(GetWindowLongW(window.Control(id), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << id;
    EXPECT_EQ(BackgroundColour(window.Handle()), RGB(255, 255, 255));
}

template <class Engine>
void ExpectEngine(Engine* engine, const std::optional<HRESULT>& expected)
{
    if (!expected) {
        EXPECT_EQ(engine, nullptr);
        return;
    }
    ASSERT_NE(engine, nullptr);
    EXPECT_EQ(engine->m_hr, *expected);
}

TEST_F(MainWindowTest, OpensWithEveryEngineUsable)
{
    Run([&](MainWindow& window) {
        EXPECT_EQ(window.Items(IDC_SCREEN_LIST), (std::vector<std::wstring>{L"0", L"1"}));
        EXPECT_EQ(window.Selected(IDC_SCREEN_LIST), L"0");
        EXPECT_TRUE(window.Checked(IDC_RECORD_SCREEN));
        EXPECT_TRUE(window.Checked(IDC_DRAW_CURSOR));
        EXPECT_TRUE(window.Checked(IDC_RECORD_SYSTEM_AUDIO));
        EXPECT_FALSE(window.Checked(IDC_RECORD_MIC));
        EXPECT_EQ(window.Items(IDC_OUTPUT_DEVICE_LIST),
                  (std::vector<std::wstring>{L"Headphones", L"Speakers (default)"}));
        EXPECT_EQ(window.Selected(IDC_OUTPUT_DEVICE_LIST), L"Speakers (default)");
        EXPECT_EQ(window.Selected(IDC_INPUT_DEVICE_LIST), L"Microphone (default)");
        EXPECT_EQ(window.Text(IDC_OUTPUT_DIR), L".\\Glintcast_Output");
        EXPECT_EQ(window.Text(IDC_TIME_DISPLAY), L"00:00:00");
        EXPECT_EQ(window.Text(IDC_FRAME_RATE), L"30");
    });
    EXPECT_EQ(Events(), (std::vector<std::string>{"about", "main"}));
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

// ---- the screen: one row per column of the screen controls' end state ----

enum class Screen { Usable, ProbeSucceedsWithSFalse, EngineFails, NoOutput, Windows7 };

struct ScreenCase : NamedCase
{
    Screen situation;
    std::vector<std::wstring> items;  // list 1031; "0" is selected when there are any
    std::optional<HRESULT> engine;    // g_videoCapture's status; none: null
    bool videoControlsEnabled;        // 1021, 1005, 1006, 1004
    bool optionsOn;                   // 1021, 1005
    int duplications;                 // outputs duplicated: output 0 at most
    std::vector<BoxShown> boxes;
};

class MainWindowScreenTest : public MainWindowTest, public testing::WithParamInterface<ScreenCase>
{
protected:
    void Arrange(Screen situation)
    {
        switch (situation) {
        case Screen::Usable:
            break;
        case Screen::ProbeSucceedsWithSFalse:
            video->construction.createDevice = S_FALSE;
            break;
        case Screen::EngineFails:
            video->construction.duplicateOutput = DXGI_ERROR_UNSUPPORTED;
            break;
        case Screen::NoOutput:
            video.reset();
            video = std::make_unique<fakes::FakeSystem>(clock, std::vector<RECT>{});
            break;
        case Screen::Windows7:
            windowsVersion = 601;
            break;
        }
    }
};

TEST_P(MainWindowScreenTest, LeavesTheScreenControlsAsTheOutcomeSays)
{
    const ScreenCase& row = GetParam();
    Arrange(row.situation);
    bool shown = false;
    Run([&](MainWindow& window) {
        shown = true;
        EXPECT_EQ(window.Items(IDC_SCREEN_LIST), row.items);
        EXPECT_EQ(window.Selected(IDC_SCREEN_LIST), row.items.empty() ? L"" : L"0");
        EXPECT_TRUE(window.Enabled(IDC_SCREEN_LIST));
        ExpectEngine(g_videoCapture, row.engine);
        for (int id : {IDC_RECORD_SCREEN, IDC_DRAW_CURSOR, IDC_FRAME_RATE, IDC_SELECT_REGION})
            EXPECT_EQ(window.Enabled(id), row.videoControlsEnabled) << id;
        for (int id : {IDC_RECORD_SCREEN, IDC_DRAW_CURSOR})
            EXPECT_EQ(window.Checked(id), row.optionsOn) << id;
        ExpectCommonEndState(window);
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(Shown(), row.boxes);
    EXPECT_EQ(video->CountCalls("DuplicateOutput"), row.duplications);
    ExpectFakesClean();
}

INSTANTIATE_TEST_SUITE_P(
    Outcomes, MainWindowScreenTest,
    testing::Values(
        ScreenCase{{"EngineUsable"}, Screen::Usable, {L"0", L"1"}, S_OK, true, true, 1, {}},
        ScreenCase{{"ProbeSucceedsWithSFalse"}, Screen::ProbeSucceedsWithSFalse, {L"0", L"1"}, S_OK, true, true, 1, {}},
        ScreenCase{{"EngineFailed"}, Screen::EngineFails, {L"0", L"1"}, DXGI_ERROR_UNSUPPORTED, false, false, 1,
                   {InitFailed(std::wstring(kScreenFailed) + L"-2005270524")}},
        ScreenCase{{"NoOutputOnTheAdapter"}, Screen::NoOutput, {}, std::nullopt, true, false, 0, {}},
        ScreenCase{{"Windows7"}, Screen::Windows7, {}, std::nullopt, false, false, 0, {TooOld()}}),
    CaseName());

TEST_F(MainWindowTest, OnWindows7TheScreenIsNotProbed)
{
    windowsVersion = 601;
    Run([](MainWindow&) {});
    EXPECT_EQ(video->CountCalls("D3D11CreateDevice"), 0);
    EXPECT_EQ(video->CountCalls("EnumOutputs"), 0);
}

// ---- each sound direction: one row per column of its end state ----

enum class Sound { Usable, EngineFails, NoneActive, EnumerationFails, DefaultUnavailable, DefaultUnplugged };

struct SoundCase : NamedCase
{
    EDataFlow flow;
    Sound situation;
    std::vector<std::wstring> items;  // in the list's (sorted) order
    std::wstring selected;            // "" for none
    bool listEnabled;
    bool optionEnabled;
    bool optionOn;
    std::optional<HRESULT> engine;  // the engine global's status; none: null
    std::vector<BoxShown> boxes;
};

class MainWindowSoundTest : public MainWindowTest, public testing::WithParamInterface<SoundCase>
{
protected:
    void Arrange(EDataFlow flow, Sound situation)
    {
        // The default endpoint of the direction, then the other one.
        FakeMMDevice* first = flow == eRender ? speakers : microphone;
        FakeMMDevice* second = flow == eRender ? headphones : lineIn;
        FakeMMDeviceEnumerator& enumerator = audio->Enumerator();
        switch (situation) {
        case Sound::Usable:
            break;
        case Sound::EngineFails:
            first->activateResult = AUDCLNT_E_DEVICE_INVALIDATED;
            break;
        case Sound::NoneActive:
            first->active = false;
            second->active = false;
            break;
        case Sound::EnumerationFails:
            enumerator.enumAudioEndpointsResult[flow] = E_OUTOFMEMORY;
            break;
        case Sound::DefaultUnavailable:
            enumerator.defaultEndpointResult[flow] = HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
            break;
        case Sound::DefaultUnplugged:
            first->active = false;
            break;
        }
    }
};

TEST_P(MainWindowSoundTest, LeavesTheDirectionAsTheOutcomeSays)
{
    const SoundCase& row = GetParam();
    Arrange(row.flow, row.situation);
    const int listId = row.flow == eRender ? IDC_OUTPUT_DEVICE_LIST : IDC_INPUT_DEVICE_LIST;
    const int optionId = row.flow == eRender ? IDC_RECORD_SYSTEM_AUDIO : IDC_RECORD_MIC;
    bool shown = false;
    Run([&](MainWindow& window) {
        shown = true;
        EXPECT_EQ(window.Items(listId), row.items);
        EXPECT_EQ(window.Selected(listId), row.selected);
        EXPECT_EQ(window.Enabled(listId), row.listEnabled);
        EXPECT_EQ(window.Enabled(optionId), row.optionEnabled);
        EXPECT_EQ(window.Checked(optionId), row.optionOn);
        ExpectEngine(row.flow == eRender ? g_systemAudioCapture : g_micCapture, row.engine);
        ExpectCommonEndState(window);
    });
    EXPECT_TRUE(shown);
    EXPECT_EQ(Shown(), row.boxes);
    ExpectFakesClean();
}

const std::vector<std::wstring> kSpeakers = {L"Headphones", L"Speakers (default)"};
const std::vector<std::wstring> kMicrophones = {L"Line In", L"Microphone (default)"};
// AUDCLNT_E_DEVICE_INVALIDATED as "%ld" prints it.
constexpr wchar_t kInvalidated[] = L"-2004287484";

INSTANTIATE_TEST_SUITE_P(
    Outcomes, MainWindowSoundTest,
    testing::Values(
        SoundCase{{"PlaybackUsable"}, eRender, Sound::Usable, kSpeakers, L"Speakers (default)", true, true, true, S_OK, {}},
        SoundCase{{"PlaybackEngineFailed"}, eRender, Sound::EngineFails, kSpeakers, L"Speakers (default)", false, false,
                  false, AUDCLNT_E_DEVICE_INVALIDATED,
                  {InitFailed(std::wstring(kSystemSoundFailed) + kInvalidated)}},
        SoundCase{{"PlaybackNoActiveEndpoint"}, eRender, Sound::NoneActive, {}, L"", false, false, false, std::nullopt, {}},
        SoundCase{{"PlaybackNotListed"}, eRender, Sound::EnumerationFails, {}, L"", false, false, false, std::nullopt, {}},
        SoundCase{{"PlaybackNoDefault"}, eRender, Sound::DefaultUnavailable, kSpeakers, L"", true, true, false,
                  std::nullopt, {}},
        SoundCase{{"PlaybackDefaultNotActive"}, eRender, Sound::DefaultUnplugged, {L"Headphones"}, L"", true, true,
                  false, std::nullopt, {}},
        SoundCase{{"RecordingUsable"}, eCapture, Sound::Usable, kMicrophones, L"Microphone (default)", true, true, false,
                  S_OK, {}},
        SoundCase{{"RecordingEngineFailed"}, eCapture, Sound::EngineFails, kMicrophones, L"Microphone (default)", false,
                  false, false, AUDCLNT_E_DEVICE_INVALIDATED, {InitFailed(std::wstring(kMicFailed) + kInvalidated)}},
        SoundCase{{"RecordingNoActiveEndpoint"}, eCapture, Sound::NoneActive, {}, L"", false, false, false, std::nullopt,
                  {}},
        SoundCase{{"RecordingNotListed"}, eCapture, Sound::EnumerationFails, {}, L"", false, false, false, std::nullopt,
                  {}},
        SoundCase{{"RecordingNoDefault"}, eCapture, Sound::DefaultUnavailable, kMicrophones, L"", true, true, false,
                  std::nullopt, {}},
        SoundCase{{"RecordingDefaultNotActive"}, eCapture, Sound::DefaultUnplugged, {L"Line In"}, L"", true, true, false,
                  std::nullopt, {}}),
    CaseName());

TEST_F(MainWindowTest, WithoutADeviceEnumeratorBothDirectionsHaveNoEndpoint)
{
    audio->createResult = REGDB_E_CLASSNOTREG;
    Run([&](MainWindow& window) {
        for (int id : {IDC_OUTPUT_DEVICE_LIST, IDC_RECORD_SYSTEM_AUDIO, IDC_INPUT_DEVICE_LIST, IDC_RECORD_MIC})
            EXPECT_FALSE(window.Enabled(id)) << id;
        EXPECT_TRUE(window.Items(IDC_OUTPUT_DEVICE_LIST).empty());
        EXPECT_TRUE(window.Items(IDC_INPUT_DEVICE_LIST).empty());
        EXPECT_EQ(g_systemAudioCapture, nullptr);
        EXPECT_EQ(g_micCapture, nullptr);
        EXPECT_TRUE(window.Checked(IDC_RECORD_SCREEN));
    });
    EXPECT_TRUE(Shown().empty());
    ExpectFakesClean();
}

// ---- openings that end the program ----

struct FatalCase : NamedCase
{
    HRESULT fakes::ConstructionResults::*step;
    HRESULT result;
    std::wstring text;
};

class MainWindowFatalTest : public MainWindowTest, public testing::WithParamInterface<FatalCase>
{
};

TEST_P(MainWindowFatalTest, ShowsTheFailureAndEndsWithoutAboutBoxOrWindow)
{
    const FatalCase& row = GetParam();
    video->construction.*row.step = row.result;
    bool shown = false;
    Run([&](MainWindow&) { shown = true; });
    EXPECT_FALSE(shown);
    EXPECT_EQ(Events(), (std::vector<std::string>{"box:初始化失败"}));
    EXPECT_EQ(Shown(), (std::vector<BoxShown>{InitFailed(row.text)}));
    // No sound endpoint was looked at, and no enumerator thread was started.
    EXPECT_TRUE(audio->Log().Calls().empty());
    ExpectFakesClean();
}

INSTANTIATE_TEST_SUITE_P(
    ProbeSteps, MainWindowFatalTest,
    testing::Values(
        FatalCase{{"DeviceNotCreated"}, &fakes::ConstructionResults::createDevice, E_FAIL,
                  L"创建D3D11设备失败！\r\n错误代码：-2147467259"},
        FatalCase{{"NoDxgiDevice"}, &fakes::ConstructionResults::queryDxgiDevice, E_NOINTERFACE,
                  L"创建DXGI设备失败！\r\n错误代码：-2147467262"},
        FatalCase{{"NoAdapter"}, &fakes::ConstructionResults::getAdapter, DXGI_ERROR_DEVICE_REMOVED,
                  L"获取DXGI适配器失败！\r\n错误代码：-2005270523"}),
    CaseName());

TEST_F(MainWindowTest, OlderThanWindows7ShowsOnlyTheSystemMessageAndEnds)
{
    windowsVersion = 600;
    bool shown = false;
    Run([&](MainWindow&) { shown = true; });
    EXPECT_FALSE(shown);
    EXPECT_EQ(Events(), (std::vector<std::string>{"box:系统过于落后"}));
    EXPECT_EQ(Shown(), (std::vector<BoxShown>{TooOld()}));
    EXPECT_TRUE(video->Calls().empty());
    EXPECT_TRUE(audio->Log().Calls().empty());
    ExpectFakesClean();
}

// ---- the order of the messages ----

TEST_F(MainWindowTest, MessagesComeBeforeTheAboutBoxWhichComesBeforeTheWindow)
{
    windowsVersion = 601;
    speakers->activateResult = E_ACCESSDENIED;
    microphone->activateResult = AUDCLNT_E_DEVICE_INVALIDATED;
    takenHotKeys = {VK_F10};
    Run([](MainWindow&) {});

    const std::wstring name = AppName();
    std::string app = "box:";
    for (wchar_t c : name)
        app += static_cast<char>(c);  // the test program's name is ASCII
    EXPECT_EQ(Events(), (std::vector<std::string>{"box:系统过于落后", "box:初始化失败", "box:初始化失败", app,
                                                  "about", "main"}));
    EXPECT_EQ(Shown(), (std::vector<BoxShown>{TooOld(), InitFailed(std::wstring(kSystemSoundFailed) + L"-2147024891"),
                                              InitFailed(std::wstring(kMicFailed) + kInvalidated),
                                              HotKeyTaken(kRecordKeyTaken)}));
}

// ---- hotkeys that another program holds ----

struct HotKeyCase : NamedCase
{
    std::vector<UINT> taken;  // virtual keys held (with Ctrl) before the opening
    std::vector<BoxShown> boxes;
};

class MainWindowHotKeyTest : public MainWindowTest, public testing::WithParamInterface<HotKeyCase>
{
};

TEST_P(MainWindowHotKeyTest, TellsOfEachTakenKeyAndRegistersTheOther)
{
    const HotKeyCase& row = GetParam();
    takenHotKeys = row.taken;
    std::map<int, UINT> held;
    Run([&](MainWindow&) { held = HeldHotKeys(); });
    // The window holds every key nobody else had, under its own id.
    std::map<int, UINT> expected;
    for (const auto& [id, key] : {std::pair<int, UINT>{ID_HOTKEY_RECORD, VK_F10}, {ID_HOTKEY_SCREENSHOT, VK_F11}})
        if (std::find(row.taken.begin(), row.taken.end(), key) == row.taken.end())
            expected[id] = key;
    EXPECT_EQ(held, expected);
    EXPECT_EQ(Shown(), row.boxes);
    EXPECT_EQ(Events().back(), "main");
}

INSTANTIATE_TEST_SUITE_P(
    Taken, MainWindowHotKeyTest,
    testing::Values(HotKeyCase{{"RecordKey"}, {VK_F10}, {HotKeyTaken(kRecordKeyTaken)}},
                    HotKeyCase{{"ScreenshotKey"}, {VK_F11}, {HotKeyTaken(kScreenshotKeyTaken)}},
                    HotKeyCase{{"BothKeys"}, {VK_F10, VK_F11},
                               {HotKeyTaken(kRecordKeyTaken), HotKeyTaken(kScreenshotKeyTaken)}}),
    CaseName());

// ---- the system menu and the icons ----

// Wine's system menu ends with an "About Wine" entry after a separator of its own.
constexpr UINT kWineAbout = 0xF141;

// Each entry as "-" for a separator, or its command id, with the text for the
// program's own entries (the system's texts depend on the language). Wine's own
// entry and its separator are left out.
std::vector<std::wstring> MenuEntries(HMENU menu)
{
    std::vector<std::wstring> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        if (GetMenuItemID(menu, i) == kWineAbout) {
            if (!entries.empty() && entries.back() == L"-")
                entries.pop_back();
            continue;
        }
        MENUITEMINFOW info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_ID;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        if (info.fType & MFT_SEPARATOR) {
            entries.push_back(L"-");
            continue;
        }
        std::wstring entry = std::to_wstring(info.wID);
        if (info.wID < 0xF000) {
            wchar_t text[128] = {};
            GetMenuStringW(menu, static_cast<UINT>(i), text, 128, MF_BYPOSITION);
            entry += L" " + std::wstring(text);
        }
        entries.push_back(entry);
    }
    return entries;
}

TEST_F(MainWindowTest, SystemMenuHasMoveMinimiseCloseThenTheToolsThenAbout)
{
    std::vector<std::wstring> entries;
    Run([&](MainWindow& window) { entries = MenuEntries(GetSystemMenu(window.Handle(), FALSE)); });
    EXPECT_EQ(entries, (std::vector<std::wstring>{std::to_wstring(SC_MOVE), std::to_wstring(SC_MINIMIZE), L"-",
                                                  std::to_wstring(SC_CLOSE), L"-", L"162 混音", L"163 封装",
                                                  L"167 转码", L"-", L"16 关于 Glintcast"}));
}

TEST_F(MainWindowTest, WindowCarriesTheSmallAndTheLargeIconAndDragsTheSmallOne)
{
    const HMODULE module = GetModuleHandleW(nullptr);
    const HICON small = LoadIconW(module, MAKEINTRESOURCEW(IDI_SMALL_ICON));
    const HICON large = LoadIconW(module, MAKEINTRESOURCEW(IDI_LARGE_ICON));
    ASSERT_NE(small, nullptr);
    ASSERT_NE(large, nullptr);
    ASSERT_NE(small, large);
    Run([&](MainWindow& window) {
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window.Handle(), WM_QUERYDRAGICON, 0, 0)), small);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window.Handle(), WM_GETICON, ICON_SMALL, 0)), small);
        EXPECT_EQ(reinterpret_cast<HICON>(SendMessageW(window.Handle(), WM_GETICON, ICON_BIG, 0)), large);
    });
}

} // namespace
