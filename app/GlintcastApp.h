#pragma once

#include "Framework.h"

// The application: runs the main window modally inside InitInstance and ends
// with it; the framework's own message loop is never entered.
class CGlintcastApp : public CWinApp
{
public:
    CGlintcastApp();
    ~CGlintcastApp() override;

    BOOL InitInstance() override;
    int ExitInstance() override;

    DECLARE_MESSAGE_MAP()
};

// The program's one application object (defined by the program file alone).
extern CGlintcastApp theApp;
