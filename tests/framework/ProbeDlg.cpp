#include "ProbeDlg.h"

IMPLEMENT_DYNAMIC(ProbeDlg, CDialogEx)

BEGIN_MESSAGE_MAP(ProbeDlg, CDialogEx)
    ON_BN_CLICKED(IDC_CLICK, &ProbeDlg::OnBnClickedClick)
    ON_BN_CLICKED(IDC_END_SEVEN, &ProbeDlg::OnBnClickedEndSeven)
    ON_CBN_SELCHANGE(IDC_RATES, &ProbeDlg::OnCbnSelchangeRates)
    ON_COMMAND(ProbeDlg::kMenuCommand, &ProbeDlg::OnMenuCommand)
    ON_MESSAGE(ProbeDlg::kProbeMessage, &ProbeDlg::OnProbe)
    ON_MESSAGE(WM_SETTEXT, &ProbeDlg::OnSetText)
    ON_WM_TIMER()
    ON_NOTIFY(ProbeDlg::kProbeNotification, IDC_FIELD, &ProbeDlg::OnProbeNotify)
    ON_WM_HOTKEY()
    ON_WM_SYSCOMMAND()
    ON_WM_CLOSE()
    ON_WM_QUERYDRAGICON()
    ON_WM_LBUTTONUP()
    ON_WM_ENDSESSION()
END_MESSAGE_MAP()

BOOL ProbeDlg::OnInitDialog()
{
    if (callBaseInit)
        CDialogEx::OnInitDialog();
    calls.push_back(L"init");
    if (onInit)
        onInit(*this);
    return TRUE;
}

void ProbeDlg::OnOK()
{
    calls.push_back(L"OnOK");
    CDialogEx::OnOK();
}

void ProbeDlg::OnCancel()
{
    calls.push_back(L"OnCancel");
    CDialogEx::OnCancel();
}

void ProbeDlg::OnBnClickedClick()
{
    calls.push_back(L"click");
}

void ProbeDlg::OnBnClickedEndSeven()
{
    EndDialog(7);
}

void ProbeDlg::OnCbnSelchangeRates()
{
    calls.push_back(L"selchange");
}

void ProbeDlg::OnMenuCommand()
{
    calls.push_back(L"command");
}

LRESULT ProbeDlg::OnProbe(WPARAM wParam, LPARAM lParam)
{
    calls.push_back(L"probe");
    return static_cast<LRESULT>(wParam) + lParam;
}

LRESULT ProbeDlg::OnSetText(WPARAM, LPARAM)
{
    // The window's own procedure sets the text; the handler only looks on.
    const LRESULT result = Default();
    CString text;
    GetWindowText(text);
    calls.push_back(L"text " + std::wstring(text.GetString()));
    return result;
}

void ProbeDlg::OnTimer(UINT_PTR nIDEvent)
{
    calls.push_back(L"timer " + std::to_wstring(nIDEvent));
    ++timerCalls;
}

void ProbeDlg::OnProbeNotify(NMHDR*, LRESULT* pResult)
{
    calls.push_back(L"notify");
    *pResult = 42;
}

void ProbeDlg::OnHotKey(UINT nHotKeyId, UINT nKey1, UINT nKey2)
{
    calls.push_back(L"hotkey " + std::to_wstring(nHotKeyId) + L" " + std::to_wstring(nKey1) + L" " +
                    std::to_wstring(nKey2));
}

void ProbeDlg::OnSysCommand(UINT nID, LPARAM lParam)
{
    calls.push_back(L"syscommand " + std::to_wstring(nID) + L" " + std::to_wstring(lParam));
    CDialogEx::OnSysCommand(nID, lParam);
}

void ProbeDlg::OnClose()
{
    calls.push_back(L"close");
    CDialogEx::OnClose();
}

HCURSOR ProbeDlg::OnQueryDragIcon()
{
    calls.push_back(L"drag icon");
    return LoadCursorW(nullptr, IDC_HAND);
}

void ProbeDlg::OnLButtonUp(UINT nFlags, CPoint point)
{
    calls.push_back(L"button up " + std::to_wstring(nFlags) + L" " + std::to_wstring(point.x) + L"," +
                    std::to_wstring(point.y));
}

void ProbeDlg::OnEndSession(BOOL bEnding)
{
    calls.push_back(L"end session " + std::to_wstring(bEnding));
}

BEGIN_MESSAGE_MAP(DerivedProbeDlg, ProbeDlg)
    ON_BN_CLICKED(IDC_CLICK, &DerivedProbeDlg::OnBnClickedClickAgain)
END_MESSAGE_MAP()

void DerivedProbeDlg::OnBnClickedClickAgain()
{
    calls.push_back(L"derived click");
}
