#include "AudioRecordThread.h"

#include "AudioCapture.h"
#include "Globals.h"

#include <objbase.h>

AudioRecordThread::AudioRecordThread(AudioCapture& engine, std::wstring path)
    : m_thread([this, &engine, path = std::move(path)] {
          m_threadId = GetCurrentThreadId();
          CoInitializeEx(nullptr, COINIT_MULTITHREADED);
          engine.RecordToFlac(path);
          CoUninitialize();
          m_done = true;
      })
{
}

AudioRecordThread::~AudioRecordThread()
{
    if (m_thread.joinable())
        EndsWithin(std::chrono::milliseconds(0));
}

bool AudioRecordThread::EndsWithin(std::chrono::milliseconds limit)
{
    // A guard against a loop that would never end, not a measure of time.
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!m_done && std::chrono::steady_clock::now() < end)
        Sleep(10);
    const bool ended = m_done;
    if (!ended)
        g_stopRecording = true;
    m_thread.join();
    return ended;
}

bool RecordEndsByItself(AudioCapture& engine, const std::wstring& path, DWORD* threadId)
{
    AudioRecordThread recorder(engine, path);
    const bool ended = recorder.EndsWithin(std::chrono::minutes(1));
    *threadId = recorder.ThreadId();
    return ended;
}
