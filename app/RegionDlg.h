#pragma once

#include "Framework.h"
#include "resource.h"

// The region overlay: a topmost, resizable frame whose client area is
// see-through. m_rcRegion follows the client area in screen coordinates, trimmed
// to an even width and height, and the caption shows its size. Ending it as a
// dialog (Esc, Enter, the close box) hides the window.
class RegionDlg : public CDialogEx
{
    DECLARE_DYNAMIC(RegionDlg)

public:
    RegionDlg();
    ~RegionDlg() override;

    enum { IDD = IDD_REGION };

    // Gives the overlay a client area of exactly cx x cy pixels with its window's
    // outer top-left corner at the screen origin.
    void SetClientSize(int cx, int cy);

    HICON m_hIconSmall;
    HICON m_hIconLarge;
    CRect m_rcRegion;

protected:
    BOOL OnInitDialog() override;
    afx_msg void OnPaint();
    afx_msg void OnSize(UINT nType, int cx, int cy);
    afx_msg void OnMove(int x, int y);
    afx_msg void OnGetMinMaxInfo(MINMAXINFO* lpMMI);
    afx_msg void OnLButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    // m_rcRegion from the client area, its right and bottom edges pulled in by a
    // pixel where the width or the height is odd.
    void TakeRegionFromClientArea();
};
