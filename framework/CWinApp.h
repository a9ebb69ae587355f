#pragma once

#include "CString.h"
#include "CWinThread.h"

// The application: exactly one object of a CWinApp subclass exists, made by the
// runtime before the program entry runs. The entry calls InitApplication and
// InitInstance; when InitInstance returns FALSE it calls ExitInstance instead of
// the message loop, and the program ends with ExitInstance's result.
class CWinApp : public CWinThread
{
    DECLARE_DYNAMIC(CWinApp)

public:
    // No name takes the program file's name without its extension.
    explicit CWinApp(LPCWSTR lpszAppName = nullptr);
    ~CWinApp() override;

    LPCWSTR m_pszAppName = nullptr;
    LPCWSTR m_pszExeName = nullptr;
    LPCWSTR m_pszRegistryKey = nullptr;
    LPCWSTR m_pszProfileName = nullptr;
    HINSTANCE m_hInstance = nullptr;
    LPWSTR m_lpCmdLine = nullptr;
    int m_nCmdShow = SW_SHOWNORMAL;
    // AFX_RESTART_MANAGER_SUPPORT_RESTART registers the program for restart.
    DWORD m_dwRestartManagerSupportFlags = 0;

    virtual BOOL InitApplication();
    BOOL InitInstance() override;
    int ExitInstance() override;

    // Where profile settings would live (HKCU\Software\<key>\<application>).
    // Nothing is read or written there.
    void SetRegistryKey(LPCWSTR lpszRegistryKey);

    // The box of AfxMessageBox: owned by the main window, captioned with the
    // application's name.
    virtual int DoMessageBox(LPCWSTR lpszPrompt, UINT nType, UINT nIDPrompt);

    // The help command: the program has no help file, so it does nothing.
    afx_msg void OnHelp();

    DECLARE_MESSAGE_MAP()

private:
    CString m_strAppName;
    CString m_strExeName;
    CString m_strRegistryKey;
};
