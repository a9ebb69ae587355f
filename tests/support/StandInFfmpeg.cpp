#include "StandInFfmpeg.h"

#include "TempDir.h"

#include <windows.h>

#include <algorithm>
#include <thread>

namespace {

std::wstring WithBackslash(const std::wstring& folder)
{
    return !folder.empty() && folder.back() != L'\\' ? folder + L'\\' : folder;
}

std::wstring ReadRecordText(const std::wstring& path)
{
    const std::vector<unsigned char> bytes = ReadFileBytes(path);
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty())
        memcpy(&text[0], bytes.data(), text.size() * sizeof(wchar_t));
    return text;
}

} // namespace

std::wstring StandInFfmpegPath()
{
    // The build gives its Linux path; Wine shows the Linux root as drive Z:.
    std::wstring path = L"Z:" GLINTCAST_STANDIN_FFMPEG;
    std::replace(path.begin(), path.end(), L'/', L'\\');
    return path;
}

bool InstallStandInFfmpeg(const std::wstring& folder, bool handOnToNativeFfmpeg)
{
    const std::wstring dir = WithBackslash(folder);
    if (!CopyFileW(StandInFfmpegPath().c_str(), (dir + L"ffmpeg.exe").c_str(), FALSE))
        return false;
    const std::wstring marker = dir + kStandInHandOnMarker;
    if (handOnToNativeFfmpeg)
        WriteFileBytes(marker, {});
    else
        DeleteFileW(marker.c_str());
    return PathExists(marker) == handOnToNativeFfmpeg;
}

void HoldStandInFfmpeg(const std::wstring& folder, bool hold)
{
    const std::wstring marker = WithBackslash(folder) + kStandInHoldMarker;
    if (hold)
        WriteFileBytes(marker, {});
    else
        DeleteFileW(marker.c_str());
}

std::vector<StandInCall> ReadStandInCalls(const std::wstring& folder)
{
    const std::wstring dir = WithBackslash(folder);
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((dir + kStandInRecordPattern).c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name.size() > 4 && name.compare(name.size() - 4, 4, L".rec") == 0)
                names.push_back(name);
        } while (FindNextFileW(search, &data));
        FindClose(search);
    }
    std::sort(names.begin(), names.end());
    std::vector<StandInCall> calls;
    for (const std::wstring& name : names) {
        StandInCall call;
        if (ParseStandInCall(ReadRecordText(dir + name), &call))
            calls.push_back(call);
    }
    return calls;
}

std::vector<StandInCall> WaitForStandInCalls(const std::wstring& folder, size_t count,
                                             std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    for (;;) {
        std::vector<StandInCall> calls = ReadStandInCalls(folder);
        if (calls.size() >= count || std::chrono::steady_clock::now() > end)
            return calls;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

bool WaitForStandInExits(const std::vector<StandInCall>& calls, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    for (const StandInCall& call : calls) {
        HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, call.processId);
        if (!process)
            continue;  // already gone
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        const DWORD waited = WaitForSingleObject(process, static_cast<DWORD>(std::max<long long>(left.count(), 0)));
        CloseHandle(process);
        if (waited != WAIT_OBJECT_0)
            return false;
    }
    return true;
}
