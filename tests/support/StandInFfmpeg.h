#pragma once

#include "StandInRecord.h"

#include <chrono>
#include <string>
#include <vector>

// The stand-in converter built with the tests (a console program named
// ffmpeg.exe): it records every start in its current directory, one file per
// call, and can hand the call on to the machine's own ffmpeg.

// Where the build put it.
std::wstring StandInFfmpegPath();

// Copies it into folder as "ffmpeg.exe". With handOnToNativeFfmpeg each call
// also runs /usr/bin/ffmpeg with the same arguments (the inputs and the output
// mapped to Linux paths) to its end, and records its exit code and output.
bool InstallStandInFfmpeg(const std::wstring& folder, bool handOnToNativeFfmpeg = false);

// While held, an installed stand-in stays running after it has written its
// record (for a minute at most).
void HoldStandInFfmpeg(const std::wstring& folder, bool hold);

// The calls recorded in folder so far, in the order they started.
std::vector<StandInCall> ReadStandInCalls(const std::wstring& folder);

// Waits until folder holds at least count records; returns what it holds then
// (fewer on time-out).
std::vector<StandInCall> WaitForStandInCalls(const std::wstring& folder, size_t count,
                                             std::chrono::milliseconds limit = std::chrono::seconds(30));

// Waits until the process of every call has ended; false on time-out.
bool WaitForStandInExits(const std::vector<StandInCall>& calls,
                         std::chrono::milliseconds limit = std::chrono::seconds(30));
