// The base handlers that a map's handler calls to get the window's own
// processing of its message.
#include "DialogDriver.h"
#include "ProbeDlg.h"

#include <gtest/gtest.h>

namespace {

bool FrameworkPreTranslate(MSG& msg)
{
    return AfxPreTranslateMessage(&msg) != FALSE;
}

TEST(BaseHandlerTest, CloseCommandBecomesCloseAndThenCancel)
{
    // ProbeDlg's OnSysCommand and OnClose record the call and then call the base.
    ProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PROBE));
    dlg.calls.clear();
    dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    EXPECT_TRUE(PumpUntil([&] { return !dlg.IsWindowVisible(); }, std::chrono::seconds(5), FrameworkPreTranslate));
    EXPECT_EQ(dlg.calls, (std::vector<std::wstring>{L"syscommand 61536 0", L"close", L"OnCancel"}));
}

TEST(BaseHandlerTest, CloseCommandEndsAModalDialogWithCancel)
{
    ProbeDlg dlg;
    const ModalRun run = RunModal(L"Probe", [&] { return dlg.DoModal(); },
                                  [](const DialogWindow& d) { PostMessageW(d.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); });
    EXPECT_TRUE(run.appeared);
    EXPECT_FALSE(run.leftOpen);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(dlg.calls, (std::vector<std::wstring>{L"init", L"syscommand 61536 0", L"close", L"OnCancel"}));
}

// Paints nothing of its own: its handler hands the message to the base.
class PaintingDlg : public CDialogEx
{
public:
    PaintingDlg() : CDialogEx(IDD_PROBE) {}
    int paints = 0;

protected:
    afx_msg void OnPaint()
    {
        ++paints;
        CDialogEx::OnPaint();
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(PaintingDlg, CDialogEx)
    ON_WM_PAINT()
END_MESSAGE_MAP()

TEST(BaseHandlerTest, PaintThroughTheBaseValidatesTheWindow)
{
    PaintingDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PROBE));
    dlg.UpdateWindow();
    dlg.paints = 0;
    dlg.Invalidate();
    ASSERT_TRUE(GetUpdateRect(dlg.m_hWnd, nullptr, FALSE));
    dlg.UpdateWindow();
    EXPECT_EQ(dlg.paints, 1);
    EXPECT_FALSE(GetUpdateRect(dlg.m_hWnd, nullptr, FALSE)) << "the window's own painting validated it";
}

} // namespace
