// The three converter tools opened from the main window's system menu: one
// window each, hidden and shown again with its fields, their refusals and
// converter messages, the picker and the pairing of a recording's files, the
// command line that reaches the converter, and a real recording mixed, packed
// and transcoded by the machine's ffmpeg.
#include "MainWindowFixture.h"

#include "DialogDriver.h"
#include "GlintcastDlg.h"
#include "NamedCase.h"
#include "NativeTool.h"
#include "StandInFfmpeg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstring>

namespace {

constexpr int kFileNameField = 0x480;  // of the system's file picker
const std::wstring kPickerCaption = L"打开";
constexpr wchar_t kNoConverterQuestion[] = L"你是不是没有把ffmpeg.exe跟本软件放在一起啊？";
constexpr wchar_t kNoConverter[] = L"你是不是没有把ffmpeg.exe跟本软件放在一起啊";

struct Tool
{
    UINT id;
    const wchar_t* caption;
    bool rateList;
    bool hidesOnStart;
};

const Tool kMix = {IDD_AUDIOMUX, L"将系统输出声音和麦克风声音混成一个音频", false, false};
const Tool kPack = {IDD_MKVMUX, L"封装视音频为MKV格式文件", true, false};
const Tool kTranscode = {IDD_RGBTOYUV420P, L"简单地将录制出来的视音频转码成通用的主流格式", true, true};

// Every dialog window of this process with this caption, shown or hidden.
std::vector<HWND> WindowsCaptioned(const std::wstring& caption)
{
    struct Search
    {
        const std::wstring* caption;
        std::vector<HWND> found;
    } search{&caption, {}};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            wchar_t cls[16] = {};
            GetClassNameW(window, cls, 16);
            if (pid == GetCurrentProcessId() && wcscmp(cls, L"#32770") == 0 && DialogWindow(window).Caption() == *s->caption)
                s->found.push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Picks the tool's system-menu entry; the tool's window once it shows.
HWND OpenTool(const MainWindow& window, const Tool& tool)
{
    window.SysCommand(tool.id);
    return WaitForDialog(tool.caption);
}

// Types into the rate list's edit field.
bool TypeRate(HWND tool, const std::wstring& text)
{
    return DialogWindow(GetDlgItem(tool, IDC_TOOL_RATE)).Type(1001, text);
}

// Waits until the tool's thread has finished what it was doing (a handler that
// opened a picker, say): a message sent now is handled only back in its loop.
void Settle(HWND tool)
{
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(tool, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
}

// Presses a browse button and answers the picker it opens: OK with path, or
// Cancel when path is null. Returns once the handler is done.
void Browse(HWND tool, int button, const std::wstring* path)
{
    PostMessageW(GetDlgItem(tool, button), BM_CLICK, 0, 0);
    const HWND picker = WaitForDialog(kPickerCaption);
    ASSERT_NE(picker, nullptr);
    const DialogWindow dialog(picker);
    if (path) {
        ASSERT_TRUE(dialog.Type(kFileNameField, *path));
        dialog.Click(IDOK);
    } else {
        dialog.Click(IDCANCEL);
    }
    ASSERT_TRUE(WaitUntil([&] { return !IsWindow(picker) && IsWindowEnabled(tool); }));
    Settle(tool);
}

// Enter in the first path field, as the user presses it there.
void EnterInPathField(HWND tool)
{
    const DialogWindow dialog(tool);
    PostMessageW(tool, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(dialog.Control(IDC_TOOL_FIRST_PATH)), TRUE);
    ASSERT_TRUE(WaitUntil([&] { return dialog.Focus() == dialog.Control(IDC_TOOL_FIRST_PATH); }));
    dialog.PressEnter();
}

// A stand-in that a wrong start would have called has written its record by then.
std::vector<StandInCall> CallsAfterAWhile(const std::wstring& folder)
{
    return WaitForStandInCalls(folder, 1, std::chrono::seconds(2));
}

// ---- one window per tool ----

struct ToolCase : NamedCase
{
    Tool tool;
};

class ToolWindowTest : public MainWindowTest, public testing::WithParamInterface<ToolCase>
{
};

TEST_P(ToolWindowTest, APickTwiceShowsOneWindowOwnedByTheMainWindowAndGoneWithIt)
{
    const Tool& tool = GetParam().tool;
    HWND first = nullptr;
    Run([&](MainWindow& window) {
        first = OpenTool(window, tool);
        ASSERT_NE(first, nullptr);
        EXPECT_EQ(GetWindow(first, GW_OWNER), window.Handle());
        const DialogWindow dialog(first);
        ASSERT_TRUE(dialog.Type(IDC_TOOL_FIRST_PATH, L"a.264"));
        EXPECT_EQ(OpenTool(window, tool), first);
        EXPECT_EQ(WindowsCaptioned(tool.caption), std::vector<HWND>{first});
        EXPECT_EQ(dialog.Text(IDC_TOOL_FIRST_PATH), L"a.264");
    });
    EXPECT_TRUE(Boxes().empty());
    // Gone with the main window, its owner.
    EXPECT_FALSE(IsWindow(first));
}

TEST_P(ToolWindowTest, TheCloseBoxAndEscHideItAndTheNextPickShowsTheFieldsAsTheyWere)
{
    const Tool& tool = GetParam().tool;
    Run([&](MainWindow& window) {
        const HWND shown = OpenTool(window, tool);
        ASSERT_NE(shown, nullptr);
        const DialogWindow dialog(shown);
        ASSERT_TRUE(dialog.Type(IDC_TOOL_FIRST_PATH, L"录像 1.264"));
        ASSERT_TRUE(dialog.Type(IDC_TOOL_SECOND_PATH, L"  "));
        if (tool.rateList)
            dialog.Pick(IDC_TOOL_RATE, 2);

        const std::pair<const char*, std::function<void()>> hides[] = {{"close box", [&] { dialog.Close(); }},
                                                                       {"Esc", [&] { dialog.PressEscape(); }}};
        for (const auto& [how, hide] : hides) {
            SCOPED_TRACE(how);
            hide();
            ASSERT_TRUE(dialog.WaitUntilClosed());
            EXPECT_TRUE(IsWindow(shown));
            EXPECT_EQ(OpenTool(window, tool), shown);
            EXPECT_EQ(dialog.Text(IDC_TOOL_FIRST_PATH), L"录像 1.264");
            EXPECT_EQ(dialog.Text(IDC_TOOL_SECOND_PATH), L"  ");
            if (tool.rateList) {
                EXPECT_EQ(dialog.Selection(IDC_TOOL_RATE), 2);
            }
        }
        EXPECT_EQ(WindowsCaptioned(tool.caption).size(), 1u);
    });
    EXPECT_TRUE(Boxes().empty());
}

TEST_P(ToolWindowTest, TheRateListOffersZeroThirtySixtyWithZeroSelected)
{
    const Tool& tool = GetParam().tool;
    Run([&](MainWindow& window) {
        const HWND shown = OpenTool(window, tool);
        ASSERT_NE(shown, nullptr);
        const DialogWindow dialog(shown);
        if (!tool.rateList) {
            EXPECT_EQ(dialog.Control(IDC_TOOL_RATE), nullptr);
            return;
        }
        EXPECT_EQ(dialog.Items(IDC_TOOL_RATE), (std::vector<std::wstring>{L"0", L"30", L"60"}));
        EXPECT_EQ(dialog.Selection(IDC_TOOL_RATE), 0);
    });
}

// The picker that a browse button opens belongs to the tool window, which it
// disables while it is open; the main window stays usable.
TEST_P(ToolWindowTest, ThePickerIsOwnedByTheToolAndDisablesIt)
{
    const Tool& tool = GetParam().tool;
    Run([&](MainWindow& window) {
        const HWND shown = OpenTool(window, tool);
        ASSERT_NE(shown, nullptr);
        for (int button : {IDC_TOOL_BROWSE_FIRST, IDC_TOOL_BROWSE_SECOND}) {
            SCOPED_TRACE(button);
            PostMessageW(GetDlgItem(shown, button), BM_CLICK, 0, 0);
            const HWND picker = WaitForDialog(kPickerCaption);
            ASSERT_NE(picker, nullptr);
            EXPECT_EQ(GetWindow(picker, GW_OWNER), shown);
            EXPECT_FALSE(IsWindowEnabled(shown));
            EXPECT_TRUE(IsWindowEnabled(window.Handle()));
            DialogWindow(picker).Click(IDCANCEL);
            EXPECT_TRUE(WaitUntil([&] { return !IsWindow(picker) && IsWindowEnabled(shown); }));
            Settle(shown);
        }
    });
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolWindowTest,
                         testing::Values(ToolCase{{"Mix"}, kMix}, ToolCase{{"Pack"}, kPack},
                                         ToolCase{{"Transcode"}, kTranscode}),
                         CaseName());

// ---- Start refused, or with no converter ----

struct MessageCase : NamedCase
{
    Tool tool;
    const wchar_t* first;
    const wchar_t* second;
    bool converter;  // the stand-in lies in the current directory
    const wchar_t* text;
    const wchar_t* caption;
};

class ToolMessageTest : public MainWindowTest, public testing::WithParamInterface<MessageCase>
{
};

TEST_P(ToolMessageTest, StartShowsItsMessageOwnedByTheToolAndLeavesTheFields)
{
    const MessageCase& c = GetParam();
    if (c.converter) {
        ASSERT_TRUE(InstallStandInFfmpeg(dir.Path()));
    }
    std::atomic<HWND> tool{nullptr};
    std::atomic<bool> visibleAtBox{false};
    reply = [&](const MessageBoxRecord&) {
        visibleAtBox = IsWindowVisible(tool) != FALSE;
        return IDOK;
    };
    Run([&](MainWindow& window) {
        tool = OpenTool(window, c.tool);
        ASSERT_NE(tool.load(), nullptr);
        const DialogWindow dialog(tool);
        ASSERT_TRUE(dialog.Type(IDC_TOOL_FIRST_PATH, c.first));
        ASSERT_TRUE(dialog.Type(IDC_TOOL_SECOND_PATH, c.second));
        dialog.Click(IDOK);
        ASSERT_TRUE(WaitUntil([&] { return !Boxes().empty(); }));
        Settle(tool);
        EXPECT_EQ(IsWindowVisible(tool) != FALSE, !c.tool.hidesOnStart);
        EXPECT_EQ(dialog.Text(IDC_TOOL_FIRST_PATH), c.first);
        EXPECT_EQ(dialog.Text(IDC_TOOL_SECOND_PATH), c.second);
    });
    EXPECT_EQ(Shown(), (std::vector<BoxShown>{{c.caption, c.text, MB_OK, c.tool.caption}}));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Boxes()[0].owner, tool.load());
    // The transcode tool is hidden before its box comes.
    EXPECT_EQ(visibleAtBox.load(), !c.tool.hidesOnStart);
    EXPECT_TRUE(CallsAfterAWhile(dir.Path()).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, ToolMessageTest,
    testing::Values(
        MessageCase{{"MixWithoutMicrophone"}, kMix, L"a.flac", L"", true, L"混音要两个音频啊！", L"错误"},
        MessageCase{{"MixWithoutSystemSound"}, kMix, L"", L"a.MIC.flac", true, L"混音要两个音频啊！", L"错误"},
        MessageCase{{"MixWithOneBlank"}, kMix, L"a.flac", L" ", true, L"混音要两个音频啊！", L"错误"},
        MessageCase{{"PackWithNothing"}, kPack, L"", L"", true, L"你是不是不想封装？", L"错误"},
        MessageCase{{"PackWithOneBlankEach"}, kPack, L" ", L" ", true, L"你是不是不想封装？", L"错误"},
        MessageCase{{"TranscodeWithNothing"}, kTranscode, L"", L"", true, L"我猜你似乎不想转码。", L"错误"},
        MessageCase{{"TranscodeWithOneBlankEach"}, kTranscode, L" ", L" ", true, L"我猜你似乎不想转码。",
                    L"错误"}),
    CaseName());

INSTANTIATE_TEST_SUITE_P(
    NoConverter, ToolMessageTest,
    testing::Values(
        MessageCase{{"Mix"}, kMix, L"a.flac", L"a.MIC.flac", false, kNoConverterQuestion, L"错误"},
        MessageCase{{"PackVideo"}, kPack, L"a.264", L"", false, kNoConverter, L"失败"},
        MessageCase{{"PackTwoBlankSound"}, kPack, L"", L"  ", false, kNoConverter, L"失败"},
        MessageCase{{"TranscodeVideoAndSound"}, kTranscode, L"a.264", L"a.flac", false, kNoConverter, L"失败"}),
    CaseName());

// ---- what reaches the converter ----

enum class RateChoice { Opening, Pick, Type };

struct StartCase : NamedCase
{
    Tool tool;
    const wchar_t* first;
    const wchar_t* second;
    RateChoice rate;
    int pick;
    const wchar_t* typed;
    bool byEnter;  // Enter in a path field rather than the Start button
    const wchar_t* commandLine;
};

class ToolStartTest : public MainWindowTest, public testing::WithParamInterface<StartCase>
{
};

TEST_P(ToolStartTest, TheConverterGetsTheTailByteForByte)
{
    const StartCase& c = GetParam();
    ASSERT_TRUE(InstallStandInFfmpeg(dir.Path()));
    Run([&](MainWindow& window) {
        const HWND tool = OpenTool(window, c.tool);
        ASSERT_NE(tool, nullptr);
        const DialogWindow dialog(tool);
        ASSERT_TRUE(dialog.Type(IDC_TOOL_FIRST_PATH, c.first));
        ASSERT_TRUE(dialog.Type(IDC_TOOL_SECOND_PATH, c.second));
        if (c.rate == RateChoice::Pick)
            dialog.Pick(IDC_TOOL_RATE, c.pick);
        if (c.rate == RateChoice::Type) {
            ASSERT_TRUE(TypeRate(tool, c.typed));
        }
        if (c.byEnter)
            EnterInPathField(tool);
        else
            dialog.Click(IDOK);
        const std::vector<StandInCall> calls = WaitForStandInCalls(dir.Path(), 1);
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].commandLine, c.commandLine);
        Settle(tool);
        EXPECT_EQ(IsWindowVisible(tool) != FALSE, !c.tool.hidesOnStart);
        EXPECT_EQ(dialog.Text(IDC_TOOL_FIRST_PATH), c.first);
        EXPECT_EQ(dialog.Text(IDC_TOOL_SECOND_PATH), c.second);
        EXPECT_TRUE(WaitForStandInExits(calls));
    });
    EXPECT_TRUE(Boxes().empty());
    EXPECT_EQ(ReadStandInCalls(dir.Path()).size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(
    Tails, ToolStartTest,
    testing::Values(
        StartCase{{"MixByButton"}, kMix, L"rec\\录像 1.flac", L"rec\\录像 1.MIC.flac", RateChoice::Opening, 0, L"",
                  false,
                  L" -i \"rec\\录像 1.flac\" -i \"rec\\录像 1.MIC.flac\" -filter_complex amix=inputs=2:duration=first "
                  L"\"rec\\录像 1_Mux.flac\""},
        StartCase{{"MixByEnter"}, kMix, L"x.wav", L"  ", RateChoice::Opening, 0, L"", true,
                  L" -i \"x.wav\" -i \"  \" -filter_complex amix=inputs=2:duration=first \"_Mux.flac\""},
        StartCase{{"PackBothAtZero"}, kPack, L"r\\b.264", L"r\\b_Mux.flac", RateChoice::Opening, 0, L"", false,
                  L" -i \"r\\b.264\" -i \"r\\b_Mux.flac\" -vcodec copy -acodec copy \"r\\b.mkv\""},
        StartCase{{"PackBothAtThirtyByEnter"}, kPack, L"r\\b.264", L"r\\b.flac", RateChoice::Pick, 1, L"", true,
                  L" -i \"r\\b.264\" -i \"r\\b.flac\" -vcodec copy -acodec copy -r 30 \"r\\b.mkv\""},
        StartCase{{"PackVideoWithTypedRate"}, kPack, L"video.h264", L" ", RateChoice::Type, 0, L"25", false,
                  L" -i \"video.h264\" -vcodec copy -r 25 \"video..mkv\""},
        StartCase{{"PackVideoWithTypedZero"}, kPack, L"b.264", L"", RateChoice::Type, 0, L"0", false,
                  L" -i \"b.264\" -vcodec copy -r 0 \"b.mkv\""},
        StartCase{{"PackVideoWithEmptyRate"}, kPack, L"b.264", L"", RateChoice::Type, 0, L"", false,
                  L" -i \"b.264\" -vcodec copy -r  \"b.mkv\""},
        StartCase{{"PackSoundAtSixty"}, kPack, L"", L"r\\b.MIC.flac", RateChoice::Pick, 2, L"", false,
                  L" -i \"r\\b.MIC.flac\" -acodec copy -r 60 \"r\\b.MIC.mkv\""},
        StartCase{{"TranscodeBothAtThirty"}, kTranscode, L"r\\b.264", L"r\\b.flac", RateChoice::Pick, 1, L"", false,
                  L" -i \"r\\b.264\" -i \"r\\b.flac\" -c:v h264 -c:a aac -b:v 16000k -b:a 320k  -ar 48000 "
                  L"-pix_fmt yuv420p -f mp4 -r 30 \"r\\b.mp4\""},
        StartCase{{"TranscodeVideoByEnter"}, kTranscode, L"abcd", L"", RateChoice::Opening, 0, L"", true,
                  L" -i \"abcd\" -c:v h264 -b:v 16000k -pix_fmt yuv420p -f mp4 \".mp4\""},
        StartCase{{"TranscodeSoundAtSixtyTakesNoRate"}, kTranscode, L" ", L"r\\b_Mux.flac", RateChoice::Pick, 2,
                  L"", false, L" -i \"r\\b_Mux.flac\" -c:a aac -b:a 320k -ar 48000 -f mp4 \"r\\b_Mux.mp4\""}),
    CaseName());

// Nothing is counted or serialised: each press starts one more converter.
class ToolStartTwiceTest : public MainWindowTest, public testing::WithParamInterface<ToolCase>
{
};

TEST_P(ToolStartTwiceTest, TwoPressesStartTwoConvertersWithTheSameTail)
{
    const Tool& tool = GetParam().tool;
    ASSERT_TRUE(InstallStandInFfmpeg(dir.Path()));
    Run([&](MainWindow& window) {
        const HWND shown = OpenTool(window, tool);
        ASSERT_NE(shown, nullptr);
        const DialogWindow dialog(shown);
        ASSERT_TRUE(dialog.Type(IDC_TOOL_FIRST_PATH, L"b.flac"));
        ASSERT_TRUE(dialog.Type(IDC_TOOL_SECOND_PATH, L"b.MIC.flac"));
        dialog.Click(IDOK);
        dialog.Click(IDOK);
        const std::vector<StandInCall> calls = WaitForStandInCalls(dir.Path(), 2);
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[0].commandLine, calls[1].commandLine);
        EXPECT_NE(calls[0].processId, calls[1].processId);
        EXPECT_TRUE(WaitForStandInExits(calls));
    });
    EXPECT_TRUE(Boxes().empty());
}

INSTANTIATE_TEST_SUITE_P(Tools, ToolStartTwiceTest,
                         testing::Values(ToolCase{{"Mix"}, kMix}, ToolCase{{"Pack"}, kPack}), CaseName());

// ---- the pairing through the picker ----

struct PairCase : NamedCase
{
    Tool tool;
    int button;
    std::vector<const wchar_t*> files;  // made in the current directory
    const wchar_t* picked;              // null: Cancel
    const wchar_t* ownExpected;
    const wchar_t* otherExpected;
};

// With a trailing backslash, as TempDir gives its path.
std::wstring CurrentDirectory()
{
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    std::wstring path = current;
    if (!path.empty() && path.back() != L'\\')
        path += L'\\';
    return path;
}

// Names in a case are relative to the current directory; '@' stands for it.
std::wstring InDir(const std::wstring& pattern, const std::wstring& dir)
{
    std::wstring out;
    for (wchar_t c : pattern)
        out += c == L'@' ? dir : std::wstring(1, c);
    return out;
}

class ToolPairingTest : public MainWindowTest, public testing::WithParamInterface<PairCase>
{
};

TEST_P(ToolPairingTest, ThePickFillsItsFieldAndTheCompanionThatExistsTheOther)
{
    const PairCase& c = GetParam();
    for (const wchar_t* name : c.files)
        WriteFileBytes(dir.File(name), {1});
    const int own = c.button == IDC_TOOL_BROWSE_FIRST ? IDC_TOOL_FIRST_PATH : IDC_TOOL_SECOND_PATH;
    const int other = own == IDC_TOOL_FIRST_PATH ? IDC_TOOL_SECOND_PATH : IDC_TOOL_FIRST_PATH;
    Run([&](MainWindow& window) {
        const HWND tool = OpenTool(window, c.tool);
        ASSERT_NE(tool, nullptr);
        const DialogWindow dialog(tool);
        ASSERT_TRUE(dialog.Type(own, L"own before"));
        ASSERT_TRUE(dialog.Type(other, L"other before"));
        const std::wstring picked = c.picked ? InDir(c.picked, dir.Path()) : std::wstring();
        Browse(tool, c.button, c.picked ? &picked : nullptr);
        EXPECT_EQ(dialog.Text(own), InDir(c.ownExpected, dir.Path()));
        EXPECT_EQ(dialog.Text(other), InDir(c.otherExpected, dir.Path()));
        EXPECT_TRUE(IsWindowVisible(tool));
    });
    EXPECT_TRUE(Boxes().empty());
    // The converter is looked for where it was: the picker leaves the current directory.
    EXPECT_EQ(CurrentDirectory(), dir.Path());
}

INSTANTIATE_TEST_SUITE_P(
    Picks, ToolPairingTest,
    testing::Values(
        PairCase{{"PackVideoFindsTheMix"}, kPack, IDC_TOOL_BROWSE_FIRST, {L"b.264", L"b_Mux.flac", L"b.flac"},
                 L"@b.264", L"@b.264", L"@b_Mux.flac"},
        PairCase{{"PackVideoFindsTheSystemSound"}, kPack, IDC_TOOL_BROWSE_FIRST, {L"b.264", L"b.flac"}, L"@b.264",
                 L"@b.264", L"@b.flac"},
        PairCase{{"PackSoundFindsTheVideo"}, kPack, IDC_TOOL_BROWSE_SECOND, {L"b.264", L"b.flac"}, L"@b.flac",
                 L"@b.flac", L"@b.264"},
        PairCase{{"PackMicrophoneFindsNoVideo"}, kPack, IDC_TOOL_BROWSE_SECOND, {L"b.264", L"b.MIC.flac"},
                 L"@b.MIC.flac", L"@b.MIC.flac", L"other before"},
        PairCase{{"TranscodeVideoFindsTheMix"}, kTranscode, IDC_TOOL_BROWSE_FIRST, {L"b.264", L"b_Mux.flac"},
                 L"@b.264", L"@b.264", L"@b_Mux.flac"},
        PairCase{{"TranscodeMixFindsNoVideo"}, kTranscode, IDC_TOOL_BROWSE_SECOND, {L"b.264", L"b_Mux.flac"},
                 L"@b_Mux.flac", L"@b_Mux.flac", L"other before"},
        PairCase{{"MixSystemSoundFindsTheMicrophone"}, kMix, IDC_TOOL_BROWSE_FIRST, {L"b.flac", L"b.MIC.flac"},
                 L"@b.flac", L"@b.flac", L"@b.MIC.flac"},
        PairCase{{"MixMicrophoneFindsTheSystemSound"}, kMix, IDC_TOOL_BROWSE_SECOND, {L"b.flac", L"b.MIC.flac"},
                 L"@b.MIC.flac", L"@b.MIC.flac", L"@b.flac"},
        PairCase{{"MixSystemSoundWithoutMicrophone"}, kMix, IDC_TOOL_BROWSE_FIRST, {L"b.flac"}, L"@b.flac",
                 L"@b.flac", L"other before"},
        PairCase{{"CancelledPackSoundFindsABareVideo"}, kPack, IDC_TOOL_BROWSE_SECOND, {L".264"}, nullptr,
                 L"own before", L".264"},
        PairCase{{"CancelledPackVideoFindsABareSound"}, kPack, IDC_TOOL_BROWSE_FIRST, {L".flac"}, nullptr,
                 L"own before", L".flac"},
        PairCase{{"CancelledTranscodeVideoFindsABareMix"}, kTranscode, IDC_TOOL_BROWSE_FIRST,
                 {L"_Mux.flac", L".flac"}, nullptr, L"own before", L"_Mux.flac"},
        PairCase{{"CancelledMixSystemSoundFindsABareMicrophone"}, kMix, IDC_TOOL_BROWSE_FIRST, {L".MIC.flac"},
                 nullptr, L"own before", L".MIC.flac"},
        PairCase{{"CancelledWithNothingThereChangesNothing"}, kPack, IDC_TOOL_BROWSE_SECOND, {}, nullptr,
                 L"own before", L"other before"},
        // Its candidate is the empty name, which is no file even with files around.
        PairCase{{"CancelledMixMicrophoneChangesNothing"}, kMix, IDC_TOOL_BROWSE_SECOND,
                 {L".flac", L".MIC.flac", L"_Mux.flac"}, nullptr, L"own before", L"other before"}),
    CaseName());

// ---- a real recording through the machine's ffmpeg ----

// Interleaved 16-bit stereo samples of a sound file, decoded by the machine's ffmpeg.
std::vector<int16_t> DecodeSamples(const std::wstring& file, const std::wstring& raw)
{
    const NativeResult result = RunNative("ffmpeg -v error -y -i " + ShellQuote(UnixPath(file)) +
                                          " -f s16le -ac 2 " + ShellQuote(UnixPath(raw)));
    EXPECT_EQ(result.exitCode, 0) << result.output;
    const std::vector<unsigned char> bytes = ReadFileBytes(raw);
    std::vector<int16_t> samples(bytes.size() / 2);
    if (!samples.empty())
        std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
    return samples;
}

// The amplitude of the tone at hertz in the first channel (Goertzel).
double ToneLevel(const std::vector<int16_t>& stereo, double hertz)
{
    const size_t frames = stereo.size() / 2;
    const double w = 2 * 3.14159265358979 * hertz / 48000;
    double s1 = 0, s2 = 0;
    for (size_t i = 0; i < frames; ++i) {
        const double s = stereo[2 * i] + 2 * std::cos(w) * s1 - s2;
        s2 = s1;
        s1 = s;
    }
    const double power = s1 * s1 + s2 * s2 - 2 * std::cos(w) * s1 * s2;
    return frames ? 2 * std::sqrt(std::max(power, 0.0)) / static_cast<double>(frames) : 0;
}

std::string Probe(const std::wstring& file, const std::string& stream, const std::string& entries)
{
    const NativeResult probe = RunNative("ffprobe -v error -select_streams " + stream + " -show_entries stream=" +
                                         entries + " -of default=nw=1 " + ShellQuote(UnixPath(file)));
    EXPECT_EQ(probe.exitCode, 0) << probe.output;
    return probe.output;
}

// The checksums of the decoded pictures, one a line, in order.
std::string PictureChecksums(const std::wstring& file)
{
    const NativeResult result = RunNative("ffmpeg -v error -i " + ShellQuote(UnixPath(file)) +
                                          " -map 0:v -fps_mode passthrough -f framemd5 - | grep -v '^#' | "
                                          "awk -F, '{print $6}'");
    EXPECT_EQ(result.exitCode, 0) << result.output;
    return result.output;
}

void ExpectConverted(const StandInCall& call)
{
    EXPECT_TRUE(call.handedOn);
    EXPECT_EQ(call.nativeExitCode, 0) << std::string(call.nativeOutput.begin(), call.nativeOutput.end());
}

TEST_F(MainWindowTest, TheToolsMixPackAndTranscodeARealRecording)
{
    // The microphone sings another tone than the system sound, so that the mix
    // shows whether both went into it.
    microphone->Client().CaptureClient().StreamLive(
        [](uint64_t frame, unsigned channel) {
            return static_cast<int16_t>(8000 * std::sin(frame * 2 * 3.14159265 * 1000 / 48000 + channel));
        },
        480);
    std::wstring base;
    Run([&](MainWindow& window) {
        window.SetChecked(IDC_RECORD_SYSTEM_AUDIO, true);
        window.SetChecked(IDC_RECORD_MIC, true);
        window.Click(IDC_START_STOP);
        // More than ten pictures (neither the priming picture nor one acquired
        // as the stop comes is coded) and over half a second of each sound.
        ASSERT_TRUE(WaitForRecorded(13, 24001));
        window.Click(IDC_START_STOP);
        window.Tick();
        base = dir.File(L"Glintcast_Output\\") + RecordingBase();
        ASSERT_FALSE(base.empty());
        // Installed after the stop, so that the stop makes no offer.
        ASSERT_TRUE(InstallStandInFfmpeg(dir.Path(), true));

        const HWND mix = OpenTool(window, kMix);
        ASSERT_NE(mix, nullptr);
        ASSERT_TRUE(DialogWindow(mix).Type(IDC_TOOL_FIRST_PATH, base + L".flac"));
        ASSERT_TRUE(DialogWindow(mix).Type(IDC_TOOL_SECOND_PATH, base + L".MIC.flac"));
        DialogWindow(mix).Click(IDOK);
        std::vector<StandInCall> calls = WaitForStandInCalls(dir.Path(), 1);
        ASSERT_EQ(calls.size(), 1u);
        ASSERT_TRUE(WaitForStandInExits(calls, std::chrono::seconds(60)));

        // The video picked: the pairing finds the mix just made.
        const HWND pack = OpenTool(window, kPack);
        ASSERT_NE(pack, nullptr);
        const std::wstring video = base + L".264";
        Browse(pack, IDC_TOOL_BROWSE_FIRST, &video);
        EXPECT_EQ(DialogWindow(pack).Text(IDC_TOOL_SECOND_PATH), base + L"_Mux.flac");
        EXPECT_EQ(CurrentDirectory(), dir.Path());
        DialogWindow(pack).Click(IDOK);
        calls = WaitForStandInCalls(dir.Path(), 2);
        ASSERT_EQ(calls.size(), 2u);
        ASSERT_TRUE(WaitForStandInExits(calls, std::chrono::seconds(60)));

        const HWND transcode = OpenTool(window, kTranscode);
        ASSERT_NE(transcode, nullptr);
        ASSERT_TRUE(DialogWindow(transcode).Type(IDC_TOOL_FIRST_PATH, video));
        ASSERT_TRUE(DialogWindow(transcode).Type(IDC_TOOL_SECOND_PATH, base + L".flac"));
        DialogWindow(transcode).Click(IDOK);
        calls = WaitForStandInCalls(dir.Path(), 3);
        ASSERT_EQ(calls.size(), 3u);
        ASSERT_TRUE(WaitForStandInExits(calls, std::chrono::seconds(120)));
    });
    EXPECT_TRUE(Boxes().empty());
    const std::vector<StandInCall> calls = ReadStandInCalls(dir.Path());
    ASSERT_EQ(calls.size(), 3u);
    for (const StandInCall& call : calls)
        ExpectConverted(call);

    {
        SCOPED_TRACE("mix");
        const std::vector<int16_t> system = DecodeSamples(base + L".flac", dir.File(L"system.raw"));
        const std::vector<int16_t> mic = DecodeSamples(base + L".MIC.flac", dir.File(L"mic.raw"));
        const std::vector<int16_t> mixed = DecodeSamples(base + L"_Mux.flac", dir.File(L"mix.raw"));
        ASSERT_GT(system.size(), 48000u);
        ASSERT_GT(mic.size(), 48000u);
        // As long as the system sound, and holding both tones.
        EXPECT_EQ(mixed.size(), system.size());
        EXPECT_GT(ToneLevel(system, 440), 4000);
        EXPECT_LT(ToneLevel(system, 1000), 200);
        EXPECT_GT(ToneLevel(mic, 1000), 4000);
        EXPECT_LT(ToneLevel(mic, 440), 200);
        EXPECT_GT(ToneLevel(mixed, 440), 1500);
        EXPECT_GT(ToneLevel(mixed, 1000), 1500);
    }
    {
        SCOPED_TRACE("mkv");
        const std::wstring mkv = base + L".mkv";
        EXPECT_EQ(Probe(mkv, "v", "codec_name,pix_fmt"), "codec_name=h264\npix_fmt=gbrp\n");
        EXPECT_EQ(Probe(mkv, "a", "codec_name"), "codec_name=flac\n");
        // The recorded stream copied: the same pictures, bit for bit.
        const std::string recorded = PictureChecksums(base + L".264");
        EXPECT_GT(std::count(recorded.begin(), recorded.end(), '\n'), 10);
        EXPECT_EQ(PictureChecksums(mkv), recorded);
    }
    {
        SCOPED_TRACE("mp4");
        const std::wstring mp4 = base + L".mp4";
        EXPECT_EQ(Probe(mp4, "v", "codec_name,pix_fmt"), "codec_name=h264\npix_fmt=yuv420p\n");
        EXPECT_EQ(Probe(mp4, "a", "codec_name,sample_rate"), "codec_name=aac\nsample_rate=48000\n");
    }
}

} // namespace
