#include "RegionDlg.h"

#include <cstdlib>

namespace {

// The whole window, frame and caption included, is never smaller than this.
constexpr int kMinTrackWidth = 320;
constexpr int kMinTrackHeight = 180;
// Every pure white pixel of the window is see-through.
constexpr COLORREF kSeeThroughKey = RGB(255, 255, 255);

} // namespace

IMPLEMENT_DYNAMIC(RegionDlg, CDialogEx)

BEGIN_MESSAGE_MAP(RegionDlg, CDialogEx)
    ON_WM_PAINT()
    ON_WM_SIZE()
    ON_WM_MOVE()
    ON_WM_GETMINMAXINFO()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

RegionDlg::RegionDlg()
    : CDialogEx(IDD_REGION),
      m_hIconSmall(LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_SMALL_ICON))),
      m_hIconLarge(LoadIconW(AfxGetResourceHandle(), MAKEINTRESOURCEW(IDI_LARGE_ICON)))
{
}

RegionDlg::~RegionDlg() = default;

BOOL RegionDlg::OnInitDialog()
{
    CDialogEx::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIconLarge));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIconSmall));
    // The frame and the caption stay opaque; the white client area disappears.
    SetLayeredWindowAttributes(m_hWnd, kSeeThroughKey, 0, LWA_COLORKEY);
    return TRUE;
}

void RegionDlg::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(client);
    dc.FillSolidRect(client, kSeeThroughKey);
}

void RegionDlg::TakeRegionFromClientArea()
{
    GetClientRect(m_rcRegion);
    ClientToScreen(m_rcRegion);
    if (m_rcRegion.Width() % 2 != 0)
        --m_rcRegion.right;
    if (m_rcRegion.Height() % 2 != 0)
        --m_rcRegion.bottom;
}

void RegionDlg::OnSize(UINT, int, int)
{
    Default();
    TakeRegionFromClientArea();
    CString caption;
    caption.Format(L"Glintcast录制区域 - 分辨率: %d x %d", m_rcRegion.Width(), m_rcRegion.Height());
    SetWindowText(caption);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void RegionDlg::OnMove(int, int)
{
    TakeRegionFromClientArea();
}

void RegionDlg::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    lpMMI->ptMinTrackSize.x = kMinTrackWidth;
    lpMMI->ptMinTrackSize.y = kMinTrackHeight;
}

void RegionDlg::OnLButtonUp(UINT, CPoint)
{
}

void RegionDlg::SetClientSize(int cx, int cy)
{
    CRect window;
    CRect client;
    GetWindowRect(window);
    GetClientRect(client);
    const int extraWidth = std::abs(window.Width() - client.Width());
    const int extraHeight = std::abs(window.Height() - client.Height());
    MoveWindow(0, 0, extraWidth + cx, extraHeight + cy, FALSE);
}
