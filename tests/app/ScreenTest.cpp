// What the dialogs show on the screen: the overlay's see-through client area, and
// where the keyboard focus starts in the small dialogs.
#include "DialogDriver.h"
#include "RegionDlg.h"
#include "SetResolutionDlg.h"
#include "SetTimeDlg.h"

#include <gtest/gtest.h>

namespace {

// A plain red window to look through the overlay at.
class Backdrop
{
public:
    Backdrop(int x, int y, int cx, int cy)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hbrBackground = CreateSolidBrush(RGB(255, 0, 0));
        wc.lpszClassName = L"GlintcastTestBackdrop";
        RegisterClassW(&wc);
        m_window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, x, y, cx, cy, nullptr, nullptr,
                                   wc.hInstance, nullptr);
        UpdateWindow(m_window);
    }
    ~Backdrop() { DestroyWindow(m_window); }

private:
    HWND m_window;
};

COLORREF ScreenPixel(POINT at)
{
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

TEST(RegionDlgScreenTest, ClientAreaIsWhiteAndSeeThroughWhileTheFrameShows)
{
    Backdrop backdrop(100, 100, 700, 500);
    RegionDlg overlay;
    ASSERT_TRUE(overlay.Create(IDD_REGION));
    overlay.ShowWindow(SW_SHOW);
    overlay.SetWindowPos(nullptr, 200, 200, 400, 300, SWP_NOZORDER);
    overlay.UpdateWindow();
    PumpUntil([] { return false; }, std::chrono::milliseconds(300));

    CRect client;
    overlay.GetClientRect(client);
    HDC dc = GetDC(overlay);
    const COLORREF painted = GetPixel(dc, client.Width() / 2, client.Height() / 2);
    ReleaseDC(overlay, dc);
    EXPECT_EQ(painted, RGB(255, 255, 255)) << "the overlay paints its client area white";

    const CPoint centre = overlay.m_rcRegion.CenterPoint();
    EXPECT_EQ(ScreenPixel(centre), RGB(255, 0, 0)) << "the window behind shows through";
    CRect window;
    overlay.GetWindowRect(window);
    const CPoint onCaption(centre.x, (window.top + overlay.m_rcRegion.top) / 2);
    EXPECT_NE(ScreenPixel(onCaption), RGB(255, 0, 0)) << "the caption is opaque";
}

TEST(DialogFocusTest, FocusStartsOnOkAndTabCannotReachThePresetList)
{
    HWND focusAtStart = nullptr, focusAfterTab = nullptr, ok = nullptr;
    SetResolutionDlg dlg;
    const ModalRun run = RunModal(L"选择预设分辨率", [&] { return dlg.DoModal(); }, [&](const DialogWindow& d) {
        ok = d.Control(IDOK);
        focusAtStart = d.Focus();
        d.PressKey(VK_TAB);
        Sleep(500);
        focusAfterTab = d.Focus();
        d.PressEnter();
    });
    EXPECT_EQ(focusAtStart, ok);
    EXPECT_EQ(focusAfterTab, ok);
    EXPECT_EQ(run.result, 3);
}

TEST(DialogFocusTest, FocusStartsOnOkOfTheTimeDialogAndTabMovesToTheEntry)
{
    HWND focusAtStart = nullptr, focusAfterTab = nullptr;
    HWND ok = nullptr, entry = nullptr;
    SetTimeDlg dlg;
    const ModalRun run = RunModal(L"设置时间", [&] { return dlg.DoModal(); }, [&](const DialogWindow& d) {
        ok = d.Control(IDOK);
        entry = d.Control(IDC_TIME_EDIT);
        focusAtStart = d.Focus();
        d.PressKey(VK_TAB);
        for (int i = 0; i < 200 && d.Focus() != entry; ++i)
            Sleep(10);
        focusAfterTab = d.Focus();
        d.PressEscape();
    });
    EXPECT_EQ(focusAtStart, ok);
    EXPECT_EQ(focusAfterTab, entry);
    EXPECT_EQ(run.result, IDCANCEL);
}

} // namespace
