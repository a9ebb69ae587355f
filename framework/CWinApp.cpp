#include "CWinApp.h"

#include "Afx.h"
#include "CWnd.h"

namespace {

CWinApp* s_pApp = nullptr;

CString ExecutableBaseName()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    CString name = path;
    name = name.Mid(name.ReverseFind(L'\\') + 1);
    const int dot = name.ReverseFind(L'.');
    return dot >= 0 ? name.Left(dot) : name;
}

} // namespace

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

BEGIN_MESSAGE_MAP(CWinApp, CWinThread)
END_MESSAGE_MAP()

CWinApp::CWinApp(LPCWSTR lpszAppName)
    : m_hInstance(GetModuleHandleW(nullptr)), m_strExeName(ExecutableBaseName())
{
    m_strAppName = lpszAppName ? CString(lpszAppName) : m_strExeName;
    m_pszAppName = m_strAppName;
    m_pszExeName = m_strExeName;
    s_pApp = this;
}

CWinApp::~CWinApp()
{
    if (s_pApp == this)
        s_pApp = nullptr;
}

BOOL CWinApp::InitApplication()
{
    return TRUE;
}

BOOL CWinApp::InitInstance()
{
    if (m_dwRestartManagerSupportFlags & AFX_RESTART_MANAGER_SUPPORT_RESTART)
        RegisterApplicationRestart(nullptr, 0);
    return TRUE;
}

int CWinApp::ExitInstance()
{
    return 0;
}

void CWinApp::SetRegistryKey(LPCWSTR lpszRegistryKey)
{
    m_strRegistryKey = lpszRegistryKey;
    m_pszRegistryKey = m_strRegistryKey;
    m_pszProfileName = m_pszAppName;
}

int CWinApp::DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT)
{
    HWND hWndOwner = m_pMainWnd ? m_pMainWnd->GetSafeHwnd() : nullptr;
    return ::MessageBoxW(hWndOwner, lpszPrompt, m_pszAppName, nType);
}

void CWinApp::OnHelp()
{
}

CWinApp* AfxGetApp()
{
    return s_pApp;
}

CWnd* AfxGetMainWnd()
{
    return s_pApp ? s_pApp->m_pMainWnd : nullptr;
}

LPCWSTR AfxGetAppName()
{
    if (s_pApp)
        return s_pApp->m_pszAppName;
    thread_local CString name;
    name = ExecutableBaseName();
    return name;
}
