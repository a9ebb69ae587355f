#pragma once

#include "CObject.h"

// The look of the framework's own controls. The program uses only standard
// controls, so choosing a manager changes nothing visible; it is remembered.
class CMFCVisualManager : public CObject
{
    DECLARE_DYNAMIC(CMFCVisualManager)

public:
    static void SetDefaultManager(CRuntimeClass* pRTI) { m_pRTIDefault = pRTI; }
    static CRuntimeClass* GetDefaultManager() { return m_pRTIDefault; }

protected:
    static CRuntimeClass* m_pRTIDefault;
};

// The Windows-native look.
class CMFCVisualManagerWindows : public CMFCVisualManager
{
    DECLARE_DYNAMIC(CMFCVisualManagerWindows)
};
