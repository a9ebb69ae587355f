// The monitor and device lists of the running window: typed text is undone, a
// pick replaces the source's engine (with a message when the new one fails),
// and a pick is refused while the source's record thread runs. A source whose
// engine failed is left out of the next start; controls that the opening
// disabled stay disabled after a pick that works.
#include "MainWindowFixture.h"
#include "NamedCase.h"

#include "DialogDriver.h"
#include "NativeTool.h"

#include "AudioCapture.h"
#include "GlintcastDlg.h"
#include "Globals.h"
#include "RecorderGlobals.h"
#include "VideoCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <set>
#include <string>

namespace {

std::wstring EditText(HWND combo)
{
    wchar_t text[256] = {};
    GetWindowTextW(FindWindowExW(combo, nullptr, L"Edit", nullptr), text, 256);
    return text;
}

// A key typed into the list's edit field.
void TypeInto(HWND combo, wchar_t character)
{
    SendMessageW(FindWindowExW(combo, nullptr, L"Edit", nullptr), WM_CHAR, character, 1);
}

// The desktop origin of the output that the screen engine duplicates.
LONG EngineOutputLeft()
{
    DXGI_OUTPUT_DESC desc = {};
    if (!g_videoCapture || !g_videoCapture->m_pOutput1 || FAILED(g_videoCapture->m_pOutput1->GetDesc(&desc)))
        return -1;
    return desc.DesktopCoordinates.left;
}

// The only sources on are those given.
void RecordOnly(const MainWindow& window, std::initializer_list<int> sources)
{
    for (int id : {IDC_RECORD_SCREEN, IDC_RECORD_SYSTEM_AUDIO, IDC_RECORD_MIC})
        window.SetChecked(id, std::find(sources.begin(), sources.end(), id) != sources.end());
}

using MainWindowSourcesTest = MainWindowTest;

TEST_F(MainWindowSourcesTest, TypedTextIsUndoneAtOnceWithoutTouchingAnEngine)
{
    // No recording endpoint matches the default one: that list has no selection.
    audio->Enumerator().defaultIds[eCapture] = L"{capture-gone}";
    struct Case
    {
        const char* how;
        int list;
        std::wstring shown;
    };
    const Case cases[] = {
        {"monitors", IDC_SCREEN_LIST, L"0"},
        {"playback devices", IDC_OUTPUT_DEVICE_LIST, L"Speakers (default)"},
        {"recording devices, no selection", IDC_INPUT_DEVICE_LIST, L""},
    };
    Run([&](MainWindow& window) {
        ASSERT_TRUE(WaitForEnumeratorThread());
        const VideoCapture* screen = g_videoCapture;
        const AudioCapture* systemSound = g_systemAudioCapture;
        const AudioCapture* mic = g_micCapture;
        const size_t audioCalls = audio->Log().Calls().size();
        video->ClearCalls();
        for (const Case& c : cases) {
            SCOPED_TRACE(c.how);
            const HWND combo = window.Control(c.list);
            const LRESULT selection = SendMessageW(combo, CB_GETCURSEL, 0, 0);
            TypeInto(combo, L'x');
            TypeInto(combo, L'9');
            EXPECT_EQ(EditText(combo), c.shown);
            EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), selection);
        }
        EXPECT_EQ(g_videoCapture, screen);
        EXPECT_EQ(g_systemAudioCapture, systemSound);
        EXPECT_EQ(g_micCapture, mic);
        EXPECT_EQ(video->Calls(), std::vector<std::string>{});
        EXPECT_EQ(audio->Log().Calls().size(), audioCalls);
    });
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

TEST_F(MainWindowSourcesTest, PickingTheMonitorInUseReleasesItsDuplicationBeforeMakingANewOne)
{
    video->recordReleases = true;
    Run([&](MainWindow& window) {
        video->ClearCalls();
        window.Pick(IDC_SCREEN_LIST, 0);
        const std::vector<std::string> calls = video->Calls();
        const auto released = std::find(calls.begin(), calls.end(), "Release(IDXGIOutputDuplication)");
        const auto duplicated = std::find_if(calls.begin(), calls.end(), [](const std::string& call) {
            return call.rfind("DuplicateOutput", 0) == 0;
        });
        ASSERT_NE(released, calls.end()) << "the old duplication was kept";
        ASSERT_NE(duplicated, calls.end()) << "no new duplication";
        EXPECT_LT(released - calls.begin(), duplicated - calls.begin());
        ASSERT_NE(g_videoCapture, nullptr);
        EXPECT_EQ(g_videoCapture->m_hr, 0);
        EXPECT_EQ(EngineOutputLeft(), 0);
        EXPECT_EQ(window.Selected(IDC_SCREEN_LIST), L"0");
    });
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

TEST_F(MainWindowSourcesTest, APickWhoseEngineFailsShowsThatEnginesCodeAndKeepsIt)
{
    struct Case
    {
        const char* how;
        int list;
        int index;
        std::wstring picked;
        std::function<void()> makeFail;
        HRESULT code;
        const wchar_t* text;  // before the code
        std::function<HRESULT()> engineStatus;
    };
    const Case cases[] = {
        {"monitor 1", IDC_SCREEN_LIST, 1, L"1", [&] { video->construction.duplicateOutput = E_ACCESSDENIED; },
         E_ACCESSDENIED,
         L"屏幕数据获取引擎初始化失败，你将无法录制图像！这可能是因为不兼容你的设备，或不支持你当前的桌面模式或场景，"
         L"如果你是双显卡笔记本，请试着切换模式。！\r\n错误代码：",
         [] { return g_videoCapture ? g_videoCapture->m_hr : S_OK; }},
        {"headphones", IDC_OUTPUT_DEVICE_LIST, 0, L"Headphones",
         [&] { headphones->activateResult = AUDCLNT_E_DEVICE_INVALIDATED; }, AUDCLNT_E_DEVICE_INVALIDATED,
         L"输出声音数据获取引擎初始化失败，你将无法录制系统输出声音！\r\n错误代码：",
         [] { return g_systemAudioCapture ? g_systemAudioCapture->m_hr : S_OK; }},
        {"line in", IDC_INPUT_DEVICE_LIST, 0, L"Line In",
         [&] { lineIn->Client().initializeResult = AUDCLNT_E_UNSUPPORTED_FORMAT; }, AUDCLNT_E_UNSUPPORTED_FORMAT,
         L"输出声音数据获取引擎初始化失败，你将无法录制系统输入（麦克风）声音！\r\n错误代码：",
         [] { return g_micCapture ? g_micCapture->m_hr : S_OK; }},
    };
    Run([&](MainWindow& window) {
        for (const Case& c : cases) {
            SCOPED_TRACE(c.how);
            c.makeFail();
            const size_t boxesBefore = Boxes().size();
            window.Pick(c.list, c.index);
            const std::vector<MessageBoxRecord> boxes = Boxes();
            ASSERT_EQ(boxes.size(), boxesBefore + 1);
            const MessageBoxRecord& box = boxes.back();
            EXPECT_EQ(box.caption, L"初始化失败");
            EXPECT_EQ(box.text, c.text + std::to_wstring(static_cast<long>(c.code)));
            EXPECT_TRUE(box.hasIcon);
            EXPECT_EQ(box.buttons, std::vector<int>{IDOK});
            EXPECT_EQ(box.owner, window.Handle());
            EXPECT_EQ(c.engineStatus(), c.code) << "the global holds the failed engine";
            EXPECT_EQ(window.Selected(c.list), c.picked);
        }
        // The options stay as they were.
        EXPECT_TRUE(window.Enabled(IDC_RECORD_SCREEN));
        EXPECT_TRUE(window.Checked(IDC_RECORD_SCREEN));
        EXPECT_TRUE(window.Checked(IDC_RECORD_SYSTEM_AUDIO));
    });
    ExpectFakesClean();
}

TEST_F(MainWindowSourcesTest, ADevicePickOpensTheEndpointThatTheItemNames)
{
    struct Case
    {
        const char* how;
        int list;
        FakeMMDevice* picked;
        FakeMMDevice* replaced;
        bool loopback;
    };
    Run([&](MainWindow& window) {
        // Each list's first item sorts before the default device, which the
        // enumeration gives first.
        const Case cases[] = {
            {"playback", IDC_OUTPUT_DEVICE_LIST, headphones, speakers, true},
            {"recording", IDC_INPUT_DEVICE_LIST, lineIn, microphone, false},
        };
        for (const Case& c : cases) {
            SCOPED_TRACE(c.how);
            ASSERT_FALSE(c.picked->Client().initialized);
            window.Pick(c.list, 0);
            EXPECT_EQ(window.Selected(c.list), std::wstring(c.picked == headphones ? L"Headphones" : L"Line In"));
            EXPECT_TRUE(c.picked->Client().initialized);
            EXPECT_EQ((c.picked->Client().initialization.streamFlags & AUDCLNT_STREAMFLAGS_LOOPBACK) != 0,
                      c.loopback);
            EXPECT_GT(c.picked->Client().Refs(), 0) << "the new engine holds the picked endpoint's client";
            EXPECT_EQ(c.replaced->Client().Refs(), 0) << "the old engine is gone";
        }
        ASSERT_NE(g_systemAudioCapture, nullptr);
        ASSERT_NE(g_micCapture, nullptr);
        EXPECT_EQ(g_systemAudioCapture->m_hr, 0);
        EXPECT_EQ(g_micCapture->m_hr, 0);
    });
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

// One source recorded, and a pick in its list during the recording.
struct RefusalCase : NamedCase
{
    int checkBox;
    int list;
    int index;
    std::wstring kept;
    std::wstring picked;
};

const RefusalCase kRefusalCases[] = {
    {{"Screen"}, IDC_RECORD_SCREEN, IDC_SCREEN_LIST, 1, L"0", L"1"},
    {{"SystemSound"}, IDC_RECORD_SYSTEM_AUDIO, IDC_OUTPUT_DEVICE_LIST, 0, L"Speakers (default)", L"Headphones"},
    {{"Microphone"}, IDC_RECORD_MIC, IDC_INPUT_DEVICE_LIST, 0, L"Microphone (default)", L"Line In"},
};

class MainWindowRefusalTest : public MainWindowTest, public testing::WithParamInterface<RefusalCase>
{
protected:
    const void* Engine() const
    {
        switch (GetParam().list) {
        case IDC_SCREEN_LIST:
            return g_videoCapture;
        case IDC_OUTPUT_DEVICE_LIST:
            return g_systemAudioCapture;
        default:
            return g_micCapture;
        }
    }

    // The engine of the list is the one for the picked item.
    bool PickedInUse() const
    {
        switch (GetParam().list) {
        case IDC_SCREEN_LIST:
            return EngineOutputLeft() == 640;
        case IDC_OUTPUT_DEVICE_LIST:
            return headphones->Client().Refs() > 0 && speakers->Client().Refs() == 0;
        default:
            return lineIn->Client().Refs() > 0 && microphone->Client().Refs() == 0;
        }
    }
};

TEST_P(MainWindowRefusalTest, APickInTheRecordedSourcesListIsRefusedUntilTheReset)
{
    const RefusalCase& c = GetParam();
    Run([&](MainWindow& window) {
        RecordOnly(window, {c.checkBox});
        window.Click(IDC_START_STOP);
        ASSERT_EQ(window.Text(IDC_START_STOP), L"停止录制");

        const void* engine = Engine();
        window.Pick(c.list, c.index);
        EXPECT_EQ(window.Selected(c.list), c.kept);
        EXPECT_EQ(Engine(), engine);
        EXPECT_FALSE(PickedInUse());

        window.Click(IDC_START_STOP);
        window.Tick();
        ASSERT_EQ(window.Text(IDC_START_STOP), L"开始录制");
        window.Pick(c.list, c.index);
        EXPECT_EQ(window.Selected(c.list), c.picked);
        EXPECT_TRUE(PickedInUse());
    });
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

INSTANTIATE_TEST_SUITE_P(Sources, MainWindowRefusalTest, testing::ValuesIn(kRefusalCases), CaseName());

TEST_F(MainWindowSourcesTest, AMonitorPickBetweenTheStopAndTheResetIsRefusedWhileTheVideoThreadRuns)
{
    // The video thread is held inside its next acquire while holding is set.
    const HANDLE gate = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::atomic<bool> holding{false};
    std::atomic<bool> held{false};
    video->whenScriptEnds = [&](UINT timeoutMs) {
        if (holding) {
            held = true;
            WaitForSingleObject(gate, 10000);
        }
        return desktop->Next(timeoutMs);
    };
    Run([&](MainWindow& window) {
        RecordOnly(window, {IDC_RECORD_SCREEN});
        window.Click(IDC_START_STOP);
        holding = true;
        ASSERT_TRUE(WaitUntil([&] { return held.load(); }));
        window.Click(IDC_START_STOP);
        ASSERT_TRUE(g_stopRecording);

        const VideoCapture* engine = g_videoCapture;
        window.Pick(IDC_SCREEN_LIST, 1);
        EXPECT_EQ(window.Selected(IDC_SCREEN_LIST), L"0");
        EXPECT_EQ(g_videoCapture, engine);

        SetEvent(gate);
        window.Tick();
        window.Pick(IDC_SCREEN_LIST, 1);
        EXPECT_EQ(window.Selected(IDC_SCREEN_LIST), L"1");
        EXPECT_EQ(EngineOutputLeft(), 640);
    });
    CloseHandle(gate);
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}

TEST_F(MainWindowSourcesTest, PicksInTheListsOfSourcesNotRecordedAreAcceptedAtOnce)
{
    Run([&](MainWindow& window) {
        RecordOnly(window, {IDC_RECORD_SYSTEM_AUDIO});
        window.Click(IDC_START_STOP);
        ASSERT_EQ(window.Text(IDC_START_STOP), L"停止录制");

        window.Pick(IDC_INPUT_DEVICE_LIST, 0);
        EXPECT_EQ(window.Selected(IDC_INPUT_DEVICE_LIST), L"Line In");
        EXPECT_GT(lineIn->Client().Refs(), 0);
        EXPECT_EQ(microphone->Client().Refs(), 0);

        window.Pick(IDC_SCREEN_LIST, 1);
        EXPECT_EQ(window.Selected(IDC_SCREEN_LIST), L"1");
        EXPECT_EQ(EngineOutputLeft(), 640);

        window.Click(IDC_START_STOP);
        window.Tick();
    });
    EXPECT_TRUE(Boxes().empty());
    ExpectFakesClean();
}


// ---- an engine that failed, and what comes after ----

enum class Source { Screen, SystemSound, Microphone };

// Makes the next engine of source fail, or, with fail false, work again.
class FailingEngineTest : public MainWindowTest
{
protected:
    void MakeEnginesFail(Source source, bool fail)
    {
        switch (source) {
        case Source::Screen:
            video->construction.duplicateOutput = fail ? E_ACCESSDENIED : S_OK;
            break;
        case Source::SystemSound:
            for (FakeMMDevice* device : {speakers, headphones})
                device->activateResult = fail ? AUDCLNT_E_DEVICE_INVALIDATED : S_OK;
            break;
        case Source::Microphone:
            for (FakeMMDevice* device : {microphone, lineIn})
                device->activateResult = fail ? AUDCLNT_E_DEVICE_INVALIDATED : S_OK;
            break;
        }
    }

    // The engine of source is the one for the item that Info(source) picks.
    bool PickedInUse(Source source) const
    {
        switch (source) {
        case Source::Screen:
            return EngineOutputLeft() == 640;
        case Source::SystemSound:
            return headphones->Client().Refs() > 0 && speakers->Client().Refs() == 0;
        default:
            return lineIn->Client().Refs() > 0 && microphone->Client().Refs() == 0;
        }
    }
};

// The list of each source, the item that a pick takes (not the one in use), the
// source's option and record thread, and the suffix of its file.
struct SourceInfo
{
    int list;
    int item;
    int option;
    HANDLE CGlintcastDlg::*thread;
    const wchar_t* suffix;
};

const SourceInfo& Info(Source source)
{
    static const SourceInfo screen = {IDC_SCREEN_LIST, 1, IDC_RECORD_SCREEN, &CGlintcastDlg::m_hVideoThread, L".264"};
    static const SourceInfo systemSound = {IDC_OUTPUT_DEVICE_LIST, 0, IDC_RECORD_SYSTEM_AUDIO,
                                           &CGlintcastDlg::m_hSystemAudioThread, L".flac"};
    static const SourceInfo microphone = {IDC_INPUT_DEVICE_LIST, 0, IDC_RECORD_MIC, &CGlintcastDlg::m_hMicThread,
                                          L".MIC.flac"};
    return source == Source::Screen ? screen : source == Source::SystemSound ? systemSound : microphone;
}

constexpr Source kSources[] = {Source::Screen, Source::SystemSound, Source::Microphone};

struct FailedPickCase : NamedCase
{
    Source failed;
};

class MainWindowFailedPickStartTest : public FailingEngineTest, public testing::WithParamInterface<FailedPickCase>
{
};

TEST_P(MainWindowFailedPickStartTest, TheStartLeavesTheSourceOutWithoutItsChecks)
{
    const Source failed = GetParam().failed;
    const SourceInfo& info = Info(failed);
    std::set<std::wstring> suffixes;
    Run([&](MainWindow& window) {
        RecordOnly(window, {IDC_RECORD_SCREEN, IDC_RECORD_SYSTEM_AUDIO, IDC_RECORD_MIC});
        MakeEnginesFail(failed, true);
        window.Pick(info.list, info.item);
        ASSERT_EQ(Boxes().size(), 1u) << "the pick's failure message";
        ASSERT_TRUE(window.Checked(info.option));
        HWND overlay = nullptr;
        if (failed == Source::Screen) {
            // Video options that a start with a usable screen engine refuses.
            window.SetText(IDC_FRAME_RATE, L"abc");
            PostMessageW(window.Control(IDC_SELECT_REGION), BM_CLICK, 0, 0);
            const HWND picker = WaitForDialog(L"选择预设分辨率");
            ASSERT_NE(picker, nullptr);
            DialogWindow(picker).PressEscape();
            ASSERT_TRUE(WaitUntil([&] {
                return (overlay = FindDialog(L"Glintcast录制区域 - 分辨率: 1024 x 768")) != nullptr;
            }));
        }

        window.Click(IDC_START_STOP);
        EXPECT_EQ(Boxes().size(), 1u) << "the start showed a message";
        EXPECT_EQ(window.Text(IDC_START_STOP), L"停止录制");
        for (Source source : kSources) {
            const HANDLE thread = dialog->*Info(source).thread;
            if (source == failed) {
                EXPECT_EQ(thread, nullptr) << "a record thread for the failed engine";
            } else {
                EXPECT_TRUE(thread && WaitForSingleObject(thread, 0) == WAIT_TIMEOUT)
                    << Utf8(Info(source).suffix) << " does not record";
            }
        }
        if (overlay) {
            EXPECT_FALSE(GetWindowLongW(overlay, GWL_EXSTYLE) & WS_EX_TRANSPARENT);
        }
        window.Click(IDC_START_STOP);
        window.Tick();
        EXPECT_EQ(window.Text(IDC_START_STOP), L"开始录制");
    });
    for (const std::wstring& name : FilesIn(dir.File(L"Glintcast_Output")))
        suffixes.insert(name.substr(name.find(L'.')));
    std::set<std::wstring> expected;
    for (Source source : kSources)
        if (source != failed)
            expected.insert(Info(source).suffix);
    EXPECT_EQ(suffixes, expected);
    ExpectFakesClean();
}

INSTANTIATE_TEST_SUITE_P(Sources, MainWindowFailedPickStartTest,
                         testing::Values(FailedPickCase{{"Screen"}, Source::Screen},
                                         FailedPickCase{{"SystemSound"}, Source::SystemSound},
                                         FailedPickCase{{"Microphone"}, Source::Microphone}),
                         CaseName());

// An engine that failed at the opening, and a pick that works afterwards.
struct OpeningFailureCase : NamedCase
{
    Source failed;
    Source picked;
};

// The controls that the opening disabled for a failed engine of source.
std::vector<int> DisabledAfterFailure(Source source)
{
    switch (source) {
    case Source::Screen:
        return {IDC_FRAME_RATE, IDC_SELECT_REGION, IDC_RECORD_SCREEN, IDC_DRAW_CURSOR};
    case Source::SystemSound:
        return {IDC_OUTPUT_DEVICE_LIST, IDC_RECORD_SYSTEM_AUDIO};
    default:
        return {IDC_RECORD_MIC, IDC_INPUT_DEVICE_LIST};
    }
}

HRESULT StatusOf(Source source)
{
    if (source == Source::Screen)
        return g_videoCapture ? g_videoCapture->m_hr : E_POINTER;
    const AudioCapture* engine = source == Source::SystemSound ? g_systemAudioCapture : g_micCapture;
    return engine ? engine->m_hr : E_POINTER;
}

class MainWindowOpeningFailureTest : public FailingEngineTest,
                                     public testing::WithParamInterface<OpeningFailureCase>
{
};

TEST_P(MainWindowOpeningFailureTest, ControlsDisabledAtTheOpeningStayDisabledAfterAPickThatWorks)
{
    const OpeningFailureCase& row = GetParam();
    MakeEnginesFail(row.failed, true);
    Run([&](MainWindow& window) {
        const std::vector<int> disabled = DisabledAfterFailure(row.failed);
        for (int id : disabled)
            ASSERT_FALSE(window.Enabled(id)) << id;
        MakeEnginesFail(row.failed, false);
        const size_t boxes = Boxes().size();
        window.Pick(Info(row.picked).list, Info(row.picked).item);
        ASSERT_TRUE(PickedInUse(row.picked));
        ASSERT_EQ(StatusOf(row.picked), S_OK);
        EXPECT_EQ(Boxes().size(), boxes);
        for (int id : disabled)
            EXPECT_FALSE(window.Enabled(id)) << id;
        EXPECT_FALSE(window.Checked(Info(row.failed).option));
    });
    ExpectFakesClean();
}

INSTANTIATE_TEST_SUITE_P(
    Picks, MainWindowOpeningFailureTest,
    testing::Values(OpeningFailureCase{{"ScreenFailedThenMonitorOne"}, Source::Screen, Source::Screen},
                    OpeningFailureCase{{"ScreenFailedThenHeadphones"}, Source::Screen, Source::SystemSound},
                    OpeningFailureCase{{"SystemSoundFailedThenLineIn"}, Source::SystemSound, Source::Microphone},
                    OpeningFailureCase{{"MicrophoneFailedThenHeadphones"}, Source::Microphone, Source::SystemSound},
                    OpeningFailureCase{{"MicrophoneFailedThenMonitorOne"}, Source::Microphone, Source::Screen}),
    CaseName());

} // namespace
