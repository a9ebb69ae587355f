#pragma once

#include <windows.h>

#include <string>

class AudioCapture;

// Runs engine.RecordToFlac(path) on a thread of its own, with COM initialised
// for the multithreaded apartment as the program's record threads do, and
// waits for it to end by itself. If it has not ended after a minute, the stop
// flag ends it and the result is false. threadId receives the thread's id, the
// thread of the loop's message boxes.
bool RecordEndsByItself(AudioCapture& engine, const std::wstring& path, DWORD* threadId);
