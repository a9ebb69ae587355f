#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

// What the stand-in converter saw when it was started: one record per call.
struct StandInInput
{
    std::wstring path;  // the argument after "-i", as given
    int64_t size = -1;  // its size when the stand-in started; -1: missing
};

struct StandInCall
{
    std::wstring commandLine;  // GetCommandLineW, exactly
    std::wstring directory;    // its current directory
    DWORD processId = 0;
    DWORD priorityClass = 0;
    DWORD startupFlags = 0;    // STARTUPINFOW::dwFlags
    WORD showWindow = 0;       // STARTUPINFOW::wShowWindow
    std::vector<StandInInput> inputs;
    // Set when the call was handed on to the machine's own ffmpeg.
    bool handedOn = false;
    int nativeExitCode = -1;
    std::wstring nativeOutput;
};

// The record as text: one "key<TAB>value[<TAB>value]" line per item, each value
// with backslash, tab, CR and LF escaped, so that any command line survives.
std::wstring FormatStandInCall(const StandInCall& call);
// False when the text is not a whole record.
bool ParseStandInCall(const std::wstring& text, StandInCall* call);

// The arguments of a command line after the program name, split as the C
// runtime splits them (blanks between words, double quotes group, backslashes
// escape a quote only when they precede one).
std::vector<std::wstring> SplitCommandLine(const std::wstring& commandLine);

// Names of the files that the stand-in keeps next to itself and in the folder
// it records into.
extern const wchar_t kStandInHandOnMarker[];  // next to ffmpeg.exe: hand calls on to the machine's ffmpeg
extern const wchar_t kStandInHoldMarker[];    // next to ffmpeg.exe: stay running while it exists
extern const wchar_t kStandInRecordPattern[]; // the records in the current directory
