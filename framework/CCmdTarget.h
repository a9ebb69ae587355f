#pragma once

#include "CObject.h"
#include "MessageMap.h"

// An object with a message map.
class CCmdTarget : public CObject
{
    DECLARE_DYNAMIC(CCmdTarget)

public:
    CCmdTarget() = default;

    // Runs the handler that the maps name for a command or control notification
    // (WM_COMMAND or WM_NOTIFY); FALSE when no map has an entry for it.
    virtual BOOL RouteCommand(UINT message, UINT nCode, UINT nID, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // The entry of this class's map, or else of the nearest base's, for a message:
    // a window message by its number, WM_COMMAND and WM_NOTIFY also by code and id.
    const AFX_MSGMAP_ENTRY* FindMessageEntry(UINT message, UINT nCode, UINT nID) const;
};
