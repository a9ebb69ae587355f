#pragma once

// The real Glintcast.exe under Wine, started in a temporary folder of its own (its
// current directory) and driven from outside as a user would drive it.
#include "ProgramProcess.h"
#include "RemoteWindow.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <memory>

class ProgramUnderWine : public testing::Test
{
protected:
    // Starts the program; whatever the folder should hold goes there first.
    void SetUp() override;

    // Through the opening to the main window; a failure when it does not show.
    RemoteWindow OpenMainWindow();

    // WM_CLOSE as the close box sends it: the program ends with 0 and no window.
    void CloseAndExpectCleanEnd(const RemoteWindow& main);

    // Declared first, so the program (ended if need be) goes before its folder.
    TempDir m_folder;
    TempDir m_scratch;
    std::unique_ptr<ProgramProcess> m_program;
};
