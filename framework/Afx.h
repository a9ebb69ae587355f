#pragma once

#include <windows.h>

class CWinApp;
class CWnd;
class COccManager;

// Restart-manager support that the application object asks for.
#define AFX_RESTART_MANAGER_SUPPORT_RESTART 0x01
// The help command.
#define ID_HELP 0xE146

// The module that holds the program's code and its resources.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();

// The one application object, or null while there is none.
CWinApp* AfxGetApp();
// The application's main window (null while there is none).
CWnd* AfxGetMainWnd();
// The application's name: the caption of boxes shown without one of their own.
LPCWSTR AfxGetAppName();

// A message box owned by the main window with the application's name as caption.
int AfxMessageBox(LPCWSTR lpszText, UINT nType = MB_OK, UINT nIDHelp = 0);
// The same with string-table entry nIDPrompt as its text.
int AfxMessageBox(UINT nIDPrompt, UINT nType = MB_OK, UINT nIDHelp = static_cast<UINT>(-1));

// OLE for the calling thread; AfxOleTerm undoes a successful AfxOleInit.
BOOL AfxOleInit();
void AfxOleTerm(BOOL bJustRevoke = FALSE);
// The program hosts no ActiveX control: this only marks the start-up step.
void AfxEnableControlContainer(COccManager* pManager = nullptr);

// Takes one message from the thread's queue (waiting for it), lets the windows
// it concerns pre-translate it (a dialog's Enter, Esc and Tab) and dispatches it.
// FALSE when the message was WM_QUIT.
BOOL AfxPumpMessage();
// The pre-translation alone: TRUE when a window of the framework used the message.
BOOL AfxPreTranslateMessage(MSG* pMsg);

// The program entry behind wWinMain: runs the application object.
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPWSTR lpCmdLine, int nCmdShow);
