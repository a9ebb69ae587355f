#pragma once

#include "CObject.h"

// An exception of the framework, thrown as a pointer. The framework's message
// dispatch catches one that leaves a message handler, reports it in a message
// box and deletes it, so that it never unwinds through the system's frames.
class CException : public CObject
{
    DECLARE_DYNAMIC(CException)

public:
    ~CException() override = default;

    // Shows the error in a message box captioned with the application's name.
    virtual int ReportError(UINT nType = MB_OK, UINT nMessageID = 0);
    virtual BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const;
    void Delete() { delete this; }

protected:
    CException() = default;
};
