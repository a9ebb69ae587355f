#include "NativeTool.h"

#include "TempDir.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <thread>

namespace {

using UnixFileNameFn = char*(CDECL*)(LPCWSTR);

std::wstring Utf8ToWide(const std::string& text)
{
    int n = MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, nullptr, 0);
    std::wstring wide(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, text.c_str(), -1, &wide[0], n);
    wide.resize(n > 0 ? n - 1 : 0);
    return wide;
}

void WriteText(const std::wstring& path, const std::string& text)
{
    WriteFileBytes(path, std::vector<unsigned char>(text.begin(), text.end()));
}

bool Launch(const std::wstring& scriptPath)
{
    std::wstring command = L"/bin/sh \"" + Utf8ToWide(UnixPath(scriptPath)) + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    if (!CreateProcessW(L"Z:\\bin\\sh", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

} // namespace

std::string UnixPath(const std::wstring& windowsPath)
{
    static const auto convert = reinterpret_cast<UnixFileNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert)
        return {};
    char* unix = convert(windowsPath.c_str());
    if (!unix)
        return {};
    std::string result = unix;
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

bool PictureScreen(const std::string& import, const std::string& file, const RECT& rect, int margin)
{
    const LONG left = rect.left > margin ? rect.left - margin : 0;
    const LONG top = rect.top > margin ? rect.top - margin : 0;
    const std::string crop = std::to_string(rect.right + margin - left) + "x" + std::to_string(rect.bottom + margin - top) +
                             "+" + std::to_string(left) + "+" + std::to_string(top);
    const NativeResult result =
        RunNative(ShellQuote(import) + " -window root -crop " + crop + " +repage " + ShellQuote(file));
    if (result.exitCode != 0)
        fprintf(stderr, "%s: import failed (%d): %s\n", file.c_str(), result.exitCode, result.output.c_str());
    return result.exitCode == 0;
}

std::string Utf8(const std::wstring& text)
{
    const int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr,
                                      nullptr);
    std::string utf8(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &utf8[0], n, nullptr, nullptr);
    return utf8;
}

std::string ShellQuote(const std::string& text)
{
    std::string quoted = "'";
    for (char c : text)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

NativeResult RunNative(const std::string& script, int timeoutSeconds)
{
    TempDir dir;
    const std::wstring status = dir.File(L"status");
    const std::string body = "( " + script + "\n) > " + ShellQuote(UnixPath(dir.File(L"output"))) +
                             " 2>&1\necho $? > " + ShellQuote(UnixPath(dir.File(L"status.tmp"))) + " && mv " +
                             ShellQuote(UnixPath(dir.File(L"status.tmp"))) + " " + ShellQuote(UnixPath(status)) +
                             "\n";
    WriteText(dir.File(L"script.sh"), body);
    NativeResult result;
    if (!Launch(dir.File(L"script.sh")))
        return result;
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(timeoutSeconds);
    while (!PathExists(status)) {
        if (std::chrono::steady_clock::now() > end)
            return result;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    const auto code = ReadFileBytes(status);
    result.exitCode = atoi(std::string(code.begin(), code.end()).c_str());
    const auto output = ReadFileBytes(dir.File(L"output"));
    result.output.assign(output.begin(), output.end());
    return result;
}

void StartNative(const std::string& script)
{
    // The script file must outlive this call: it goes to the temporary folder
    // under a name of its own, and removes itself.
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    static unsigned counter = 0;
    const std::wstring path = std::wstring(base) + L"glintcast-native-" + std::to_wstring(GetCurrentProcessId()) +
                              L"-" + std::to_wstring(++counter) + L".sh";
    WriteText(path, "rm -f " + ShellQuote(UnixPath(path)) + "\n" + script + "\n");
    Launch(path);
}
