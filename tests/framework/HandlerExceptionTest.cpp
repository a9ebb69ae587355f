// An exception that leaves a message handler: the framework's dispatch reports
// it in a message box, deletes it, and the window goes on working.
#include "MessageBoxWatcher.h"
#include "SysAllocFailure.h"

#include "Framework.h"
#include "FrameworkTestResources.h"

#include <gtest/gtest.h>

#include <functional>
#include <new>
#include <string>

namespace {

constexpr UINT kRaise = WM_APP + 10;
constexpr UINT kEcho = WM_APP + 11;
constexpr int kIconId = 0x440;  // the message box's icon

// An exception of a test's own, which counts how often it is deleted.
class CountedException : public CException
{
public:
    explicit CountedException(int* deletions) : m_deletions(deletions) {}
    ~CountedException() override { ++*m_deletions; }
    BOOL GetErrorMessage(LPWSTR lpszError, UINT nMaxError, PUINT) const override
    {
        wcsncpy(lpszError, L"自定义的错误", nMaxError);
        return TRUE;
    }

private:
    int* m_deletions;
};

// A dialog whose kRaise handler runs what the test gives it, and whose kEcho
// handler shows that the window still works.
class RaisingDlg : public CDialogEx
{
public:
    RaisingDlg() : CDialogEx(IDD_EMPTY) {}
    std::function<void()> raise;
    int handled = 0;

protected:
    afx_msg LRESULT OnRaise(WPARAM, LPARAM)
    {
        raise();
        return 77;  // never reached
    }
    afx_msg LRESULT OnEcho(WPARAM wParam, LPARAM)
    {
        ++handled;
        return static_cast<LRESULT>(wParam) + 1;
    }

    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(RaisingDlg, CDialogEx)
    ON_MESSAGE(kRaise, &RaisingDlg::OnRaise)
    ON_MESSAGE(kEcho, &RaisingDlg::OnEcho)
END_MESSAGE_MAP()

std::wstring ProgramName()
{
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name = path;
    name = name.substr(name.find_last_of(L'\\') + 1);
    return name.substr(0, name.find_last_of(L'.'));
}

struct RaiseCase
{
    const char* what;
    std::function<void()> raise;
};

TEST(HandlerExceptionTest, MemoryExceptionIsReportedAndTheWindowGoesOn)
{
    const RaiseCase cases[] = {
        {"AfxThrowMemoryException", [] { AfxThrowMemoryException(); }},
        {"a system string that cannot be allocated",
         [] {
             SysAllocFailure failure;
             BSTR copy = CString(L"ffmpeg -i x").AllocSysString();
             SysFreeString(copy);  // not reached
         }},
        {"the standard library's bad_alloc", [] { throw std::bad_alloc(); }},
    };
    for (const RaiseCase& c : cases) {
        SCOPED_TRACE(c.what);
        HICON shownIcon = nullptr;
        MessageBoxWatcher watcher([&](const MessageBoxRecord& box) {
            shownIcon = reinterpret_cast<HICON>(SendDlgItemMessageW(box.window, kIconId, STM_GETICON, 0, 0));
            return IDOK;
        });
        RaisingDlg dlg;
        ASSERT_TRUE(dlg.Create(IDD_EMPTY));
        dlg.raise = c.raise;

        EXPECT_EQ(dlg.SendMessage(kRaise), 0) << "the message counts as handled";

        const auto boxes = watcher.Boxes();
        ASSERT_EQ(boxes.size(), 1u);
        EXPECT_EQ(boxes[0].text, L"内存不足，操作没有完成。");
        EXPECT_EQ(boxes[0].caption, ProgramName());
        EXPECT_EQ(boxes[0].buttons, std::vector<int>{IDOK});
        EXPECT_EQ(shownIcon, LoadIconW(nullptr, IDI_EXCLAMATION));
        // Sent and posted messages still reach their handlers.
        EXPECT_EQ(dlg.SendMessage(kEcho, 41), 42);
        dlg.PostMessage(kEcho, 1);
        MSG msg;
        while (dlg.handled < 2 && GetMessageW(&msg, nullptr, 0, 0))
            DispatchMessageW(&msg);
        EXPECT_EQ(dlg.handled, 2);
    }
}

TEST(HandlerExceptionTest, FrameworkExceptionShowsItsOwnMessageAndIsDeletedOnce)
{
    MessageBoxWatcher watcher;
    int deletions = 0;
    RaisingDlg dlg;
    ASSERT_TRUE(dlg.Create(IDD_EMPTY));
    dlg.raise = [&] { throw new CountedException(&deletions); };

    dlg.SendMessage(kRaise);
    dlg.SendMessage(kRaise);

    EXPECT_EQ(deletions, 2);
    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].text, L"自定义的错误");
    EXPECT_EQ(dlg.SendMessage(kEcho, 1), 2);
}

} // namespace
