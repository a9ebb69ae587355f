#pragma once

#include <windows.h>

#include <string>

// The parameters of one recording. An empty path: that source is not recorded.
// fps, drawCursor, regionMode and region are filled only on the way to starting
// the video source; region is in pixel coordinates of the selected monitor's
// picture (right and bottom exclusive).
struct RecordParams
{
    std::wstring videoPath;
    std::wstring systemAudioPath;
    std::wstring micPath;
    int fps = 0;
    bool drawCursor = true;
    bool regionMode = false;
    RECT region = {0, 0, 0, 0};
};
