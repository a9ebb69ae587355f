#include "LaunchConverter.h"

#include <oleauto.h>

bool LaunchConverter(const CString& commandTail)
{
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOW;
    PROCESS_INFORMATION process = {};

    // CreateProcessW may write into the command line it is given.
    BSTR commandLine = commandTail.AllocSysString();
    const BOOL created = CreateProcessW(L"ffmpeg.exe", commandLine, nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                                        &startup, &process);
    if (created) {
        CloseHandle(process.hProcess);
        CloseHandle(process.hThread);
    }
    SysFreeString(commandLine);
    return created != FALSE;
}
