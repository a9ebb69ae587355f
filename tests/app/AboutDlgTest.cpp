// The about box: how it closes, that it has neither button nor tab stop, and
// that its links open their targets while it stays open.
#include "AboutDlg.h"
#include "DialogDriver.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace {

const std::wstring kCaption = L"关于 Glintcast（V4.0）";

INT_PTR ShowAbout(CAboutDlg& dlg)
{
    dlg.SetBackgroundColor(RGB(255, 255, 255), TRUE);
    return dlg.DoModal();
}

TEST(AboutDlgTest, ClosesAsTheUserClosesIt)
{
    const struct
    {
        const char* how;
        std::function<void(const DialogWindow&)> act;
        INT_PTR result;
    } cases[] = {
        {"Esc", [](const DialogWindow& d) { d.PressEscape(); }, IDCANCEL},
        {"Enter", [](const DialogWindow& d) { d.PressEnter(); }, IDOK},
        {"close box", [](const DialogWindow& d) { d.Close(); }, IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        CAboutDlg dlg;
        const ModalRun run = RunModal(kCaption, [&] { return ShowAbout(dlg); }, c.act);
        EXPECT_TRUE(run.appeared);
        EXPECT_FALSE(run.leftOpen);
        EXPECT_EQ(run.result, c.result);
    }
}

TEST(AboutDlgTest, HasNoButtonNoTabStopAndStaysOnTop)
{
    int controls = 0, tabStops = 0, buttons = 0;
    bool topmost = false, hasPicture = false;
    CAboutDlg dlg;
    RunModal(kCaption, [&] { return ShowAbout(dlg); }, [&](const DialogWindow& d) {
        topmost = GetWindowLongW(d.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST;
        for (HWND child = GetWindow(d.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            ++controls;
            wchar_t cls[32] = {};
            GetClassNameW(child, cls, 32);
            tabStops += (GetWindowLongW(child, GWL_STYLE) & WS_TABSTOP) != 0;
            buttons += _wcsicmp(cls, L"Button") == 0;
            if ((GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_BITMAP && _wcsicmp(cls, L"Static") == 0)
                hasPicture = SendMessageW(child, STM_GETIMAGE, IMAGE_BITMAP, 0) != 0;
        }
        d.PressEscape();
    });
    EXPECT_EQ(controls, 8);
    EXPECT_EQ(tabStops, 0);
    EXPECT_EQ(buttons, 0);
    EXPECT_TRUE(topmost);
    EXPECT_TRUE(hasPicture) << "bitmap 151 is shown";
    EXPECT_STREQ(dlg.GetRuntimeClass()->m_lpszClassName, "CDialogEx");
}

// Lines of the log that the link target writes.
int LinesIn(const std::wstring& path)
{
    const auto bytes = ReadFileBytes(path);
    return static_cast<int>(std::count(bytes.begin(), bytes.end(), '\n'));
}

void ClickLink(HWND link)
{
    RECT rect;
    GetClientRect(link, &rect);
    const LPARAM at = MAKELPARAM(4, rect.bottom / 2);
    PostMessageW(link, WM_LBUTTONDOWN, MK_LBUTTON, at);
    PostMessageW(link, WM_LBUTTONUP, 0, at);
}

TEST(AboutDlgTest, ClickingALinkOpensItsTargetEachTimeAndTheBoxStaysOpen)
{
    // Each link is pointed at a batch file that logs its run.
    TempDir dir;
    const std::wstring log = dir.File(L"opened.txt");
    const std::wstring target = dir.File(L"target.bat");
    const std::wstring script = L"@echo opened>>\"" + log + L"\"\r\n";
    WriteFileBytes(target, std::vector<unsigned char>(script.begin(), script.end()));

    struct Observed
    {
        bool openAfterClicks = false;
        int afterFirst = -1, afterSecond = -1, afterOtherNotification = -1;
    } seen;
    CAboutDlg dlg;
    const ModalRun run = RunModal(kCaption, [&] { return ShowAbout(dlg); }, [&](const DialogWindow& d) {
        for (int id : {IDC_LINK_UPDATE, IDC_LINK_WEIBO}) {
            LITEM item = {};
            item.mask = LIF_ITEMINDEX | LIF_URL;
            wcsncpy(item.szUrl, target.c_str(), L_MAX_URL_LENGTH - 1);
            SendMessageW(d.Control(id), LM_SETITEM, 0, reinterpret_cast<LPARAM>(&item));
        }
        const auto waitForLines = [&](int n) {
            for (int i = 0; i < 400 && LinesIn(log) < n; ++i)
                Sleep(25);
            return LinesIn(log);
        };
        ClickLink(d.Control(IDC_LINK_UPDATE));
        seen.afterFirst = waitForLines(1);
        ClickLink(d.Control(IDC_LINK_WEIBO));
        seen.afterSecond = waitForLines(2);
        // Enter on a link is another notification, which the box ignores.
        NMLINK other = {};
        other.hdr = {d.Control(IDC_LINK_UPDATE), IDC_LINK_UPDATE, static_cast<UINT>(NM_RETURN)};
        wcsncpy(other.item.szUrl, target.c_str(), L_MAX_URL_LENGTH - 1);
        SendMessageW(d.Handle(), WM_NOTIFY, IDC_LINK_UPDATE, reinterpret_cast<LPARAM>(&other));
        Sleep(1500);
        seen.afterOtherNotification = LinesIn(log);
        seen.openAfterClicks = d.IsOpen();
        d.PressEscape();
    }, std::chrono::seconds(30));
    EXPECT_TRUE(run.appeared);
    EXPECT_EQ(seen.afterFirst, 1);
    EXPECT_EQ(seen.afterSecond, 2);
    EXPECT_EQ(seen.afterOtherNotification, 2);
    EXPECT_TRUE(seen.openAfterClicks);
    EXPECT_EQ(run.result, IDCANCEL);
}

} // namespace
