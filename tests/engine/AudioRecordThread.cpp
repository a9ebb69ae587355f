#include "AudioRecordThread.h"

#include "AudioCapture.h"
#include "Globals.h"

#include <objbase.h>

#include <atomic>
#include <thread>

bool RecordEndsByItself(AudioCapture& engine, const std::wstring& path, DWORD* threadId)
{
    std::atomic<bool> done{false};
    std::thread recorder([&] {
        *threadId = GetCurrentThreadId();
        CoInitializeEx(nullptr, COINIT_MULTITHREADED);
        engine.RecordToFlac(path);
        CoUninitialize();
        done = true;
    });
    // A guard against a loop that would never end, not a measure of time.
    for (int i = 0; i < 6000 && !done; ++i)
        Sleep(10);
    const bool ended = done;
    if (!ended)
        g_stopRecording = true;
    recorder.join();
    return ended;
}
