#include "CMFCVisualManager.h"

IMPLEMENT_DYNAMIC(CMFCVisualManager, CObject)
IMPLEMENT_DYNAMIC(CMFCVisualManagerWindows, CMFCVisualManager)

CRuntimeClass* CMFCVisualManager::m_pRTIDefault = nullptr;
