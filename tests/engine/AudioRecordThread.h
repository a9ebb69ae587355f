#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

class AudioCapture;

// engine.RecordToFlac(path) on a thread of its own, started at construction,
// with COM initialised for the multithreaded apartment as the program's record
// threads do.
class AudioRecordThread
{
public:
    AudioRecordThread(AudioCapture& engine, std::wstring path);
    // A recording still running is ended by the stop flag.
    ~AudioRecordThread();
    AudioRecordThread(const AudioRecordThread&) = delete;
    AudioRecordThread& operator=(const AudioRecordThread&) = delete;

    // Waits for the recording to end by itself; if it has not within limit, the
    // stop flag ends it and the result is false. Call once.
    bool EndsWithin(std::chrono::milliseconds limit);
    // The thread of the loop's message boxes; known once it has ended.
    DWORD ThreadId() const { return m_threadId; }

private:
    std::atomic<bool> m_done{false};
    std::atomic<DWORD> m_threadId{0};
    std::thread m_thread;
};

// Runs engine.RecordToFlac(path) on an AudioRecordThread and waits for it to
// end by itself. If it has not ended after a minute, the stop flag ends it and
// the result is false. threadId receives the thread's id.
bool RecordEndsByItself(AudioCapture& engine, const std::wstring& path, DWORD* threadId);
