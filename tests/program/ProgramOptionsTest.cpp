// The real Glintcast.exe's recording options under Wine, driven from outside:
// the folder picker, the region overlay and a time limit that ends a recording
// by itself.
#include "GlintcastOpening.h"
#include "NativeTool.h"
#include "ProgramUnderWine.h"
#include "RemoteWindow.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

// The system's picker names its file-name field so.
constexpr int kFileNameField = 0x480;

// Seconds of sound in a FLAC file, from its STREAMINFO; -1 when it cannot be read.
double FlacSeconds(const std::string& file)
{
    const NativeResult info =
        RunNative("metaflac --show-total-samples --show-sample-rate " + ShellQuote(file));
    long long samples = 0, rate = 0;
    if (info.exitCode != 0 || sscanf(info.output.c_str(), "%lld %lld", &samples, &rate) != 2 || rate == 0)
        return -1;
    return static_cast<double>(samples) / rate;
}

TEST_F(ProgramUnderWine, TheFolderPickerPutsTheChosenFolderIntoTheOutputField)
{
    const RemoteWindow main = OpenMainWindow();
    const std::wstring folder = m_scratch.File(L"录像 输出");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));

    main.Click(IDC_BROWSE_OUTPUT);
    const HWND picker = m_program->WaitForWindow(L"选择文件夹");
    ASSERT_NE(picker, nullptr);
    // The picker is modal to the main window.
    EXPECT_EQ(GetWindow(picker, GW_OWNER), main.Handle());
    EXPECT_FALSE(IsWindowEnabled(main.Handle()));
    RemoteWindow(picker).Type(kFileNameField, folder);
    RemoteWindow(picker).Click(IDOK);
    EXPECT_TRUE(WaitUntil([&] { return main.Text(IDC_OUTPUT_DIR) == folder; })) << Utf8(main.Text(IDC_OUTPUT_DIR));

    // Cancel leaves the field.
    main.Click(IDC_BROWSE_OUTPUT);
    const HWND again = m_program->WaitForWindow(L"选择文件夹");
    ASSERT_NE(again, nullptr);
    RemoteWindow(again).Click(IDCANCEL);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowEnabled(main.Handle()) != FALSE; }));
    EXPECT_EQ(main.Text(IDC_OUTPUT_DIR), folder);
    CloseAndExpectCleanEnd(main);
}

TEST_F(ProgramUnderWine, TheRegionCommandOpensTheOverlayAtThePickedSize)
{
    const RemoteWindow main = OpenMainWindow();
    // Wine cannot duplicate the desktop, so the screen engine failed and the
    // button is disabled; its command still reaches the window.
    EXPECT_FALSE(main.IsEnabled(IDC_SELECT_REGION));
    PostMessageW(main.Handle(), WM_COMMAND, MAKEWPARAM(IDC_SELECT_REGION, BN_CLICKED),
                 reinterpret_cast<LPARAM>(main.Control(IDC_SELECT_REGION)));
    const HWND picker = m_program->WaitForWindow(L"选择预设分辨率");
    ASSERT_NE(picker, nullptr);
    RemoteWindow(picker).Press(IDCANCEL);
    const HWND overlay = m_program->WaitForWindow(L"Glintcast录制区域 - 分辨率: 1024 x 768");
    ASSERT_NE(overlay, nullptr);
    RECT client = {};
    GetClientRect(overlay, &client);
    EXPECT_EQ(client.right, 1024);
    EXPECT_EQ(client.bottom, 768);
    EXPECT_TRUE(GetWindowLongPtrW(overlay, GWL_EXSTYLE) & WS_EX_TOPMOST);
    CloseAndExpectCleanEnd(main);
}

TEST_F(ProgramUnderWine, ATimeLimitEndsTheRecordingByItselfAndTheWindowResets)
{
    const RemoteWindow main = OpenMainWindow();
    ASSERT_TRUE(main.SetCheck(IDC_RECORD_MIC, true));
    main.Click(IDC_SET_TIME);
    const HWND timeDialog = m_program->WaitForWindow(L"设置时间");
    ASSERT_NE(timeDialog, nullptr);
    RemoteWindow(timeDialog).Type(IDC_TIME_EDIT, L"00:00:04");
    RemoteWindow(timeDialog).Click(IDOK);
    ASSERT_TRUE(WaitUntil([&] { return main.Text(IDC_TIME_DISPLAY) == L"00:00:04"; }));

    // A tone plays into the session's sink, whose monitor the microphone records,
    // for longer than the limit.
    const std::string tone = UnixPath(m_scratch.File(L"tone.wav"));
    ASSERT_EQ(RunNative("sox -n -r 48000 -c 2 -b 16 " + ShellQuote(tone) + " synth 8 sine 440 vol 0.5").exitCode, 0);
    StartNative("paplay -d glintcast " + ShellQuote(tone));
    main.Click(IDC_START_STOP);
    ASSERT_TRUE(WaitUntil([&] { return main.Text(IDC_START_STOP) == L"停止录制"; }));
    // The countdown shows the time left, then the window resets by itself.
    EXPECT_TRUE(WaitUntil([&] { return main.Text(IDC_TIME_DISPLAY) == L"00:00:02"; }));
    EXPECT_TRUE(WaitUntil([&] { return main.Text(IDC_START_STOP) == L"开始录制"; }, std::chrono::seconds(15)));
    EXPECT_EQ(main.Text(IDC_TIME_DISPLAY), L"00:00:00");

    const std::wstring output = m_folder.File(L"Glintcast_Output\\");
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((output + L"*.MIC.flac").c_str(), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    // Four seconds of recording; Wine's endpoint delivers its first packets a
    // fraction of a second after the start.
    const double seconds = FlacSeconds(UnixPath(output + data.cFileName));
    EXPECT_GT(seconds, 2.0);
    EXPECT_LT(seconds, 4.5);
    CloseAndExpectCleanEnd(main);
}

} // namespace
