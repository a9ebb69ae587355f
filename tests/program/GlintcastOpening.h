#pragma once

#include "ProgramProcess.h"

#include <windows.h>

#include <chrono>
#include <string>
#include <vector>

// What a message box showed before it was answered.
struct ShownBox
{
    std::wstring caption;
    std::wstring text;
    std::vector<int> buttons;  // ids, ascending
};

// What a user saw while Glintcast.exe opened.
struct GlintcastOpening
{
    std::vector<ShownBox> boxes;   // in the order they came
    bool aboutShown = false;
    size_t boxesBeforeAbout = 0;   // how many of boxes came before the about box
    HWND mainWindow = nullptr;     // null when it never appeared
};

inline const wchar_t* const kAboutCaption = L"关于 Glintcast（V4.0）";
inline const wchar_t* const kMainCaption = L"Glintcast";

// Goes through the program's opening as a user would: answers every message box
// with OK (its first button when it has none), closes the about box, and waits
// for the main window to show.
GlintcastOpening GoThroughOpening(const ProgramProcess& program,
                                  std::chrono::milliseconds limit = std::chrono::seconds(30));
