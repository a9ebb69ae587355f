#include "ProgramUnderWine.h"

#include "GlintcastOpening.h"

void ProgramUnderWine::SetUp()
{
    const std::wstring exe = WindowsPathOf(GLINTCAST_EXE);
    ASSERT_FALSE(exe.empty());
    m_program = std::make_unique<ProgramProcess>(exe, m_folder.Path());
    ASSERT_TRUE(m_program->Started()) << "CreateProcessW failed: " << GetLastError();
}

RemoteWindow ProgramUnderWine::OpenMainWindow()
{
    const GlintcastOpening opening = GoThroughOpening(*m_program);
    EXPECT_TRUE(opening.aboutShown);
    EXPECT_NE(opening.mainWindow, nullptr);
    return RemoteWindow(opening.mainWindow);
}

void ProgramUnderWine::CloseAndExpectCleanEnd(const RemoteWindow& main)
{
    main.PostClose();
    const std::optional<DWORD> code = m_program->WaitForExit();
    ASSERT_TRUE(code.has_value()) << "the program did not end";
    EXPECT_EQ(*code, 0u);
    EXPECT_FALSE(IsWindow(main.Handle()));
    EXPECT_TRUE(m_program->TopLevelWindows(true).empty());
}
