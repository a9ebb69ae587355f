// The preset picker: its thirteen rows, row 3 at the start, and what it returns.
#include "DialogDriver.h"
#include "SetResolutionDlg.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <vector>

namespace {

const std::wstring kCaption = L"选择预设分辨率";

struct Row
{
    const wchar_t* label;
    int width, height;
};

const Row kTable[] = {
    {L"845x480", 854, 480},     {L"800X600", 800, 600},     {L"1024X768", 1024, 768},  {L"1280x720", 1280, 720},
    {L"1280x800", 1280, 800},   {L"1280x1024", 1280, 1024}, {L"1366x768", 1366, 768},  {L"1440x900", 1440, 900},
    {L"1600x900", 1600, 900},   {L"1920x1080", 1920, 1080}, {L"2560x1440", 2560, 1440}, {L"2560x1080", 2560, 1080},
    {L"3440x1440", 3440, 1440},
};

TEST(SetResolutionDlgTest, OffersTheThirteenPresetsWithRowThreeSelected)
{
    std::vector<std::wstring> items;
    int selection = -1;
    DWORD listStyle = 0;
    LONG okType = -1;
    SetResolutionDlg dlg;
    const ModalRun run = RunModal(kCaption, [&] { return dlg.DoModal(); }, [&](const DialogWindow& d) {
        items = d.Items(IDC_PRESET_LIST);
        selection = d.Selection(IDC_PRESET_LIST);
        listStyle = static_cast<DWORD>(GetWindowLongW(d.Control(IDC_PRESET_LIST), GWL_STYLE));
        okType = GetWindowLongW(d.Control(IDOK), GWL_STYLE) & BS_TYPEMASK;
        d.Click(IDOK);
    });
    ASSERT_TRUE(run.appeared);
    EXPECT_EQ(run.result, 3);
    ASSERT_EQ(items.size(), std::size(kTable));
    for (size_t i = 0; i < items.size(); ++i) {
        SCOPED_TRACE(testing::Message() << "row " << i);
        EXPECT_EQ(items[i], kTable[i].label);
        EXPECT_STREQ(SetResolutionDlg::kPresets[i].label, kTable[i].label);
        EXPECT_EQ(SetResolutionDlg::kPresets[i].width, kTable[i].width);
        EXPECT_EQ(SetResolutionDlg::kPresets[i].height, kTable[i].height);
    }
    EXPECT_EQ(selection, 3);
    EXPECT_EQ(listStyle & 0x3, static_cast<DWORD>(CBS_DROPDOWNLIST));
    EXPECT_FALSE(listStyle & WS_TABSTOP) << "Tab never reaches the list";
    EXPECT_EQ(okType, BS_OWNERDRAW) << "OK is a flat button";
    EXPECT_STREQ(dlg.GetRuntimeClass()->m_lpszClassName, "SetResolutionDlg");
}

TEST(SetResolutionDlgTest, ReturnsTheChosenRowOrIdCancel)
{
    const struct
    {
        const char* how;
        std::function<void(const DialogWindow&)> act;
        INT_PTR result;
    } cases[] = {
        {"Enter at once", [](const DialogWindow& d) { d.PressEnter(); }, 3},
        {"845x480, OK", [](const DialogWindow& d) { d.Pick(IDC_PRESET_LIST, 0); d.Click(IDOK); }, 0},
        {"the last row, Enter", [](const DialogWindow& d) { d.Pick(IDC_PRESET_LIST, 12); d.PressEnter(); }, 12},
        {"Esc after a pick", [](const DialogWindow& d) { d.Pick(IDC_PRESET_LIST, 9); d.PressEscape(); }, IDCANCEL},
        {"close box", [](const DialogWindow& d) { d.Close(); }, IDCANCEL},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.how);
        SetResolutionDlg dlg;
        const ModalRun run = RunModal(kCaption, [&] { return dlg.DoModal(); }, c.act);
        EXPECT_TRUE(run.appeared);
        EXPECT_FALSE(run.leftOpen);
        EXPECT_EQ(run.result, c.result);
    }
}

} // namespace
