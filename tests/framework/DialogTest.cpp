// Dialogs: how modal and modeless ones end, what owns them, and the initial data
// that their templates give their lists.
#include "DialogDriver.h"
#include "ProbeDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

bool FrameworkPreTranslate(MSG& msg)
{
    return AfxPreTranslateMessage(&msg) != FALSE;
}

TEST(ModelessDialogTest, EndingItHidesTheWindowAndKeepsIt)
{
    ProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PROBE));
    HWND window = dlg.m_hWnd;
    ASSERT_TRUE(dlg.IsWindowVisible());
    dlg.EndDialog(5);
    EXPECT_TRUE(IsWindow(window));
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_EQ(dlg.m_hWnd, window);
    EXPECT_EQ(CWnd::FromHandlePermanent(window), &dlg);
}

TEST(ModelessDialogTest, EnterAndEscReachOnOkAndOnCancelThroughTheMessagePump)
{
    const struct
    {
        UINT key;
        const wchar_t* handler;
    } cases[] = {{VK_RETURN, L"OnOK"}, {VK_ESCAPE, L"OnCancel"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "key " << c.key);
        ProbeDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_PROBE));
        HWND field = ::GetDlgItem(dlg.m_hWnd, IDC_FIELD);
        ::PostMessageW(field, WM_KEYDOWN, c.key, 1);
        EXPECT_TRUE(PumpUntil([&] { return !dlg.IsWindowVisible(); }, std::chrono::seconds(5),
                              FrameworkPreTranslate));
        EXPECT_EQ(dlg.calls, (std::vector<std::wstring>{L"init", c.handler}));
        EXPECT_TRUE(IsWindow(dlg.m_hWnd));
    }
}

TEST(ModelessDialogTest, CreatingAgainReplacesTheHiddenWindow)
{
    ProbeDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_PROBE));
    HWND first = dlg.m_hWnd;
    dlg.EndDialog(IDCANCEL);
    ASSERT_TRUE(dlg.Create(IDD_PROBE));
    EXPECT_FALSE(IsWindow(first));
    EXPECT_NE(dlg.m_hWnd, first);
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_EQ(dlg.calls, (std::vector<std::wstring>{L"init", L"init"}));
}

struct EndingCase
{
    const char* how;
    std::function<void(const DialogWindow&)> act;
    INT_PTR result;
    std::vector<std::wstring> calls;
};

TEST(ModalDialogTest, EndsWithTheValueOfTheWayTheUserClosedIt)
{
    const EndingCase cases[] = {
        {"Enter", [](const DialogWindow& d) { d.PressEnter(); }, IDOK, {L"init", L"OnOK"}},
        {"Esc", [](const DialogWindow& d) { d.PressEscape(); }, IDCANCEL, {L"init", L"OnCancel"}},
        {"close box", [](const DialogWindow& d) { d.Close(); }, IDCANCEL,
         {L"init", L"syscommand 61536 0", L"close", L"OnCancel"}},
        {"a handler's EndDialog", [](const DialogWindow& d) { d.Click(IDC_END_SEVEN); }, 7, {L"init"}},
    };
    for (const EndingCase& c : cases) {
        SCOPED_TRACE(c.how);
        ProbeDlg dlg;
        const ModalRun run = RunModal(L"Probe", [&] { return dlg.DoModal(); }, c.act);
        EXPECT_TRUE(run.appeared);
        EXPECT_FALSE(run.leftOpen);
        EXPECT_EQ(run.result, c.result);
        EXPECT_EQ(dlg.calls, c.calls);
        EXPECT_EQ(dlg.m_hWnd, nullptr) << "the window goes with the modal run";
    }
}

TEST(ModalDialogTest, DialogThatEndsWhileItOpensIsNeverShown)
{
    const struct
    {
        const char* how;
        std::function<void(ProbeDlg&)> onInit;
        INT_PTR result;
    } cases[] = {
        {"EndDialog", [](ProbeDlg& d) { d.EndDialog(9); }, 9},
        {"DestroyWindow", [](ProbeDlg& d) { d.DestroyWindow(); }, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        ProbeDlg dlg;
        dlg.onInit = c.onInit;
        const ModalRun run = RunModal(L"Probe", [&] { return dlg.DoModal(); }, [](const DialogWindow&) {},
                                      std::chrono::seconds(2));
        EXPECT_FALSE(run.appeared);
        EXPECT_EQ(run.result, c.result);
    }
}

TEST(ModalDialogTest, ModalLoopKeepsDispatchingTheOtherWindowsMessages)
{
    ProbeDlg main;
    ASSERT_TRUE(main.Create(IDD_PROBE));
    main.calls.clear();
    main.SetTimer(5, 20, nullptr);
    ProbeDlg modal(IDD_EMPTY);
    const ModalRun run = RunModal(L"Empty", [&] { return modal.DoModal(); }, [&](const DialogWindow& d) {
        // Three ticks of the other window while this one is modal, however long
        // a loaded machine takes for them.
        for (int i = 0; i < 2000 && main.timerCalls < 3; ++i)
            Sleep(5);
        d.PressEscape();
    });
    main.KillTimer(5);
    EXPECT_TRUE(run.appeared);
    EXPECT_GE(std::count(main.calls.begin(), main.calls.end(), L"timer 5"), 3);
}

TEST(ModalDialogTest, MissingTemplateGivesMinusOne)
{
    CDialogEx dlg(4242);
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_FALSE(dlg.Create(4242));
}

TEST(DialogOwnerTest, TheMainWindowOwnsDialogsMadeWithoutAParent)
{
    CWinApp app;
    ProbeDlg main;
    ASSERT_TRUE(main.Create(IDD_PROBE));
    app.m_pMainWnd = &main;

    HWND modalOwner = nullptr;
    BOOL mainEnabledMeanwhile = TRUE;
    ProbeDlg modal(IDD_EMPTY);
    const ModalRun run = RunModal(L"Empty", [&] { return modal.DoModal(); }, [&](const DialogWindow& d) {
        modalOwner = GetWindow(d.Handle(), GW_OWNER);
        mainEnabledMeanwhile = IsWindowEnabled(main.m_hWnd);
        d.PressEscape();
    });
    EXPECT_TRUE(run.appeared);
    EXPECT_EQ(run.result, IDCANCEL);
    EXPECT_EQ(modalOwner, main.m_hWnd);
    EXPECT_FALSE(mainEnabledMeanwhile);
    EXPECT_TRUE(IsWindowEnabled(main.m_hWnd));

    ProbeDlg modeless(IDD_EMPTY);
    ASSERT_TRUE(modeless.Create(IDD_EMPTY));
    EXPECT_EQ(GetWindow(modeless.m_hWnd, GW_OWNER), main.m_hWnd);
    ProbeDlg ownedByTheOther(IDD_EMPTY);
    ASSERT_TRUE(ownedByTheOther.Create(IDD_EMPTY, &modeless));
    EXPECT_EQ(GetWindow(ownedByTheOther.m_hWnd, GW_OWNER), modeless.m_hWnd);

    // Destroying the main window leaves the application without one.
    main.DestroyWindow();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
}

TEST(DialogInitTest, BaseInitDialogFillsTheListsFromTheTemplate)
{
    const struct
    {
        bool callBase;
        std::vector<std::wstring> items;
    } cases[] = {{true, {L"30", L"50", L"120"}}, {false, {}}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.callBase ? "with the base" : "without the base");
        ProbeDlg dlg;
        dlg.callBaseInit = c.callBase;
        ASSERT_TRUE(dlg.Create(IDD_PROBE));
        EXPECT_EQ(DialogWindow(dlg.m_hWnd).Items(IDC_RATES), c.items);
    }
}

} // namespace
