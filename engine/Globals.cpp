#include "Globals.h"

std::atomic<bool> g_stopRecording{false};
std::atomic<bool> g_screenshotRequested{false};
std::atomic<bool> g_screenshotReady{true};

std::wstring g_outputDir;

VideoCapture* g_videoCapture = nullptr;
AudioCapture* g_systemAudioCapture = nullptr;
AudioCapture* g_micCapture = nullptr;
