#include "CWinThread.h"

#include "Afx.h"

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

BOOL CWinThread::InitInstance()
{
    return FALSE;
}

int CWinThread::ExitInstance()
{
    return 0;
}

int CWinThread::Run()
{
    while (AfxPumpMessage()) {
    }
    return ExitInstance();
}

BOOL CWinThread::PreTranslateMessage(MSG*)
{
    return FALSE;
}
