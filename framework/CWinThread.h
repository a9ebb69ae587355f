#pragma once

#include "CCmdTarget.h"

class CWnd;

// The user-interface thread: its main window and its message loop.
class CWinThread : public CCmdTarget
{
    DECLARE_DYNAMIC(CWinThread)

public:
    CWinThread() = default;

    // The main window; the framework clears it when that window is destroyed.
    CWnd* m_pMainWnd = nullptr;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop: runs until WM_QUIT, then returns ExitInstance's result.
    virtual int Run();
    // Sees every message that the framework's loops take before it is dispatched.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
};
