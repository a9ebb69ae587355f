#pragma once

#include "Framework.h"

// The checks a recording start makes before it starts any thread.

// True when folder names an existing folder (a trailing backslash names the same
// folder, so a drive's root passes), or when _wmkdir creates it (one level; a
// relative text is taken from the current directory). A text with a wildcard
// ("*" or "?") names no folder.
bool OutputFolderReady(const CString& folder);

// The overlay's client rectangle (screen coordinates) moved into the picture of
// the monitor whose desktop rectangle is desktop; true when it lies inside that
// picture. *region is written either way.
bool RegionInMonitorPicture(const RECT& overlay, const RECT& desktop, RECT* region);

// The frame rate typed or picked in the list, read like _wtoi: leading blanks
// skipped, an optional sign, the digits up to the first other character; 0 when
// there are none.
int FrameRateFromText(LPCWSTR text);
// 10 to 120 frames per second, both included.
bool FrameRateAccepted(int fps);
