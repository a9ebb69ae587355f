#include "CWnd.h"

#include "Afx.h"
#include "CMemoryException.h"
#include "CWinApp.h"
#include "TemporaryMap.h"

#include <new>
#include <unordered_map>

namespace {

// The framework's windows belong to the thread that made them.
struct ThreadState
{
    std::unordered_map<HWND, CWnd*> permanent;
    TemporaryMap<HWND, CWnd> temporary{[](CWnd& wnd, HWND hWnd) { wnd.m_hWnd = hWnd; },
                                       [](HWND hWnd) { return IsWindow(hWnd) != FALSE; }};
    CWnd* pWndInit = nullptr;
    HHOOK hHookCbt = nullptr;
    MSG lastSentMsg = {};
};

ThreadState& State()
{
    thread_local ThreadState state;
    return state;
}

} // namespace

IMPLEMENT_DYNAMIC(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
    ON_WM_DRAWITEM()
END_MESSAGE_MAP()

CWnd::~CWnd()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    if (m_hWnd)
        Detach();
}

CWnd* CWnd::FromHandle(HWND hWnd)
{
    if (CWnd* pWnd = FromHandlePermanent(hWnd))
        return pWnd;
    return State().temporary.Get(hWnd);
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd)
{
    if (!hWnd)
        return nullptr;
    const auto& permanent = State().permanent;
    const auto found = permanent.find(hWnd);
    return found == permanent.end() ? nullptr : found->second;
}

BOOL CWnd::Attach(HWND hWndNew)
{
    if (!hWndNew || m_hWnd || FromHandlePermanent(hWndNew))
        return FALSE;
    State().permanent[hWndNew] = this;
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach()
{
    HWND hWnd = m_hWnd;
    if (hWnd && FromHandlePermanent(hWnd) == this)
        State().permanent.erase(hWnd);
    m_hWnd = nullptr;
    return hWnd;
}

BOOL CWnd::TakeOver(HWND hWnd)
{
    if (!Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    const auto previous =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(AfxWndProc)));
    if (previous != AfxWndProc)
        m_pfnSuper = previous;
    return TRUE;
}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    return TakeOver(hWnd);
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = pParent ? ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID)) : nullptr;
    return hWndControl && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper)
        SetWindowLongPtrW(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

void CWnd::PreSubclassWindow()
{
}

void CWnd::PostNcDestroy()
{
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    HWND hWnd = m_hWnd;
    const BOOL destroyed = ::DestroyWindow(hWnd);
    // A window only attached, not subclassed, never shows us its WM_NCDESTROY.
    if (m_hWnd == hWnd && !::IsWindow(hWnd))
        Detach();
    return destroyed;
}

void CWnd::HandleNcDestroy(HWND hWnd)
{
    if (m_hWnd != hWnd)
        return;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrW(hWnd, GWLP_WNDPROC)) == AfxWndProc && m_pfnSuper)
        SetWindowLongPtrW(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    // A modal loop whose window is gone has nothing left to wait for.
    if (m_nFlags & WF_CONTINUEMODAL)
        EndModalLoop(m_nModalResult);
    if (CWinApp* pApp = AfxGetApp(); pApp && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = nullptr;
    PostNcDestroy();
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcW(hWnd, message, wParam, lParam);
    ThreadState& state = State();
    const MSG previous = state.lastSentMsg;
    state.lastSentMsg = MSG{hWnd, message, wParam, lParam, 0, {0, 0}};
    LRESULT result = 0;
    // An exception must not leave a handler: it would unwind through the system's
    // frames. It is reported here, and the message counts as handled (a window
    // being created is refused).
    try {
        result = pWnd->WindowProc(message, wParam, lParam);
    } catch (CException* e) {
        e->ReportError(MB_ICONEXCLAMATION);
        e->Delete();
        result = message == WM_CREATE ? -1 : 0;
    } catch (const std::bad_alloc&) {
        CMemoryException().ReportError(MB_ICONEXCLAMATION);
        result = message == WM_CREATE ? -1 : 0;
    }
    if (message == WM_NCDESTROY)
        pWnd->HandleNcDestroy(hWnd);
    state.lastSentMsg = previous;
    return result;
}

LRESULT CALLBACK CWnd::CbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam)
{
    ThreadState& state = State();
    if (nCode == HCBT_CREATEWND && state.pWndInit) {
        CWnd* pWnd = state.pWndInit;
        state.pWndInit = nullptr;
        pWnd->TakeOver(reinterpret_cast<HWND>(wParam));
    }
    return CallNextHookEx(state.hHookCbt, nCode, wParam, lParam);
}

void CWnd::HookWindowCreate(CWnd* pWnd)
{
    ThreadState& state = State();
    if (!state.hHookCbt)
        state.hHookCbt = SetWindowsHookExW(WH_CBT, CbtFilterHook, nullptr, GetCurrentThreadId());
    state.pWndInit = pWnd;
}

void CWnd::UnhookWindowCreate()
{
    ThreadState& state = State();
    if (state.hHookCbt)
        UnhookWindowsHookEx(state.hHookCbt);
    state.hHookCbt = nullptr;
    state.pWndInit = nullptr;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT result = 0;
    if (!OnWndMsg(message, wParam, lParam, &result))
        result = DefWindowProc(message, wParam, lParam);
    return result;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcW(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcW(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& current = State().lastSentMsg;
    return DefWindowProc(current.message, current.wParam, current.lParam);
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        const auto* header = reinterpret_cast<const NMHDR*>(lParam);
        LRESULT result = 0;
        if (!header || !header->hwndFrom || !OnNotify(wParam, lParam, &result))
            return FALSE;
        *pResult = result;
        return TRUE;
    }
    const UINT key = message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC ? WM_CTLCOLOR : message;
    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(key, 0, 0);
    if (!entry)
        return FALSE;
    LRESULT result = 0;
    entry->pfn(this, message, wParam, lParam, &result);
    *pResult = result;
    return TRUE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    HWND hWndControl = reinterpret_cast<HWND>(lParam);
    UINT nCode = HIWORD(wParam);
    if (!hWndControl) {
        nCode = CN_COMMAND;  // a menu item or an accelerator
    } else if (CWnd* pChild = FromHandlePermanent(hWndControl); pChild && pChild != this) {
        if (pChild->OnChildNotify(WM_COMMAND, wParam, lParam, nullptr))
            return TRUE;
    }
    LRESULT result = 0;
    return RouteCommand(WM_COMMAND, nCode, nID, wParam, lParam, &result);
}

BOOL CWnd::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (CWnd* pChild = FromHandlePermanent(header->hwndFrom); pChild && pChild != this) {
        if (pChild->OnChildNotify(WM_NOTIFY, wParam, lParam, pResult))
            return TRUE;
    }
    *pResult = 0;
    return RouteCommand(WM_NOTIFY, header->code, static_cast<UINT>(header->idFrom), wParam, lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*)
{
    return FALSE;
}

void CWnd::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    // The control that draws itself gets its own WM_DRAWITEM back.
    if (lpDrawItemStruct->CtlType != ODT_MENU) {
        if (CWnd* pChild = FromHandlePermanent(lpDrawItemStruct->hwndItem)) {
            LRESULT result = 0;
            if (pChild->OnChildNotify(WM_DRAWITEM, static_cast<WPARAM>(nIDCtl),
                                      reinterpret_cast<LPARAM>(lpDrawItemStruct), &result))
                return;
        }
    }
    Default();
}

void CWnd::OnPaint()
{
    Default();
}

void CWnd::OnSysCommand(UINT, LPARAM)
{
    Default();
}

void CWnd::OnClose()
{
    Default();
}

void CWnd::OnTimer(UINT_PTR)
{
    Default();
}

void CWnd::OnHotKey(UINT, UINT, UINT)
{
    Default();
}

void CWnd::OnEndSession(BOOL)
{
    Default();
}

BOOL CWnd::OnEraseBkgnd(CDC*)
{
    return static_cast<BOOL>(Default());
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd*, UINT)
{
    return reinterpret_cast<HBRUSH>(Default());
}

BOOL CWnd::PreTranslateMessage(MSG*)
{
    return FALSE;
}

void CWnd::GetWindowText(CString& rString) const
{
    const int n = ::GetWindowTextLengthW(m_hWnd);
    ::GetWindowTextW(m_hWnd, rString.GetBuffer(n + 1), n + 1);
    rString.ReleaseBuffer();
}

int CWnd::GetDlgItemText(int nID, CString& rString) const
{
    rString.Empty();
    if (CWnd* pControl = GetDlgItem(nID))
        pControl->GetWindowText(rString);
    return rString.GetLength();
}

namespace {

// Changes the bits of GWL_STYLE or GWL_EXSTYLE; nFlags other than 0 has the
// frame follow through SetWindowPos. FALSE when nothing changed.
BOOL ModifyStyleBits(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    const auto style = static_cast<DWORD>(GetWindowLongPtrW(hWnd, nIndex));
    const DWORD newStyle = (style & ~dwRemove) | dwAdd;
    if (style == newStyle)
        return FALSE;
    SetWindowLongPtrW(hWnd, nIndex, static_cast<LONG_PTR>(newStyle));
    if (nFlags)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

} // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleBits(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags)
{
    return ModifyStyleBits(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::ClientToScreen(LPRECT lpRect) const
{
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ClientToScreen(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

void CWnd::ScreenToClient(LPRECT lpRect) const
{
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect));
    ::ScreenToClient(m_hWnd, reinterpret_cast<LPPOINT>(lpRect) + 1);
}

HWND CWnd::GetSafeOwner_(CWnd* pParent)
{
    CWnd* pWnd = pParent ? pParent : AfxGetMainWnd();
    HWND hWnd = pWnd ? pWnd->GetSafeHwnd() : nullptr;
    while (hWnd && (GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    // A pop-up hidden since it was last active (a tool window after its Start)
    // would hide what it owns.
    if (!pParent && hWnd) {
        HWND popup = ::GetLastActivePopup(hWnd);
        if (popup && ::IsWindowVisible(popup))
            hWnd = popup;
    }
    return hWnd;
}

int CWnd::MessageBox(LPCWSTR lpszText, LPCWSTR lpszCaption, UINT nType)
{
    return ::MessageBoxW(m_hWnd, lpszText, lpszCaption ? lpszCaption : AfxGetAppName(), nType);
}

int CWnd::RunModalLoop(DWORD dwFlags)
{
    bool showOnIdle = (dwFlags & MLF_SHOWONIDLE) && !(GetStyle() & WS_VISIBLE);
    m_nFlags |= WF_MODALLOOP | WF_CONTINUEMODAL;
    while (ContinueModal()) {
        MSG msg;
        if (showOnIdle && !::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            ShowWindow(SW_SHOWNORMAL);
            UpdateWindow();
            showOnIdle = false;
            continue;
        }
        if (!AfxPumpMessage()) {
            // WM_QUIT belongs to the loop outside this one.
            ::PostQuitMessage(0);
            m_nFlags &= ~(WF_MODALLOOP | WF_CONTINUEMODAL);
            return -1;
        }
    }
    m_nFlags &= ~WF_MODALLOOP;
    return m_nModalResult;
}

BOOL CWnd::ContinueModal()
{
    return (m_nFlags & WF_CONTINUEMODAL) != 0;
}

void CWnd::EndModalLoop(int nResult)
{
    m_nModalResult = nResult;
    if (!(m_nFlags & WF_CONTINUEMODAL))
        return;
    m_nFlags &= ~WF_CONTINUEMODAL;
    // Wakes the loop, which may be waiting for a message.
    if (!m_hWnd || !PostMessage(WM_NULL))
        ::PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    // The window the message is for and its parents up to its top-level window.
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = CWnd::FromHandlePermanent(hWnd); pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (!(GetWindowLongPtrW(hWnd, GWL_STYLE) & WS_CHILD))
            break;
    }
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->PreTranslateMessage(pMsg);
}

BOOL AfxPumpMessage()
{
    MSG msg;
    const BOOL got = ::GetMessageW(&msg, nullptr, 0, 0);
    if (got == 0)
        return FALSE;
    if (got > 0 && !AfxPreTranslateMessage(&msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return TRUE;
}
