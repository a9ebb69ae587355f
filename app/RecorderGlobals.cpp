#include "RecorderGlobals.h"

std::unique_ptr<RecordParams> g_recordParams;
std::vector<std::wstring> g_renderDeviceIds;
std::vector<std::wstring> g_captureDeviceIds;
