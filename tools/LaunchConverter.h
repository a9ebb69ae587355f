#pragma once

#include "Framework.h"

// Starts "ffmpeg.exe" from the current directory with commandTail (which begins
// with a blank) as its whole command line, in a window of its own and the normal
// priority class, and neither waits for it nor keeps it. True when the process
// was created. A command line that cannot be copied raises the framework's
// memory exception.
bool LaunchConverter(const CString& commandTail);
