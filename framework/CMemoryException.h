#pragma once

#include "CException.h"

// Memory ran out: a string or another object could not be allocated.
class CMemoryException : public CException
{
    DECLARE_DYNAMIC(CMemoryException)

public:
    CMemoryException() = default;
    ~CMemoryException() override = default;

    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT pnHelpContext = nullptr) const override;
};

// Throws a new CMemoryException.
[[noreturn]] void AfxThrowMemoryException();
