// The application object: its name, the caption and owner of message boxes, and
// the program entry that runs it.
#include "MessageBoxWatcher.h"
#include "ProbeDlg.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring ThisFolder()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder = path;
    return folder.substr(0, folder.rfind(L'\\') + 1);
}

TEST(WinAppTest, NameComesFromTheProgramFileUnlessGiven)
{
    {
        CWinApp app;
        EXPECT_STREQ(app.m_pszAppName, L"framework_tests");
        EXPECT_STREQ(AfxGetAppName(), L"framework_tests");
        EXPECT_EQ(AfxGetApp(), &app);
        app.SetRegistryKey(L"应用程序向导生成的本地应用程序");
        EXPECT_STREQ(app.m_pszRegistryKey, L"应用程序向导生成的本地应用程序");
    }
    EXPECT_EQ(AfxGetApp(), nullptr);
    CWinApp named(L"另一个名字");
    EXPECT_STREQ(AfxGetAppName(), L"另一个名字");
}

TEST(WinAppTest, BoxesWithoutACaptionCarryTheApplicationsName)
{
    CWinApp app;
    ProbeDlg main;
    ASSERT_TRUE(main.Create(IDD_PROBE));
    app.m_pMainWnd = &main;
    MessageBoxWatcher watcher;

    EXPECT_EQ(AfxMessageBox(L"框架消息"), IDOK);
    EXPECT_EQ(main.MessageBox(L"窗口消息"), IDOK);
    EXPECT_EQ(main.MessageBox(L"有标题", L"提示", MB_YESNO), IDYES);
    EXPECT_EQ(AfxMessageBox(IDS_PROBE), IDOK);
    ASSERT_TRUE(watcher.WaitForBoxes(4));
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].text, L"框架消息");
    EXPECT_EQ(boxes[0].caption, L"framework_tests");
    EXPECT_EQ(boxes[0].owner, main.m_hWnd);
    EXPECT_EQ(boxes[1].caption, L"framework_tests");
    EXPECT_EQ(boxes[1].owner, main.m_hWnd);
    EXPECT_EQ(boxes[2].caption, L"提示");
    EXPECT_EQ(boxes[3].text, L"探针 probe") << "a prompt from the string table";
    EXPECT_EQ(boxes[3].caption, L"framework_tests");
}

class HelpRecordingApp : public CWinApp
{
public:
    int helpRequests = 0;

protected:
    afx_msg void OnHelpRequest() { ++helpRequests; }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(HelpRecordingApp, CWinApp)
    ON_COMMAND(ID_HELP, &HelpRecordingApp::OnHelpRequest)
END_MESSAGE_MAP()

TEST(WinAppTest, CommandsThatNoDialogHandlesGoToTheApplication)
{
    HelpRecordingApp app;
    ProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PROBE));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ID_HELP, 0));
    EXPECT_EQ(app.helpRequests, 1);
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(ProbeDlg::kMenuCommand, 0));
    EXPECT_EQ(app.helpRequests, 1);
    EXPECT_EQ(dlg.calls.back(), L"command");
}

TEST(WinAppTest, ProgramEntryRunsTheGlobalApplicationObject)
{
    // entry_probe's application logs its steps to the file given and returns 23
    // from ExitInstance.
    wchar_t temp[MAX_PATH];
    GetTempPathW(MAX_PATH, temp);
    const std::wstring log = std::wstring(temp) + L"entry_probe_" + std::to_wstring(GetCurrentProcessId()) + L".txt";
    std::wstring command = L"entry_probe.exe \"" + log + L"\"";
    const std::wstring program = ThisFolder() + L"entry_probe.exe";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    ASSERT_TRUE(CreateProcessW(program.c_str(), &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                               &startup, &process));
    ASSERT_EQ(WaitForSingleObject(process.hProcess, 30000), WAIT_OBJECT_0);
    DWORD code = 0;
    GetExitCodeProcess(process.hProcess, &code);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(code, 23u);

    HANDLE file = CreateFileW(log.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    char text[256] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof text - 1, &read, nullptr);
    CloseHandle(file);
    DeleteFileW(log.c_str());
    EXPECT_STREQ(text, "constructed entry_probe;InitApplication;InitInstance;ExitInstance;");
}

} // namespace
