#include "CMenu.h"

#include "Afx.h"
#include "CWnd.h"
#include "TemporaryMap.h"

CMenu* CMenu::FromHandle(HMENU hMenu)
{
    thread_local TemporaryMap<HMENU, CMenu> map([](CMenu& menu, HMENU h) { menu.m_hMenu = h; },
                                                [](HMENU h) { return IsMenu(h) != FALSE; });
    return map.Get(hMenu);
}

BOOL CMenu::Attach(HMENU hMenu)
{
    if (!hMenu || m_hMenu)
        return FALSE;
    m_hMenu = hMenu;
    return TRUE;
}

HMENU CMenu::Detach()
{
    HMENU hMenu = m_hMenu;
    m_hMenu = nullptr;
    return hMenu;
}

BOOL CMenu::LoadMenu(UINT nIDResource)
{
    HMENU hMenu = ::LoadMenuW(AfxGetResourceHandle(), MAKEINTRESOURCEW(nIDResource));
    if (Attach(hMenu))
        return TRUE;
    if (hMenu)
        ::DestroyMenu(hMenu);
    return FALSE;
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int n = ::GetMenuStringW(m_hMenu, nIDItem, nullptr, 0, nFlags);
    if (n <= 0) {
        rString.Empty();
        return 0;
    }
    ::GetMenuStringW(m_hMenu, nIDItem, rString.GetBuffer(n + 1), n + 1, nFlags);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    return ::TrackPopupMenu(m_hMenu, nFlags, x, y, 0, pWnd ? pWnd->GetSafeHwnd() : nullptr, lpRect);
}
