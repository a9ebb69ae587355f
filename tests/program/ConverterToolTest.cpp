// The converter tools of the real Glintcast.exe, opened from its system menu and
// filled in from outside as a user would, with the stand-in ffmpeg.exe in the
// program's folder recording the command line that each Start hands over.
#include "GlintcastOpening.h"
#include "NamedCase.h"
#include "NativeTool.h"
#include "ProgramProcess.h"
#include "ProgramUnderWine.h"
#include "RemoteWindow.h"
#include "StandInFfmpeg.h"
#include "TempDir.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

// One use of a tool: what the user puts into it and the command line that the
// converter must then be given, written out in full.
struct ToolUse : NamedCase
{
    UINT command;              // the system-menu entry
    const wchar_t* caption;
    bool hasRateList;
    const wchar_t* firstPath;  // typed into 1002
    const wchar_t* secondPath; // typed into 1028
    int pickedRate;            // item picked in 1006; -1: none picked
    const wchar_t* typedRate;  // typed into 1006 after any pick; null: nothing typed
    const wchar_t* commandLine;
    bool hiddenByStart;
};

const wchar_t kMixCaption[] = L"将系统输出声音和麦克风声音混成一个音频";
const wchar_t kPackCaption[] = L"封装视音频为MKV格式文件";
const wchar_t kTranscodeCaption[] = L"简单地将录制出来的视音频转码成通用的主流格式";

// Paths with blanks and Chinese in them go through unquoted and unescaped; none
// of them needs to exist, since the tools do not look.
const ToolUse kToolUses[] = {
    {{"MixOfSystemSoundAndMicrophone"}, IDD_AUDIOMUX, kMixCaption, false, LR"(D:\录像 一\rec 1.flac)",
     LR"(D:\录像 一\rec 1.MIC.flac)", -1, nullptr,
     LR"( -i "D:\录像 一\rec 1.flac" -i "D:\录像 一\rec 1.MIC.flac" -filter_complex amix=inputs=2:duration=first "D:\录像 一\rec 1_Mux.flac")",
     false},
    {{"PackOfVideoAndSoundAtATypedRate"}, IDD_MKVMUX, kPackCaption, true, LR"(D:\录像 一\rec 1.264)",
     LR"(D:\录像 一\rec 1_Mux.flac)", -1, L"25",
     LR"( -i "D:\录像 一\rec 1.264" -i "D:\录像 一\rec 1_Mux.flac" -vcodec copy -acodec copy -r 25 "D:\录像 一\rec 1.mkv")",
     false},
    {{"PackOfSoundAloneWithTheAutomaticRate"}, IDD_MKVMUX, kPackCaption, true, L"", LR"(D:\录像 一\rec 1.MIC.flac)", -1,
     nullptr, LR"( -i "D:\录像 一\rec 1.MIC.flac" -acodec copy "D:\录像 一\rec 1.MIC.mkv")", false},
    {{"TranscodeOfVideoAndSoundAtAPickedRate"}, IDD_RGBTOYUV420P, kTranscodeCaption, true, LR"(D:\录像 一\rec 1.264)",
     LR"(D:\录像 一\rec 1.flac)", 1, nullptr,
     LR"( -i "D:\录像 一\rec 1.264" -i "D:\录像 一\rec 1.flac" -c:v h264 -c:a aac -b:v 16000k -b:a 320k  -ar 48000 -pix_fmt yuv420p -f mp4 -r 30 "D:\录像 一\rec 1.mp4")",
     true},
    // One blank counts as no path.
    {{"TranscodeOfVideoAloneWithTheAutomaticRate"}, IDD_RGBTOYUV420P, kTranscodeCaption, true,
     LR"(D:\录像 一\rec 1.264)", L" ", -1, nullptr,
     LR"( -i "D:\录像 一\rec 1.264" -c:v h264 -b:v 16000k -pix_fmt yuv420p -f mp4 "D:\录像 一\rec 1.mp4")", true},
};

class ConverterToolOfTheProgram : public ProgramUnderWine, public testing::WithParamInterface<ToolUse>
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(InstallStandInFfmpeg(m_folder.Path()));
        ProgramUnderWine::SetUp();
    }
};

TEST_P(ConverterToolOfTheProgram, StartHandsTheConverterItsCommandLine)
{
    const ToolUse& use = GetParam();
    const RemoteWindow main = OpenMainWindow();
    ASSERT_TRUE(main.IsOpen());

    main.PostSystemCommand(use.command);
    const HWND toolWindow = m_program->WaitForWindow(use.caption);
    ASSERT_NE(toolWindow, nullptr) << "the tool did not open";
    const RemoteWindow tool(toolWindow);
    if (use.hasRateList) {
        EXPECT_EQ(tool.Items(IDC_TOOL_RATE), (std::vector<std::wstring>{L"0", L"30", L"60"}));
        EXPECT_EQ(tool.SelectedItem(IDC_TOOL_RATE), L"0");
    } else {
        EXPECT_EQ(tool.Control(IDC_TOOL_RATE), nullptr);
    }

    tool.SetText(IDC_TOOL_FIRST_PATH, use.firstPath);
    tool.SetText(IDC_TOOL_SECOND_PATH, use.secondPath);
    if (use.pickedRate >= 0)
        tool.Pick(IDC_TOOL_RATE, use.pickedRate);
    if (use.typedRate)
        tool.Type(IDC_TOOL_RATE, use.typedRate);
    ASSERT_EQ(tool.Text(IDC_TOOL_FIRST_PATH), use.firstPath);
    ASSERT_EQ(tool.Text(IDC_TOOL_SECOND_PATH), use.secondPath);
    tool.Click(IDOK);

    const std::vector<StandInCall> calls = WaitForStandInCalls(m_folder.Path(), 1);
    ASSERT_EQ(calls.size(), 1u) << "the converter was not started";
    EXPECT_EQ(calls[0].commandLine, use.commandLine)
        << "  actual: " << Utf8(calls[0].commandLine) << "\nexpected: " << Utf8(use.commandLine);

    // A message answered by the tool's own thread comes after the whole Start.
    EXPECT_EQ(tool.Caption(), use.caption);
    EXPECT_EQ(IsWindowVisible(toolWindow) != FALSE, !use.hiddenByStart);
    EXPECT_EQ(ReadStandInCalls(m_folder.Path()).size(), 1u);

    // The entry again shows the same window, with the fields as the user left them.
    main.PostSystemCommand(use.command);
    EXPECT_EQ(m_program->WaitForWindow(use.caption), toolWindow);
    EXPECT_EQ(tool.Text(IDC_TOOL_FIRST_PATH), use.firstPath);
    EXPECT_EQ(tool.Text(IDC_TOOL_SECOND_PATH), use.secondPath);

    // Idle: the close asks nothing, and the tool goes with the main window.
    main.PostClose();
    const std::optional<DWORD> code = m_program->WaitForExit();
    ASSERT_TRUE(code.has_value()) << "the program did not end";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(IsWindow(toolWindow));
}

INSTANTIATE_TEST_SUITE_P(SystemMenu, ConverterToolOfTheProgram, testing::ValuesIn(kToolUses),
                         CaseName());

} // namespace
