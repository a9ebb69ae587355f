#pragma once

#include "Framework.h"

// What each source's file adds to a recording's base name.
inline constexpr wchar_t kVideoSuffix[] = L".264";
inline constexpr wchar_t kSystemAudioSuffix[] = L".flac";
inline constexpr wchar_t kMicSuffix[] = L".MIC.flac";

// The output-folder text with a backslash appended when it does not end in one.
CString FolderWithBackslash(const CString& folder);

// The base name of a recording's files: the folder (ending in a backslash),
// "Glintcast_Record - " and the local start time as "%Y_%m_%d_%H_%M_%S".
CString RecordingBaseName(const CString& folderWithBackslash, const CTime& start);
