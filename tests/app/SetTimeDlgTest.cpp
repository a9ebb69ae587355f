// The recording-time dialog: how an entry is read, and what the caller gets for
// OK and for a cancel.
#include "DialogDriver.h"
#include "SetTimeDlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <functional>

namespace {

const std::wstring kCaption = L"设置时间";

TEST(SetTimeDlgParseTest, ReadsHoursMinutesAndSecondsAsFarAsTheyFit)
{
    const struct
    {
        const char* entry;
        int seconds;
    } cases[] = {
        {"00:00:00", 0},
        {"01:30:00", 5400},
        {"0:90", 5400},
        {"5", 18000},
        {"0:0:45", 45},
        {"", 0},
        {"abc", 0},
        {"1 :20:00", 3600},
        {"1.5", 3600},
        {"0:0:3600", 3600},
        {"25:00:00", 90000},
        {" 1: 2: 3", 3723},
        {"+1:-30:0", 1800},
        {"1:", 3600},
        {":5", 0},
        {"\xA3\xBA", 0},  // a full-width colon in GBK, alone
        // Negative totals mean no limit; totals beyond an int stop at its maximum.
        {"-1:00:00", 0},
        {"0:0:-1", 0},
        {"596523:14:06", INT_MAX - 1},
        {"596523:14:07", INT_MAX},
        {"596523:14:08", INT_MAX},
        {"99999999999999999999:0:0", INT_MAX},
        {"0:0:4294967297", INT_MAX},
        {"-99999999999999999999", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.entry);
        EXPECT_EQ(SetTimeDlg::ParseSeconds(c.entry), c.seconds);
    }
}

TEST(SetTimeDlgParseTest, AgreesWithScanfWhereScanfIsDefined)
{
    const char* entries[] = {"12:34:56", "\t7:\n8:9", "7:", "7:x", "-2:150:30", "+3", "1 2", "10:-5:0042", "0x10"};
    for (const char* entry : entries) {
        SCOPED_TRACE(entry);
        int h = 0, m = 0, s = 0;
        sscanf(entry, "%d:%d:%d", &h, &m, &s);
        const long long total = (static_cast<long long>(h) * 60 + m) * 60 + s;
        EXPECT_EQ(SetTimeDlg::ParseSeconds(entry), static_cast<int>(std::clamp<long long>(total, 0, INT_MAX)));
    }
}

struct DialogCase
{
    const char* what;
    std::function<void(const DialogWindow&)> act;
    INT_PTR result;
    BOOL confirmed;
};

TEST(SetTimeDlgTest, ReturnsTheTypedTimeAndTellsOkFromCancel)
{
    const DialogCase cases[] = {
        {"Enter at once", [](const DialogWindow& d) { d.PressEnter(); }, 0, TRUE},
        {"00:00:02, OK", [](const DialogWindow& d) { d.Type(IDC_TIME_EDIT, L"00:00:02"); d.Click(IDOK); }, 2, TRUE},
        {"0:0:3600, Enter", [](const DialogWindow& d) { d.Type(IDC_TIME_EDIT, L"0:0:3600"); d.PressEnter(); },
         3600, TRUE},
        {"abc, OK", [](const DialogWindow& d) { d.Type(IDC_TIME_EDIT, L"abc"); d.Click(IDOK); }, 0, TRUE},
        {"full-width colons", [](const DialogWindow& d) { d.Type(IDC_TIME_EDIT, L"01：30：00"); d.Click(IDOK); },
         3600, TRUE},
        {"Esc", [](const DialogWindow& d) { d.Type(IDC_TIME_EDIT, L"01:00:00"); d.PressEscape(); }, IDCANCEL,
         FALSE},
        {"close box", [](const DialogWindow& d) { d.Close(); }, IDCANCEL, FALSE},
    };
    for (const DialogCase& c : cases) {
        SCOPED_TRACE(c.what);
        SetTimeDlg dlg;
        const ModalRun run = RunModal(kCaption, [&] { return dlg.DoModal(); }, c.act);
        EXPECT_TRUE(run.appeared);
        EXPECT_FALSE(run.leftOpen);
        EXPECT_EQ(run.result, c.result);
        EXPECT_EQ(dlg.IsConfirmed(), c.confirmed);
    }
}

TEST(SetTimeDlgTest, EveryRunStartsAtZeroAndForgetsTheLastOne)
{
    SetTimeDlg dlg;
    std::wstring shownFirst, shownSecond;
    DWORD okType = 0;
    RunModal(kCaption, [&] { return dlg.DoModal(); }, [&](const DialogWindow& d) {
        shownFirst = d.Text(IDC_TIME_EDIT);
        okType = GetWindowLongW(d.Control(IDOK), GWL_STYLE) & BS_TYPEMASK;
        d.Type(IDC_TIME_EDIT, L"00:00:02");
        d.Click(IDOK);
    });
    EXPECT_TRUE(dlg.IsConfirmed());
    const ModalRun second = RunModal(kCaption, [&] { return dlg.DoModal(); }, [&](const DialogWindow& d) {
        shownSecond = d.Text(IDC_TIME_EDIT);
        d.PressEscape();
    });
    EXPECT_EQ(second.result, IDCANCEL);
    EXPECT_FALSE(dlg.IsConfirmed());
    EXPECT_EQ(shownFirst, L"00:00:00");
    EXPECT_EQ(shownSecond, L"00:00:00");
    EXPECT_EQ(okType, static_cast<DWORD>(BS_OWNERDRAW));
    EXPECT_STREQ(dlg.GetRuntimeClass()->m_lpszClassName, "SetTimeDlg");
}

} // namespace
