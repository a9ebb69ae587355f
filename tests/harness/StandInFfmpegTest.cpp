// The stand-in converter that the launch tests start in place of ffmpeg.exe:
// its records, how it splits its command line, and the hand-on to the
// machine's own ffmpeg.
#include "StandInFfmpeg.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

struct SplitCase
{
    const char* what;
    std::wstring commandLine;
    std::vector<std::wstring> words;
};

TEST(StandInFfmpegTest, SplitsItsCommandLineAsTheCRuntimeDoes)
{
    const SplitCase cases[] = {
        {"a tail with its leading blank", L" -i \"a b.264\" -r 30 \"a b.mkv\"",
         {L"-i", L"a b.264", L"-r", L"30", L"a b.mkv"}},
        {"a quoted program name", L"\"C:\\x y\\ffmpeg.exe\" -i a", {L"-i", L"a"}},
        {"blanks in a row and at the end", L"p  -vcodec copy  -acodec   ", {L"-vcodec", L"copy", L"-acodec"}},
        {"a quoted path of two blanks", L" -i \"  \"", {L"-i", L"  "}},
        {"backslashes before a quote", L" \"C:\\dir\\\\\" a\\\"b c\\\\\\\"d", {L"C:\\dir\\", L"a\"b", L"c\\\"d"}},
        {"backslashes elsewhere stay", L" C:\\a\\b \\\\x", {L"C:\\a\\b", L"\\\\x"}},
        {"an empty quoted word", L" \"\" x", {L"", L"x"}},
        {"nothing after the program", L"ffmpeg.exe", {}},
    };
    for (const SplitCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(SplitCommandLine(c.commandLine), c.words);
    }
}

TEST(StandInFfmpegTest, RecordKeepsEveryCharacter)
{
    StandInCall call;
    call.commandLine = L" -i \"a\tb\\\\c\"\r\n\\t 录像 ü";
    call.directory = L"Z:\\tmp\\录像";
    call.processId = 4242;
    call.priorityClass = NORMAL_PRIORITY_CLASS;
    call.startupFlags = STARTF_USESHOWWINDOW;
    call.showWindow = SW_SHOW;
    call.inputs = {{L"a\tb.264", 12345678901}, {L"missing.flac", -1}};
    call.handedOn = true;
    call.nativeExitCode = 1;
    call.nativeOutput = L"line 1\nline\t2\\";

    StandInCall back;
    ASSERT_TRUE(ParseStandInCall(FormatStandInCall(call), &back));
    EXPECT_EQ(back.commandLine, call.commandLine);
    EXPECT_EQ(back.directory, call.directory);
    EXPECT_EQ(back.processId, call.processId);
    EXPECT_EQ(back.priorityClass, call.priorityClass);
    EXPECT_EQ(back.startupFlags, call.startupFlags);
    EXPECT_EQ(back.showWindow, call.showWindow);
    ASSERT_EQ(back.inputs.size(), 2u);
    EXPECT_EQ(back.inputs[0].path, L"a\tb.264");
    EXPECT_EQ(back.inputs[0].size, 12345678901);
    EXPECT_EQ(back.inputs[1].size, -1);
    EXPECT_TRUE(back.handedOn);
    EXPECT_EQ(back.nativeExitCode, 1);
    EXPECT_EQ(back.nativeOutput, call.nativeOutput);

    // A record cut short is not taken.
    const std::wstring text = FormatStandInCall(call);
    EXPECT_FALSE(ParseStandInCall(text.substr(0, text.size() - 4), &back));
}

// A short silent WAV file: 8 kHz, mono, 16-bit.
std::vector<unsigned char> SilentWav(uint32_t samples)
{
    const uint32_t data = samples * 2;
    std::vector<unsigned char> bytes;
    auto text = [&](const char* s) { bytes.insert(bytes.end(), s, s + 4); };
    auto u32 = [&](uint32_t v) { for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<unsigned char>(v >> (8 * i))); };
    auto u16 = [&](uint16_t v) { bytes.push_back(v & 0xFF); bytes.push_back(v >> 8); };
    text("RIFF"); u32(36 + data); text("WAVE");
    text("fmt "); u32(16); u16(1); u16(1); u32(8000); u32(16000); u16(2); u16(16);
    text("data"); u32(data);
    bytes.resize(bytes.size() + data, 0);
    return bytes;
}

// Starts the installed stand-in from folder (its current directory) and waits for it.
DWORD RunStandIn(const std::wstring& folder, std::wstring tail)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW((folder + L"ffmpeg.exe").c_str(), &tail[0], nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        return 0xFFFFFFFF;
    WaitForSingleObject(process.hProcess, 120000);
    DWORD code = 0xFFFFFFFF;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return code;
}

TEST(StandInFfmpegTest, RecordsItsInputsAsTheyWereWhenItStarted)
{
    TempDir dir;
    const std::vector<unsigned char> wav = SilentWav(800);
    WriteFileBytes(dir.File(L"录音 a.wav"), wav);
    ASSERT_TRUE(InstallStandInFfmpeg(dir.Path()));
    EXPECT_EQ(RunStandIn(dir.Path(), L" -i \"录音 a.wav\" -i \"missing.flac\" -acodec copy \"out.mkv\""), 0u);

    const std::vector<StandInCall> calls = ReadStandInCalls(dir.Path());
    ASSERT_EQ(calls.size(), 1u);
    ASSERT_EQ(calls[0].inputs.size(), 2u);
    EXPECT_EQ(calls[0].inputs[0].path, L"录音 a.wav");
    EXPECT_EQ(calls[0].inputs[0].size, static_cast<int64_t>(wav.size()));
    EXPECT_EQ(calls[0].inputs[1].path, L"missing.flac");
    EXPECT_EQ(calls[0].inputs[1].size, -1);
    EXPECT_FALSE(calls[0].handedOn);
    EXPECT_FALSE(PathExists(dir.File(L"out.mkv")));
}

TEST(StandInFfmpegTest, HandsTheCallOnToTheMachinesFfmpeg)
{
    TempDir dir;
    WriteFileBytes(dir.File(L"录音 a.wav"), SilentWav(8000));
    ASSERT_TRUE(InstallStandInFfmpeg(dir.Path(), true));
    // A Windows path that only the mapping makes a Linux one, and a relative one.
    const std::wstring tail = L" -i \"" + dir.File(L"录音 a.wav") + L"\" -acodec copy \"输出 a.mkv\"";

    EXPECT_EQ(RunStandIn(dir.Path(), tail), 0u);
    EXPECT_GT(FileSize(dir.File(L"输出 a.mkv")), 0);
    // Run again, the output exists: ffmpeg refuses without asking, and its
    // exit code comes back.
    EXPECT_EQ(RunStandIn(dir.Path(), tail), 1u);

    const std::vector<StandInCall> calls = ReadStandInCalls(dir.Path());
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_TRUE(calls[0].handedOn);
    EXPECT_EQ(calls[0].nativeExitCode, 0) << std::string(calls[0].nativeOutput.begin(), calls[0].nativeOutput.end());
    EXPECT_EQ(calls[1].nativeExitCode, 1);
    EXPECT_NE(calls[1].nativeOutput.find(L"already exists"), std::wstring::npos);
}

} // namespace
