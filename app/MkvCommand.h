#pragma once

#include "Framework.h"
#include "RecordParams.h"

// The converter's command tail that packs a stopped recording (its video path
// not empty) into "<base>.mkv" next to it, mixing the two sound files first when
// both were recorded, at the recording's own frame rate.
CString MkvCommandTail(const RecordParams& params);
