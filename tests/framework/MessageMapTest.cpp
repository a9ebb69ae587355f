// Message maps: dispatch to the handlers a class names, inheritance of its base's
// map, default processing, run-time class names, and owner-draw reflection.
#include "ProbeDlg.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

HWND Item(const CWnd& dlg, int id)
{
    return ::GetDlgItem(dlg.m_hWnd, id);
}

struct DispatchCase
{
    const char* what;
    UINT message;
    WPARAM wParam;
    int fromControl;  // lParam is this control's window (0: lParam below)
    LPARAM lParam;
    const wchar_t* call;  // the handler's record, or null when none runs
    LRESULT result;
};

TEST(MessageMapTest, EachEntryCallsItsHandlerWithTheMessagesArguments)
{
    const DispatchCase cases[] = {
        {"own message", ProbeDlg::kProbeMessage, 2, 0, 3, L"probe", 5},
        {"button click", WM_COMMAND, MAKEWPARAM(IDC_CLICK, BN_CLICKED), IDC_CLICK, 0, L"click", 1},
        {"combo pick", WM_COMMAND, MAKEWPARAM(IDC_RATES, CBN_SELCHANGE), IDC_RATES, 0, L"selchange", 1},
        {"menu command", WM_COMMAND, MAKEWPARAM(ProbeDlg::kMenuCommand, 0), 0, 0, L"command", 1},
        {"accelerator command", WM_COMMAND, MAKEWPARAM(ProbeDlg::kMenuCommand, 1), 0, 0, L"command", 1},
        {"other code of a mapped control", WM_COMMAND, MAKEWPARAM(IDC_CLICK, BN_DOUBLECLICKED), IDC_CLICK, 0,
         nullptr, 0},
        {"unmapped control", WM_COMMAND, MAKEWPARAM(IDC_FIELD, EN_CHANGE), IDC_FIELD, 0, nullptr, 0},
        {"timer", WM_TIMER, 7, 0, 0, L"timer 7", 0},
        {"hotkey", WM_HOTKEY, 1, 0, MAKELPARAM(MOD_CONTROL, VK_F10), L"hotkey 1 2 121", 0},
        {"system command of the program's own", WM_SYSCOMMAND, 0x0010, 0, 5, L"syscommand 16 5", 0},
        {"drag icon", WM_QUERYDRAGICON, 0, 0, 0, L"drag icon",
         reinterpret_cast<LRESULT>(LoadCursorW(nullptr, IDC_HAND))},
        {"mouse button up", WM_LBUTTONUP, MK_SHIFT, 0, MAKELPARAM(-3, 40), L"button up 4 -3,40", 0},
        {"session ends", WM_ENDSESSION, TRUE, 0, ENDSESSION_LOGOFF, L"end session 1", 0},
        {"session goes on", WM_ENDSESSION, FALSE, 0, 0, L"end session 0", 0},
    };
    ProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PROBE));
    for (const DispatchCase& c : cases) {
        SCOPED_TRACE(c.what);
        dlg.calls.clear();
        const LPARAM lParam = c.fromControl ? reinterpret_cast<LPARAM>(Item(dlg, c.fromControl)) : c.lParam;
        const LRESULT result = dlg.SendMessage(c.message, c.wParam, lParam);
        if (c.call) {
            EXPECT_EQ(dlg.calls, std::vector<std::wstring>{c.call});
            EXPECT_EQ(result, c.result);
        } else {
            EXPECT_TRUE(dlg.calls.empty());
        }
    }
}

TEST(MessageMapTest, NotificationsMatchTheirCodeAndControl)
{
    ProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PROBE));
    dlg.calls.clear();
    NMHDR header = {Item(dlg, IDC_FIELD), IDC_FIELD, ProbeDlg::kProbeNotification};
    EXPECT_EQ(dlg.SendMessage(WM_NOTIFY, IDC_FIELD, reinterpret_cast<LPARAM>(&header)), 42);
    EXPECT_EQ(dlg.calls, std::vector<std::wstring>{L"notify"});

    dlg.calls.clear();
    NMHDR otherControl = {Item(dlg, IDC_CLICK), IDC_CLICK, ProbeDlg::kProbeNotification};
    NMHDR otherCode = {Item(dlg, IDC_FIELD), IDC_FIELD, NM_CLICK};
    dlg.SendMessage(WM_NOTIFY, IDC_CLICK, reinterpret_cast<LPARAM>(&otherControl));
    dlg.SendMessage(WM_NOTIFY, IDC_FIELD, reinterpret_cast<LPARAM>(&otherCode));
    EXPECT_TRUE(dlg.calls.empty());
}

TEST(MessageMapTest, DerivedMapReplacesOneEntryAndInheritsTheRest)
{
    DerivedProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PROBE));
    dlg.SendMessage(WM_COMMAND, MAKEWPARAM(IDC_CLICK, BN_CLICKED), reinterpret_cast<LPARAM>(Item(dlg, IDC_CLICK)));
    dlg.SendMessage(WM_TIMER, 3);
    EXPECT_EQ(dlg.calls, (std::vector<std::wstring>{L"init", L"derived click", L"timer 3"}));
}

TEST(MessageMapTest, UnmappedMessagesAndDefaultReachTheWindowsOwnProcedure)
{
    ProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PROBE));
    // The dialog manager answers what no map names.
    EXPECT_EQ(dlg.SendMessage(DM_GETDEFID), MAKELRESULT(IDOK, DC_HASDEFID));
    // The handler's Default() hands the same message on: the text is set.
    dlg.calls.clear();
    dlg.SetWindowText(L"新标题");
    EXPECT_EQ(dlg.calls, std::vector<std::wstring>{L"text 新标题"});
}

TEST(MessageMapTest, RunTimeClassesHaveReadableNamesAndTheirBases)
{
    ProbeDlg probe;
    DerivedProbeDlg derived;
    EXPECT_STREQ(probe.GetRuntimeClass()->m_lpszClassName, "ProbeDlg");
    EXPECT_TRUE(probe.IsKindOf(RUNTIME_CLASS(CDialogEx)));
    EXPECT_TRUE(probe.IsKindOf(RUNTIME_CLASS(CWnd)));
    EXPECT_FALSE(probe.IsKindOf(RUNTIME_CLASS(CButton)));
    // A class without its own declaration answers with its base's.
    EXPECT_EQ(derived.GetRuntimeClass(), RUNTIME_CLASS(ProbeDlg));
    EXPECT_STREQ(RUNTIME_CLASS(CMFCVisualManagerWindows)->m_pBaseClass->m_lpszClassName, "CMFCVisualManager");
}

// An owner-drawn button that records what it was asked to draw.
class RecordingButton : public CButton
{
public:
    std::vector<DRAWITEMSTRUCT> draws;
    HWND windowAtPreSubclass = nullptr;
    bool ownProcedureAtPreSubclass = false;

protected:
    void PreSubclassWindow() override
    {
        windowAtPreSubclass = m_hWnd;
        ownProcedureAtPreSubclass =
            reinterpret_cast<WNDPROC>(GetWindowLongPtrW(m_hWnd, GWLP_WNDPROC)) == AfxWndProc;
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override { draws.push_back(*lpDrawItemStruct); }
};

TEST(MessageMapTest, ParentHandsAnOwnerDrawnControlsDrawingBackToIt)
{
    ProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PROBE));
    RecordingButton button;
    ASSERT_TRUE(button.SubclassDlgItem(IDC_DRAWN, &dlg));
    EXPECT_EQ(button.windowAtPreSubclass, Item(dlg, IDC_DRAWN));
    EXPECT_FALSE(button.ownProcedureAtPreSubclass) << "PreSubclassWindow runs before the framework takes over";

    button.draws.clear();
    button.Invalidate();
    button.UpdateWindow();
    ASSERT_EQ(button.draws.size(), 1u);
    EXPECT_EQ(button.draws[0].hwndItem, button.m_hWnd);
    EXPECT_EQ(button.draws[0].CtlID, static_cast<UINT>(IDC_DRAWN));
    EXPECT_NE(button.draws[0].hDC, nullptr);
    EXPECT_FALSE(button.draws[0].itemState & ODS_SELECTED);

    button.SendMessage(BM_SETSTATE, TRUE);
    button.UpdateWindow();
    ASSERT_GE(button.draws.size(), 2u);
    EXPECT_TRUE(button.draws.back().itemState & ODS_SELECTED);

    // A drawn control that no object took over is left to the default processing.
    const size_t before = button.draws.size();
    ::InvalidateRect(Item(dlg, IDC_DRAWN_ALONE), nullptr, TRUE);
    ::UpdateWindow(Item(dlg, IDC_DRAWN_ALONE));
    EXPECT_EQ(button.draws.size(), before);
}

TEST(MessageMapTest, SubclassedControlIsReleasedWhenItsWindowGoes)
{
    ProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PROBE));
    RecordingButton button;
    ASSERT_TRUE(button.SubclassDlgItem(IDC_DRAWN, &dlg));
    HWND control = button.m_hWnd;
    dlg.DestroyWindow();
    EXPECT_EQ(button.m_hWnd, nullptr);
    EXPECT_EQ(dlg.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(control), nullptr);
}

} // namespace
