// The region overlay: its rectangle and caption follow the client area, trimmed
// to even sizes; it keeps a minimum size; SetClientSize places it at the origin;
// Esc, Enter and the close box hide it.
#include "DialogDriver.h"
#include "GeometryPrinters.h"
#include "RegionDlg.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

bool FrameworkPreTranslate(MSG& msg)
{
    return AfxPreTranslateMessage(&msg) != FALSE;
}

CRect ClientOnScreen(const CWnd& wnd)
{
    CRect rect;
    wnd.GetClientRect(rect);
    wnd.ClientToScreen(rect);
    return rect;
}

std::wstring Caption(const CWnd& wnd)
{
    CString caption;
    wnd.GetWindowText(caption);
    return caption.GetString();
}

// Sizes the window so that its client area is cx x cy, where it stands.
void SetClientArea(CWnd& wnd, int cx, int cy)
{
    CRect window, client;
    wnd.GetWindowRect(window);
    wnd.GetClientRect(client);
    wnd.SetWindowPos(nullptr, 0, 0, window.Width() - client.Width() + cx, window.Height() - client.Height() + cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class RegionDlgTest : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(overlay.Create(IDD_REGION));
        overlay.ShowWindow(SW_SHOW);
    }

    RegionDlg overlay;
};

TEST(RegionDlgWithoutWindowTest, HasAnEmptyRegionAndCountsAsHidden)
{
    RegionDlg overlay;
    EXPECT_TRUE(overlay.m_rcRegion.IsRectNull());
    EXPECT_FALSE(overlay.IsWindowVisible());
    EXPECT_NE(overlay.m_hIconSmall, nullptr);
    EXPECT_NE(overlay.m_hIconLarge, nullptr);
    EXPECT_STREQ(overlay.GetRuntimeClass()->m_lpszClassName, "RegionDlg");
}

TEST_F(RegionDlgTest, OpensSeeThroughTopmostWithItsIcons)
{
    COLORREF key = 0;
    BYTE alpha = 1;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(overlay.m_hWnd, &key, &alpha, &flags));
    EXPECT_EQ(key, RGB(255, 255, 255));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_COLORKEY));
    EXPECT_TRUE(overlay.GetExStyle() & WS_EX_TOPMOST);
    EXPECT_TRUE(overlay.GetStyle() & WS_THICKFRAME);
    EXPECT_EQ(overlay.SendMessage(WM_GETICON, ICON_BIG), reinterpret_cast<LRESULT>(overlay.m_hIconLarge));
    EXPECT_EQ(overlay.SendMessage(WM_GETICON, ICON_SMALL), reinterpret_cast<LRESULT>(overlay.m_hIconSmall));
}

TEST_F(RegionDlgTest, RegionIsTheClientAreaTrimmedToAnEvenSize)
{
    const struct
    {
        int cx, cy;
        int width, height;
        const wchar_t* caption;
    } cases[] = {
        {801, 451, 800, 450, L"Glintcast录制区域 - 分辨率: 800 x 450"},
        {800, 450, 800, 450, L"Glintcast录制区域 - 分辨率: 800 x 450"},
        {641, 360, 640, 360, L"Glintcast录制区域 - 分辨率: 640 x 360"},
        {640, 361, 640, 360, L"Glintcast录制区域 - 分辨率: 640 x 360"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.cx << " x " << c.cy);
        SetClientArea(overlay, c.cx, c.cy);
        const CRect client = ClientOnScreen(overlay);
        ASSERT_EQ(client.Width(), c.cx);
        ASSERT_EQ(client.Height(), c.cy);
        EXPECT_EQ(overlay.m_rcRegion, CRect(client.left, client.top, client.left + c.width, client.top + c.height));
        EXPECT_EQ(Caption(overlay), c.caption);
    }
}

TEST_F(RegionDlgTest, MovingShiftsTheRegionAndLeavesSizeAndCaption)
{
    SetClientArea(overlay, 801, 451);
    const CRect before = overlay.m_rcRegion;
    overlay.SetWindowText(L"标题不变");
    CRect window;
    overlay.GetWindowRect(window);
    overlay.SetWindowPos(nullptr, window.left + 37, window.top + 21, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect expected = before;
    expected.OffsetRect(37, 21);
    EXPECT_EQ(overlay.m_rcRegion, expected);
    EXPECT_EQ(overlay.m_rcRegion.TopLeft(), ClientOnScreen(overlay).TopLeft());
    EXPECT_EQ(Caption(overlay), L"标题不变");
}

TEST_F(RegionDlgTest, SetClientSizeGivesThatClientAreaWithTheWindowAtTheOrigin)
{
    const struct
    {
        int cx, cy;
        const wchar_t* caption;
    } cases[] = {
        {1280, 720, L"Glintcast录制区域 - 分辨率: 1280 x 720"},
        {854, 480, L"Glintcast录制区域 - 分辨率: 854 x 480"},
        {1024, 768, L"Glintcast录制区域 - 分辨率: 1024 x 768"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.caption);
        overlay.SetClientSize(c.cx, c.cy);
        CRect window;
        overlay.GetWindowRect(window);
        EXPECT_EQ(window.TopLeft(), CPoint(0, 0));
        const CRect client = ClientOnScreen(overlay);
        EXPECT_EQ(client.Size(), CSize(c.cx, c.cy));
        EXPECT_EQ(overlay.m_rcRegion, client);
        EXPECT_GT(overlay.m_rcRegion.left, 0) << "the region starts inside the frame";
        EXPECT_GT(overlay.m_rcRegion.top, 0) << "the region starts below the caption";
        EXPECT_EQ(Caption(overlay), c.caption);
    }
}

TEST_F(RegionDlgTest, WindowIsNeverSmallerThanItsMinimumTrackSize)
{
    MINMAXINFO info = {};
    info.ptMaxTrackSize = {4321, 1234};
    overlay.SendMessage(WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&info));
    EXPECT_EQ(info.ptMinTrackSize.x, 320);
    EXPECT_EQ(info.ptMinTrackSize.y, 180);
    EXPECT_EQ(info.ptMaxTrackSize.x, 4321) << "other fields stay as the system filled them";

    overlay.SetWindowPos(nullptr, 0, 0, 100, 60, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    CRect window;
    overlay.GetWindowRect(window);
    EXPECT_EQ(window.Size(), CSize(320, 180));
    const CRect client = ClientOnScreen(overlay);
    EXPECT_LT(client.Width(), 320);
    EXPECT_LT(client.Height(), 180);
    EXPECT_EQ(overlay.m_rcRegion.Width() % 2, 0);
    EXPECT_EQ(overlay.m_rcRegion.Height() % 2, 0);
}

TEST(RegionDlgEndingTest, EscEnterAndTheCloseBoxHideTheOverlayAndKeepItsWindow)
{
    const struct
    {
        const char* how;
        std::function<void(HWND)> act;
    } cases[] = {
        {"Esc", [](HWND w) { PostMessageW(w, WM_KEYDOWN, VK_ESCAPE, 1); }},
        {"Enter", [](HWND w) { PostMessageW(w, WM_KEYDOWN, VK_RETURN, 1); }},
        {"close box", [](HWND w) { PostMessageW(w, WM_SYSCOMMAND, SC_CLOSE, 0); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        RegionDlg overlay;
        ASSERT_TRUE(overlay.Create(IDD_REGION));
        overlay.ShowWindow(SW_SHOW);
        c.act(overlay.m_hWnd);
        EXPECT_TRUE(PumpUntil([&] { return !overlay.IsWindowVisible(); }, std::chrono::seconds(5),
                              FrameworkPreTranslate));
        EXPECT_TRUE(IsWindow(overlay.m_hWnd));
    }
}

} // namespace
