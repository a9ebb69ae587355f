#pragma once

#include <windows.h>

#include <string>

// Runs programs of the Linux machine under which the tests run (flac, ffmpeg,
// paplay, ...) from inside a Windows test program.
struct NativeResult
{
    int exitCode = -1;   // -1: did not finish in time
    std::string output;  // standard output and error together
};

// Runs a /bin/sh script and waits for it. Wine's process handle of a Linux
// program is signalled at once, so the script reports its own end through a file.
NativeResult RunNative(const std::string& script, int timeoutSeconds = 120);

// Starts a /bin/sh script and does not wait for it.
void StartNative(const std::string& script);

// The Linux path of a Windows path, UTF-8.
std::string UnixPath(const std::wstring& windowsPath);

// Pictures rect of the screen, widened by margin on each side, into the PNG file
// with ImageMagick's import (its path: import); false, after saying why on
// standard error, when that fails.
bool PictureScreen(const std::string& import, const std::string& file, const RECT& rect, int margin);

// A wide text in UTF-8.
std::string Utf8(const std::wstring& text);

// A word for the shell: the text in single quotes.
std::string ShellQuote(const std::string& text);
