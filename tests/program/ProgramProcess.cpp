#include "ProgramProcess.h"

#include "RemoteWindow.h"

#include <algorithm>

namespace {

using DosFileNameFn = WCHAR*(CDECL*)(LPCSTR);

std::wstring ClassOf(HWND window)
{
    wchar_t cls[64] = {};
    GetClassNameW(window, cls, 64);
    return cls;
}

struct WindowSearch
{
    DWORD processId;
    bool all;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (pid == search->processId && (search->all || IsWindowVisible(window)))
        search->found.push_back(window);
    return TRUE;
}

} // namespace

bool IsMessageBox(HWND window)
{
    return ClassOf(window) == L"#32770" && IsWindowVisible(window) && GetDlgItem(window, 0xFFFF) &&
           GetDlgItem(window, 0x440);
}

std::wstring WindowsPathOf(const std::string& unixPath)
{
    static const auto convert = reinterpret_cast<DosFileNameFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (!convert)
        return {};
    WCHAR* dos = convert(unixPath.c_str());
    if (!dos)
        return {};
    std::wstring result = dos;
    HeapFree(GetProcessHeap(), 0, dos);
    return result;
}

ProgramProcess::ProgramProcess(const std::wstring& exe, const std::wstring& folder, const std::wstring& arguments)
{
    std::wstring command = L"\"" + exe + L"\"" + arguments;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(exe.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                        &info))
        return;
    CloseHandle(info.hThread);
    m_process = info.hProcess;
    m_id = info.dwProcessId;
}

ProgramProcess::~ProgramProcess()
{
    if (!m_process)
        return;
    if (IsRunning()) {
        TerminateProcess(m_process, 1);
        WaitForSingleObject(m_process, 5000);
    }
    CloseHandle(m_process);
}

bool ProgramProcess::IsRunning() const
{
    return m_process && WaitForSingleObject(m_process, 0) == WAIT_TIMEOUT;
}

std::vector<HWND> ProgramProcess::TopLevelWindows(bool all) const
{
    WindowSearch search{m_id, all, {}};
    EnumWindows(CollectWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ProgramProcess::FindWindow(const std::wstring& caption, const wchar_t* className) const
{
    for (HWND window : TopLevelWindows()) {
        if ((className && ClassOf(window) != className) || IsMessageBox(window))
            continue;
        if (RemoteWindow(window).Caption() == caption)
            return window;
    }
    return nullptr;
}

HWND ProgramProcess::WaitForWindow(const std::wstring& caption, std::chrono::milliseconds limit,
                                   const wchar_t* className) const
{
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindWindow(caption, className)) != nullptr || !IsRunning(); }, limit);
    return found;
}

HWND ProgramProcess::WaitForMessageBox(const std::vector<HWND>& seen, std::chrono::milliseconds limit) const
{
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopLevelWindows())
                if (IsMessageBox(window) && std::find(seen.begin(), seen.end(), window) == seen.end()) {
                    found = window;
                    return true;
                }
            return !IsRunning();
        },
        limit);
    return found;
}

std::optional<DWORD> ProgramProcess::WaitForExit(std::chrono::milliseconds limit) const
{
    if (!m_process || WaitForSingleObject(m_process, static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0)
        return std::nullopt;
    DWORD code = 0;
    GetExitCodeProcess(m_process, &code);
    return code;
}
