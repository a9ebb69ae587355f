#include "CDialog.h"

#include "Afx.h"
#include "CWinApp.h"

#include <vector>

namespace {

// The resource type of a template's initial data, and the two kinds of item it
// holds (list-box and combo-box strings, numbered as they were in 16-bit Windows).
constexpr WORD kRtDlgInit = 240;
constexpr WORD kDlgInitListBoxString = 0x0401;
constexpr WORD kDlgInitComboBoxString = 0x0403;

const void* LoadProgramResource(LPCWSTR name, LPCWSTR type, DWORD* size)
{
    HINSTANCE hInstance = AfxGetResourceHandle();
    HRSRC found = FindResourceW(hInstance, name, type);
    HGLOBAL loaded = found ? LoadResource(hInstance, found) : nullptr;
    *size = found ? SizeofResource(hInstance, found) : 0;
    return loaded ? LockResource(loaded) : nullptr;
}

} // namespace

IMPLEMENT_DYNAMIC(CDialog, CWnd)

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, &CDialog::OnOK)
    ON_COMMAND(IDCANCEL, &CDialog::OnCancel)
END_MESSAGE_MAP()

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd)
    : m_lpszTemplateName(MAKEINTRESOURCEW(nIDTemplate)), m_nIDHelp(nIDTemplate), m_pParentWnd(pParentWnd)
{
}

CDialog::~CDialog()
{
    if (m_hWnd && FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
}

HWND CDialog::CreateFromTemplate(HWND hWndOwner)
{
    DWORD size = 0;
    const auto* dialogTemplate =
        static_cast<const DLGTEMPLATE*>(LoadProgramResource(m_lpszTemplateName, RT_DIALOG, &size));
    if (!dialogTemplate)
        return nullptr;
    HookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamW(AfxGetResourceHandle(), dialogTemplate, hWndOwner, AfxDlgProc, 0);
    UnhookWindowCreate();
    return hWnd;
}

HWND CDialog::ModalOwner() const
{
    HWND hWnd = GetSafeOwner_(m_pParentWnd);
    return hWnd == m_hWnd ? nullptr : hWnd;
}

INT_PTR CDialog::DoModal()
{
    HWND hWndOwner = ModalOwner();
    const bool disableOwner = hWndOwner && ::IsWindowEnabled(hWndOwner);
    if (disableOwner)
        ::EnableWindow(hWndOwner, FALSE);

    m_nModalResult = -1;
    m_nFlags |= WF_CONTINUEMODAL;
    if (CreateFromTemplate(hWndOwner) && ContinueModal())
        RunModalLoop(MLF_SHOWONIDLE);
    m_nFlags &= ~(WF_CONTINUEMODAL | WF_MODALLOOP);

    // Hidden before the owner comes back, so the owner is activated, not the dialog.
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0, SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
    if (disableOwner)
        ::EnableWindow(hWndOwner, TRUE);
    if (hWndOwner && m_hWnd && ::GetActiveWindow() == m_hWnd)
        ::SetActiveWindow(hWndOwner);
    DestroyWindow();
    return m_nModalResult;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd)
{
    if (m_hWnd)
        DestroyWindow();
    m_lpszTemplateName = MAKEINTRESOURCEW(nIDTemplate);
    m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
    CWnd* pOwner = pParentWnd ? pParentWnd : AfxGetMainWnd();
    return CreateFromTemplate(pOwner && pOwner != this ? pOwner->GetSafeHwnd() : nullptr) != nullptr;
}

void CDialog::EndDialog(int nResult)
{
    if (m_nFlags & (WF_MODALLOOP | WF_CONTINUEMODAL))
        EndModalLoop(nResult);
    ::EndDialog(m_hWnd, nResult);
}

BOOL CDialog::OnInitDialog()
{
    ExecuteDlgInit(m_lpszTemplateName);
    return TRUE;
}

void CDialog::OnOK()
{
    EndDialog(IDOK);
}

void CDialog::OnCancel()
{
    EndDialog(IDCANCEL);
}

BOOL CDialog::PreTranslateMessage(MSG* pMsg)
{
    if (!m_hWnd)
        return FALSE;
    const bool keyboard = pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST;
    const bool mouse = pMsg->message >= WM_MOUSEFIRST && pMsg->message <= WM_MOUSELAST;
    // The dialog manager's keys: Enter, Esc, Tab, arrows and mnemonics.
    return (keyboard || mouse) && ::IsDialogMessageW(m_hWnd, pMsg);
}

BOOL CDialog::RouteCommand(UINT message, UINT nCode, UINT nID, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    if (CWnd::RouteCommand(message, nCode, nID, wParam, lParam, pResult))
        return TRUE;
    // Commands nobody in the dialog handles go to the application (ID_HELP).
    if (message != WM_COMMAND || nCode != CN_COMMAND || nID >= 0xF000)
        return FALSE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->RouteCommand(message, nCode, nID, wParam, lParam, pResult);
}

BOOL CDialog::ExecuteDlgInit(LPCWSTR lpszResourceName)
{
    DWORD size = 0;
    const auto* data = static_cast<const BYTE*>(LoadProgramResource(lpszResourceName, MAKEINTRESOURCEW(kRtDlgInit), &size));
    if (!data)
        return TRUE;
    // Items: control id (WORD), message (WORD), length of the data (DWORD), the
    // data (an ANSI string with its terminator); a zero control id ends the list.
    const BYTE* end = data + size;
    BOOL allAdded = TRUE;
    for (const BYTE* p = data; p + sizeof(WORD) <= end;) {
        WORD nIDC = 0, nMsg = 0;
        DWORD length = 0;
        memcpy(&nIDC, p, sizeof nIDC);
        if (nIDC == 0 || p + 8 > end)
            break;
        memcpy(&nMsg, p + 2, sizeof nMsg);
        memcpy(&length, p + 4, sizeof length);
        const BYTE* item = p + 8;
        if (length > static_cast<DWORD>(end - item))
            break;
        p = item + length;
        UINT message = 0;
        if (nMsg == kDlgInitListBoxString)
            message = LB_ADDSTRING;
        else if (nMsg == kDlgInitComboBoxString)
            message = CB_ADDSTRING;
        else
            continue;
        const int n = MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(item), static_cast<int>(length),
                                          nullptr, 0);
        std::vector<wchar_t> text(static_cast<size_t>(n) + 1, L'\0');
        MultiByteToWideChar(CP_ACP, 0, reinterpret_cast<const char*>(item), static_cast<int>(length), text.data(), n);
        const LRESULT added = SendDlgItemMessage(nIDC, message, 0, reinterpret_cast<LPARAM>(text.data()));
        if (added == CB_ERR || added == CB_ERRSPACE)
            allAdded = FALSE;
    }
    return allAdded;
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM)
{
    // Every other message has reached the dialog's message map before this.
    if (message != WM_INITDIALOG)
        return FALSE;
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd || !pWnd->IsKindOf(RUNTIME_CLASS(CDialog)))
        return TRUE;
    return static_cast<CDialog*>(pWnd)->OnInitDialog();
}
