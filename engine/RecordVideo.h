#pragma once

#include <windows.h>

#include <string>

// The body of the video record thread: records the monitor of g_videoCapture
// into the raw H.264 stream file path at fps pictures per second, one picture per
// frame slot, until g_stopRecording is set or a failure stops it with a message.
// In region mode only *region (pixel coordinates of the output's picture) is
// recorded. Serves screenshot requests from fresh pictures.
void RecordVideo(std::wstring path, int fps, bool drawCursor, bool regionMode, const RECT* region);
