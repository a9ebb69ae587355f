#pragma once

#include <windows.h>

#include <chrono>
#include <optional>
#include <string>
#include <vector>

// Another program, started by a test and watched from outside: its top-level
// windows and its end. A process still running when the object goes is ended,
// so that a failed test leaves nothing behind.
class ProgramProcess
{
public:
    // Starts exe (a Windows path) with the command tail arguments, its current
    // directory being folder. Started() tells whether the process was created.
    ProgramProcess(const std::wstring& exe, const std::wstring& folder, const std::wstring& arguments = L"");
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    bool Started() const { return m_process != nullptr; }
    DWORD Id() const { return m_id; }
    bool IsRunning() const;

    // The process's top-level windows, in z-order; only the visible ones unless all.
    std::vector<HWND> TopLevelWindows(bool all = false) const;
    // A visible top-level window with this caption (and class, when given) that is
    // not a message box (a box without a caption of its own carries the program's
    // name too), or null.
    HWND FindWindow(const std::wstring& caption, const wchar_t* className = nullptr) const;
    HWND WaitForWindow(const std::wstring& caption, std::chrono::milliseconds limit = std::chrono::seconds(20),
                       const wchar_t* className = nullptr) const;
    // A visible message box of the process that is not among seen, or null once
    // the limit passes or the process has ended.
    HWND WaitForMessageBox(const std::vector<HWND>& seen = {},
                           std::chrono::milliseconds limit = std::chrono::seconds(20)) const;

    // The exit code once the process has ended; nothing on time-out.
    std::optional<DWORD> WaitForExit(std::chrono::milliseconds limit = std::chrono::seconds(20)) const;

private:
    HANDLE m_process = nullptr;
    DWORD m_id = 0;
};

// A window of class #32770 with the static text 0xFFFF and the icon 0x440 of a
// message box.
bool IsMessageBox(HWND window);

// The Windows path of a Linux path (Wine's Z: drive), empty when there is none.
std::wstring WindowsPathOf(const std::string& unixPath);
