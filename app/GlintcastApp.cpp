#include "GlintcastApp.h"

#include "GlintcastDlg.h"
#include "resource.h"

#include <memory>

BEGIN_MESSAGE_MAP(CGlintcastApp, CWinApp)
    ON_COMMAND(ID_HELP, &CWinApp::OnHelp)
END_MESSAGE_MAP()

CGlintcastApp::CGlintcastApp()
{
    m_dwRestartManagerSupportFlags = AFX_RESTART_MANAGER_SUPPORT_RESTART;
}

CGlintcastApp::~CGlintcastApp() = default;

BOOL CGlintcastApp::InitInstance()
{
    INITCOMMONCONTROLSEX controls = {};
    controls.dwSize = sizeof controls;
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);

    CWinApp::InitInstance();

    if (!AfxOleInit()) {
        AfxMessageBox(IDP_OLE_INIT_FAILED);
        return FALSE;
    }
    AfxEnableControlContainer();

    auto shellManager = std::make_unique<CShellManager>();
    CMFCVisualManager::SetDefaultManager(RUNTIME_CLASS(CMFCVisualManagerWindows));
    SetRegistryKey(L"应用程序向导生成的本地应用程序");

    CGlintcastDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The shell manager goes first; the dialog object goes when this returns.
    shellManager.reset();
    return FALSE;
}

int CGlintcastApp::ExitInstance()
{
    AfxOleTerm(FALSE);
    return CWinApp::ExitInstance();
}
