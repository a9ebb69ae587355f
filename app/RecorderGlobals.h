#pragma once

#include "RecordParams.h"

#include <memory>
#include <string>
#include <vector>

// The block of the latest start that passed the output-folder test; empty once
// the stop through the start/stop command has taken it.
extern std::unique_ptr<RecordParams> g_recordParams;

// The ids of the active playback and recording endpoints in enumeration order,
// filled by the main window's opening; each item of a device list carries the
// position of its own id here.
extern std::vector<std::wstring> g_renderDeviceIds;
extern std::vector<std::wstring> g_captureDeviceIds;
