// A stand-in for the external converter, installed as "ffmpeg.exe" where a test
// wants one. It records how it was started into its current directory, one file
// per call, and on request hands the call on to the machine's own ffmpeg.
#include "NativeTool.h"
#include "StandInRecord.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

int64_t SizeOf(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return -1;
    return (static_cast<int64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

std::wstring CurrentDirectory()
{
    wchar_t path[MAX_PATH * 4] = {};
    GetCurrentDirectoryW(MAX_PATH * 4, path);
    return path;
}

// The folder this program sits in, with a trailing backslash.
std::wstring OwnFolder()
{
    wchar_t path[MAX_PATH * 4] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
    std::wstring folder = path;
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

bool Exists(const std::wstring& path)
{
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

std::wstring Wide(const std::string& text)
{
    const int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n);
    return out;
}

// A path argument as the Linux ffmpeg must see it; relative ones resolve
// against the current directory, as the real converter's would.
std::string NativePath(const std::wstring& path)
{
    wchar_t full[MAX_PATH * 4] = {};
    if (!GetFullPathNameW(path.c_str(), MAX_PATH * 4, full, nullptr))
        return Utf8(path);
    const std::string unix = UnixPath(full);
    return unix.empty() ? Utf8(path) : unix;
}

void HandOn(const std::vector<std::wstring>& words, StandInCall& call)
{
    std::string script = "cd " + ShellQuote(NativePath(call.directory)) + " && exec /usr/bin/ffmpeg";
    for (size_t i = 0; i < words.size(); ++i) {
        const bool path = (i > 0 && words[i - 1] == L"-i") || i + 1 == words.size();
        script += " " + ShellQuote(path ? NativePath(words[i]) : Utf8(words[i]));
    }
    // Never a question on the terminal (an output that exists, say): ffmpeg ends instead.
    script += " </dev/null";
    const NativeResult result = RunNative(script);
    call.handedOn = true;
    call.nativeExitCode = result.exitCode;
    call.nativeOutput = Wide(result.output);
}

// Written under a temporary name and then renamed, so that a reader never sees
// half a record.
void WriteRecord(const StandInCall& call, const std::wstring& name)
{
    const std::wstring text = FormatStandInCall(call);
    const std::wstring partial = L"~" + name + L".partial";
    FILE* f = _wfopen(partial.c_str(), L"wb");
    if (!f)
        return;
    fwrite(text.data(), sizeof(wchar_t), text.size(), f);
    fclose(f);
    MoveFileExW(partial.c_str(), name.c_str(), MOVEFILE_REPLACE_EXISTING);
}

} // namespace

int main()
{
    LARGE_INTEGER started;
    QueryPerformanceCounter(&started);

    StandInCall call;
    call.commandLine = GetCommandLineW();
    call.directory = CurrentDirectory();
    call.processId = GetCurrentProcessId();
    call.priorityClass = GetPriorityClass(GetCurrentProcess());
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    GetStartupInfoW(&startup);
    call.startupFlags = startup.dwFlags;
    call.showWindow = startup.wShowWindow;
    const std::vector<std::wstring> words = SplitCommandLine(call.commandLine);
    for (size_t i = 0; i + 1 < words.size(); ++i)
        if (words[i] == L"-i")
            call.inputs.push_back({words[i + 1], SizeOf(words[i + 1])});

    const std::wstring folder = OwnFolder();
    if (Exists(folder + kStandInHandOnMarker))
        HandOn(words, call);

    // Named by the moment it started, so that the records sort in start order.
    wchar_t name[64];
    swprintf(name, 64, L"ffmpeg-call-%020lld-%lu.rec", static_cast<long long>(started.QuadPart),
             GetCurrentProcessId());
    WriteRecord(call, name);

    // Held: a test that wants to see it still running after its launcher returned.
    for (int waited = 0; Exists(folder + kStandInHoldMarker) && waited < 60000; waited += 20)
        Sleep(20);
    return call.handedOn ? call.nativeExitCode : 0;
}
