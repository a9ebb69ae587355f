#pragma once

#include "Framework.h"
#include "XPButton.h"

#include <vector>

// What the three converter tool windows share; VideoToolDialog adds what the
// MKV and MP4 tools share besides.

// The opening: the flat buttons on the two browse buttons and Start.
void OpenToolWindow(CDialogEx& dialog, CXPButton& browseFirst, CXPButton& browseSecond, CXPButton& start);

// The companion files of a tool that a picked path suggests for the other
// field, in the order tried; pickedFirst: the path is the first field's.
using Companions = std::vector<CString> (*)(const CString& picked, bool pickedFirst);

// The browse button of the first field (pickedFirst) or of the second: the file
// picker fills that field on OK; then, whatever it returned, the first
// companion of its path (empty after Cancel) that exists goes into the other.
void BrowseAndPair(CWnd& dialog, bool pickedFirst, Companions companions);

// The text of a field.
CString FieldText(const CWnd& dialog, int id);
