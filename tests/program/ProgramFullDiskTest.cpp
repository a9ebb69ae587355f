// The real Glintcast.exe recording onto a volume that fills up: a 1 MB tmpfs,
// reached under Wine through Z:.
#include "NativeTool.h"
#include "ProgramUnderWine.h"
#include "RemoteWindow.h"
#include "Tmpfs.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST_F(ProgramUnderWine, AMicrophoneRecordingOntoAFullDiskStopsWithAMessageAndStaysReadable)
{
    const std::wstring folder = m_scratch.File(L"volume");
    const Tmpfs volume(folder);
    ASSERT_TRUE(volume.Mounted());

    const RemoteWindow main = OpenMainWindow();
    main.SetText(IDC_OUTPUT_DIR, folder);
    ASSERT_TRUE(main.SetCheck(IDC_RECORD_MIC, true));
    // White noise into the sink whose monitor the microphone records: about 12 s
    // of it fill 1 MB of FLAC.
    const std::string noise = UnixPath(m_scratch.File(L"noise.wav"));
    ASSERT_EQ(RunNative("sox -n -r 48000 -c 2 -b 16 " + ShellQuote(noise) + " synth 40 whitenoise vol 0.8").exitCode,
              0);
    StartNative("paplay -d glintcast " + ShellQuote(noise));
    main.Click(IDC_START_STOP);
    ASSERT_TRUE(WaitUntil([&] { return main.Text(IDC_START_STOP) == L"停止录制"; }));

    const HWND box = m_program->WaitForMessageBox({}, std::chrono::seconds(60));
    RunNative("pkill -f " + ShellQuote("paplay -d glintcast " + noise) + " || true");
    ASSERT_NE(box, nullptr) << "no message while the disk filled";
    const RemoteWindow message(box);
    EXPECT_EQ(message.Caption(), L"错误");
    const std::wstring text = message.MessageText();
    EXPECT_EQ(text.rfind(L"录制文件无法写入，录制已停止：\n" + folder + L"\\Glintcast_Record - ", 0), 0u) << Utf8(text);
    EXPECT_EQ(message.Buttons(), std::vector<int>{IDOK});
    message.Press(IDOK);
    // The window resets as after any failing record loop.
    EXPECT_TRUE(WaitUntil([&] { return main.Text(IDC_START_STOP) == L"开始录制"; }, std::chrono::seconds(10)));
    EXPECT_EQ(main.Text(IDC_TIME_DISPLAY), L"00:00:00");

    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"\\*.MIC.flac").c_str(), &data);
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    FindClose(search);
    const std::string file = UnixPath(folder + L"\\" + data.cFileName);
    const NativeResult test = RunNative("flac -t -s " + ShellQuote(file));
    EXPECT_EQ(test.exitCode, 0) << test.output;
    const NativeResult length = RunNative("sox " + ShellQuote(file) + " -n stat 2>&1 | grep Length");
    EXPECT_NE(length.output.find("Length"), std::string::npos) << length.output;
    CloseAndExpectCleanEnd(main);
}

} // namespace
