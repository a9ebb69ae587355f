#include "CCmdTarget.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const AFX_MSGMAP* CCmdTarget::GetThisMessageMap()
{
    static const AFX_MSGMAP_ENTRY entries[] = {{0, 0, 0, 0, nullptr}};
    static const AFX_MSGMAP messageMap = {nullptr, &entries[0]};
    return &messageMap;
}

const AFX_MSGMAP* CCmdTarget::GetMessageMap() const
{
    return GetThisMessageMap();
}

const AFX_MSGMAP_ENTRY* CCmdTarget::FindMessageEntry(UINT message, UINT nCode, UINT nID) const
{
    const bool byControl = message == WM_COMMAND || message == WM_NOTIFY;
    for (const AFX_MSGMAP* map = GetMessageMap(); map; map = map->pfnGetBaseMap ? map->pfnGetBaseMap() : nullptr) {
        for (const AFX_MSGMAP_ENTRY* entry = map->lpEntries; entry->pfn; ++entry) {
            if (entry->nMessage != message)
                continue;
            if (!byControl || (entry->nCode == nCode && nID >= entry->nID && nID <= entry->nLastID))
                return entry;
        }
    }
    return nullptr;
}

BOOL CCmdTarget::RouteCommand(UINT message, UINT nCode, UINT nID, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(message, nCode, nID);
    if (!entry)
        return FALSE;
    LRESULT ignored = 0;
    return entry->pfn(this, message, wParam, lParam, pResult ? pResult : &ignored);
}
