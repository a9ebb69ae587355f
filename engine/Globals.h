#pragma once

#include <atomic>
#include <string>

class VideoCapture;
class AudioCapture;

// Flags shared between the user-interface thread and the record threads: the
// only data one thread writes while another reads it, each an atomic byte.
extern std::atomic<bool> g_stopRecording;
extern std::atomic<bool> g_screenshotRequested;
extern std::atomic<bool> g_screenshotReady;

static_assert(sizeof(std::atomic<bool>) == 1 && std::atomic<bool>::is_always_lock_free,
              "the recording flags are lock-free single bytes");

// Output folder of the latest recording, with a trailing backslash; screenshot
// names start with it.
extern std::wstring g_outputDir;

// The current engines, owned by the main window; null when there is none.
extern VideoCapture* g_videoCapture;
extern AudioCapture* g_systemAudioCapture;
extern AudioCapture* g_micCapture;
