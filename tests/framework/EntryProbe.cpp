// A program with nothing but an application object, for the entry test: it logs
// the framework's calls to the file named on its command line.
#include "Framework.h"

#include <string>

namespace {

class EntryProbeApp : public CWinApp
{
public:
    EntryProbeApp() { m_log = "constructed "; }

    BOOL InitApplication() override
    {
        char name[64] = {};
        WideCharToMultiByte(CP_UTF8, 0, m_pszAppName, -1, name, sizeof name, nullptr, nullptr);
        m_log += std::string(name) + ";InitApplication;";
        return CWinApp::InitApplication();
    }

    BOOL InitInstance() override
    {
        m_log += "InitInstance;";
        CWinApp::InitInstance();
        return FALSE;
    }

    int ExitInstance() override
    {
        m_log += "ExitInstance;";
        int argc = 0;
        LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
        if (argc > 1) {
            HANDLE file = CreateFileW(argv[1], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
            DWORD written = 0;
            WriteFile(file, m_log.data(), static_cast<DWORD>(m_log.size()), &written, nullptr);
            CloseHandle(file);
        }
        LocalFree(argv);
        CWinApp::ExitInstance();
        return 23;
    }

private:
    std::string m_log;
};

EntryProbeApp theApp;

} // namespace
