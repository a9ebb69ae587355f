#pragma once

#include "Framework.h"

// Whether the file search finds path: a file or a folder alike. A path that
// ends in a backslash, and an empty one, are not found.
bool FileExists(const CString& path);
