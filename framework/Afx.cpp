#include "Afx.h"

#include "CString.h"
#include "CWinApp.h"

#include <ole2.h>

namespace {

bool s_oleInitialised = false;

} // namespace

HINSTANCE AfxGetInstanceHandle()
{
    return GetModuleHandleW(nullptr);
}

HINSTANCE AfxGetResourceHandle()
{
    return GetModuleHandleW(nullptr);
}

int AfxMessageBox(LPCWSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (CWinApp* pApp = AfxGetApp())
        return pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return ::MessageBoxW(nullptr, lpszText, AfxGetAppName(), nType);
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    text.LoadString(nIDPrompt);
    return AfxMessageBox(text, nType, nIDHelp == static_cast<UINT>(-1) ? nIDPrompt : nIDHelp);
}

BOOL AfxOleInit()
{
    if (s_oleInitialised)
        return TRUE;
    s_oleInitialised = SUCCEEDED(OleInitialize(nullptr));
    return s_oleInitialised;
}

void AfxOleTerm(BOOL bJustRevoke)
{
    if (!s_oleInitialised || bJustRevoke)
        return;
    OleUninitialize();
    s_oleInitialised = false;
}

void AfxEnableControlContainer(COccManager*)
{
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPWSTR lpCmdLine, int nCmdShow)
{
    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    if (!pApp->InitApplication())
        return -1;
    if (!pApp->InitInstance())
        return pApp->ExitInstance();
    return pApp->Run();
}
