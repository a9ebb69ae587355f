// The converter launch: which "ffmpeg.exe" it starts, with what command line,
// priority and window, and that it neither waits for it nor keeps it.
#include "LaunchConverter.h"

#include "StandInFfmpeg.h"
#include "SysAllocFailure.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <set>

namespace {

const wchar_t kTail[] = L" -i \"a.264\" -vcodec copy -r 30 \"a.mkv\"";

// Each test works in a folder of its own, made the current directory; the
// process's own current directory and search path come back afterwards.
class LaunchConverterTest : public testing::Test
{
protected:
    void SetUp() override
    {
        wchar_t saved[MAX_PATH * 4] = {};
        GetCurrentDirectoryW(MAX_PATH * 4, saved);
        m_savedDirectory = saved;
        m_savedPath.resize(32767);
        m_savedPath.resize(GetEnvironmentVariableW(L"PATH", &m_savedPath[0], 32767));
    }

    void TearDown() override
    {
        SetCurrentDirectoryW(m_savedDirectory.c_str());
        SetEnvironmentVariableW(L"PATH", m_savedPath.c_str());
        // The stand-ins must be gone before their folders are removed.
        for (const TempDir* dir : {&m_work, &m_other})
            EXPECT_TRUE(WaitForStandInExits(ReadStandInCalls(dir->Path())));
    }

    void EnterWork() { ASSERT_TRUE(SetCurrentDirectoryW(m_work.Path().c_str())); }

    // Started in the work folder with the stand-in there; the one call it made.
    StandInCall LaunchOnce(const std::wstring& tail)
    {
        EXPECT_TRUE(InstallStandInFfmpeg(m_work.Path()));
        EnterWork();
        EXPECT_TRUE(LaunchConverter(tail.c_str()));
        const std::vector<StandInCall> calls = WaitForStandInCalls(m_work.Path(), 1);
        EXPECT_EQ(calls.size(), 1u);
        return calls.empty() ? StandInCall() : calls[0];
    }

    // Waits for the stand-ins started so far and removes their records, so that
    // the next case of a table starts afresh.
    void ClearRecords()
    {
        const std::vector<StandInCall> calls = ReadStandInCalls(m_work.Path());
        ASSERT_TRUE(WaitForStandInExits(calls));
        WIN32_FIND_DATAW data;
        HANDLE search = FindFirstFileW((m_work.Path() + kStandInRecordPattern).c_str(), &data);
        if (search == INVALID_HANDLE_VALUE)
            return;
        do
            DeleteFileW((m_work.Path() + data.cFileName).c_str());
        while (FindNextFileW(search, &data));
        FindClose(search);
        ASSERT_TRUE(ReadStandInCalls(m_work.Path()).empty());
    }

    TempDir m_work;
    TempDir m_other;

private:
    std::wstring m_savedDirectory;
    std::wstring m_savedPath;
};

struct TailCase
{
    const char* what;
    std::wstring tail;
};

TEST_F(LaunchConverterTest, TailIsTheConvertersWholeCommandLine)
{
    const TailCase cases[] = {
        {"the MKV offer with both sounds",
         L" -i \"C:\\rec\\a.flac\" -i \"C:\\rec\\a.MIC.flac\" -filter_complex amix=inputs=2:duration=first -i "
         L"\"C:\\rec\\a.264\" -vcodec copy -r 30 \"C:\\rec\\a.mkv\""},
        {"blanks in a row, a path of two blanks, trailing blanks",
         L" -i \"  \" -i \"a b.flac\" -vcodec copy  -acodec copy -r 60 \"  .mkv\"   "},
        {"double quotes and backslashes inside", L" -i \"a\"\"b\" -i \\\"c\\\\\" \"d\\\"e\" \"\""},
        {"non-ASCII letters", L" -i \"D:\\录像\\2024年 Überblick.264\" -c:v h264 \"D:\\录像\\2024年 Überblick.mp4\""},
        {"only the leading blank", L" "},
        {"a tab and a line break", L" -i \"a\tb\" \"c\nd\""},
    };
    for (const TailCase& c : cases) {
        SCOPED_TRACE(c.what);
        const StandInCall call = LaunchOnce(c.tail);
        EXPECT_EQ(call.commandLine, c.tail);
        ClearRecords();
    }
}

TEST_F(LaunchConverterTest, ConverterRunsInTheLaunchersCurrentDirectory)
{
    const StandInCall call = LaunchOnce(kTail);
    EXPECT_EQ(call.directory + L"\\", m_work.Path());
}

TEST_F(LaunchConverterTest, ConverterOutsideTheCurrentDirectoryIsNotStarted)
{
    // The launcher's own folder holds the stand-in as the build made it.
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring programFolder = program;
    programFolder.resize(programFolder.find_last_of(L'\\') + 1);
    ASSERT_TRUE(PathExists(programFolder + L"ffmpeg.exe"));

    const struct
    {
        const char* what;
        std::function<void()> arrange;
    } cases[] = {
        {"none anywhere but beside the launcher", [] {}},
        {"one only on the search path",
         [&] {
             ASSERT_TRUE(InstallStandInFfmpeg(m_other.Path()));
             const std::wstring path = m_other.Path() + L";" + programFolder;
             SetEnvironmentVariableW(L"PATH", path.c_str());
         }},
        {"a folder named ffmpeg.exe",
         [&] { ASSERT_TRUE(CreateDirectoryW((m_work.Path() + L"ffmpeg.exe").c_str(), nullptr)); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        c.arrange();
        EnterWork();
        EXPECT_FALSE(LaunchConverter(kTail));
        EXPECT_TRUE(ReadStandInCalls(m_work.Path()).empty());
        EXPECT_TRUE(ReadStandInCalls(m_other.Path()).empty());
    }
}

TEST_F(LaunchConverterTest, ConverterRunsInTheNormalPriorityClassWhateverTheLaunchers)
{
    const DWORD own = GetPriorityClass(GetCurrentProcess());
    for (DWORD launcher : {REALTIME_PRIORITY_CLASS, HIGH_PRIORITY_CLASS}) {
        SCOPED_TRACE(testing::Message() << "launcher's class 0x" << std::hex << launcher);
        ASSERT_TRUE(SetPriorityClass(GetCurrentProcess(), launcher));
        const DWORD reported = GetPriorityClass(GetCurrentProcess());
        RecordProperty("launcher_class_" + std::to_string(launcher) + "_reads_back_as", std::to_string(reported));
        const StandInCall call = LaunchOnce(kTail);
        SetPriorityClass(GetCurrentProcess(), own);
        EXPECT_EQ(call.priorityClass, static_cast<DWORD>(NORMAL_PRIORITY_CLASS));
        ClearRecords();
    }
}

TEST_F(LaunchConverterTest, ConverterWindowIsShownWithNothingElseGiven)
{
    const StandInCall call = LaunchOnce(kTail);
    EXPECT_EQ(call.startupFlags, static_cast<DWORD>(STARTF_USESHOWWINDOW));
    EXPECT_EQ(call.showWindow, SW_SHOW);
}

TEST_F(LaunchConverterTest, ReturnsWhileTheConverterStillRuns)
{
    ASSERT_TRUE(InstallStandInFfmpeg(m_work.Path()));
    HoldStandInFfmpeg(m_work.Path(), true);
    EnterWork();
    const bool launched = LaunchConverter(kTail);
    const std::vector<StandInCall> calls = WaitForStandInCalls(m_work.Path(), 1);
    bool running = false;
    if (!calls.empty()) {
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, calls[0].processId);
        running = process && WaitForSingleObject(process, 0) == WAIT_TIMEOUT;
        if (process)
            CloseHandle(process);
    }
    HoldStandInFfmpeg(m_work.Path(), false);
    EXPECT_TRUE(launched);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_TRUE(running) << "the launch returned only after the converter had ended";
}

TEST_F(LaunchConverterTest, EachCallStartsAConverterOfItsOwn)
{
    ASSERT_TRUE(InstallStandInFfmpeg(m_work.Path()));
    EnterWork();
    const std::set<std::wstring> tails = {L" -i \"1.264\" \"1.mkv\"", L" -i \"2.264\" \"2.mkv\"",
                                          L" -i \"3.264\" \"3.mkv\""};
    for (const std::wstring& tail : tails)
        EXPECT_TRUE(LaunchConverter(tail.c_str()));
    const std::vector<StandInCall> calls = WaitForStandInCalls(m_work.Path(), 3);
    std::set<std::wstring> seen;
    std::set<DWORD> processes;
    for (const StandInCall& call : calls) {
        seen.insert(call.commandLine);
        processes.insert(call.processId);
    }
    EXPECT_EQ(seen, tails);
    EXPECT_EQ(processes.size(), 3u);
}

TEST_F(LaunchConverterTest, CommandLineWithoutMemoryRaisesTheMemoryExceptionAndStartsNothing)
{
    ASSERT_TRUE(InstallStandInFfmpeg(m_work.Path()));
    EnterWork();
    {
        SysAllocFailure failure;
        try {
            LaunchConverter(L" -i \"lost.264\" \"lost.mkv\"");
            ADD_FAILURE() << "no exception";
        } catch (CMemoryException* e) {
            e->Delete();
        }
        EXPECT_EQ(failure.RefusedCalls(), 1);
    }
    // A start after it is the only one recorded.
    EXPECT_TRUE(LaunchConverter(kTail));
    const std::vector<StandInCall> calls = WaitForStandInCalls(m_work.Path(), 1);
    ASSERT_TRUE(WaitForStandInExits(calls));
    const std::vector<StandInCall> all = ReadStandInCalls(m_work.Path());
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].commandLine, kTail);
}

} // namespace
