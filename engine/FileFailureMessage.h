#pragma once

#include <string>

// What the user reads when a file of the recording cannot be created or written:
// the file, and the likely cause. Shown on the thread that failed, with no owner.

// A record loop's file: the loop stops the whole recording.
std::wstring RecordingFileFailureText(const std::wstring& path);
// A screenshot: the recording goes on.
std::wstring ScreenshotFailureText(const std::wstring& path);

// MessageBoxW with no owner, caption "错误" and MB_OK; returns when dismissed.
void ShowFileFailure(const std::wstring& text);
