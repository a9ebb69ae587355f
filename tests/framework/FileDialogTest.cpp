// The file and folder pickers: what they hand back after OK and after Cancel.
#include "DialogDriver.h"
#include "Framework.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// The system's picker names its file-name field so, and has these captions.
constexpr int kFileNameField = 0x480;
const std::wstring kPickerCaption = L"打开";
const std::wstring kFolderPickerCaption = L"选择文件夹";

class PickerTest : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(AfxOleInit()); }
    void TearDown() override { AfxOleTerm(); }
};

struct PickCase
{
    const char* how;
    std::function<void(const DialogWindow&)> act;
    INT_PTR result;
    bool chosen;  // whether the path comes back
};

using CFileDialogTest = PickerTest;

TEST_F(CFileDialogTest, GivesTheChosenPathAfterOkAndNothingAfterCancel)
{
    TempDir dir;
    const std::wstring file = dir.File(L"录像 1.264");
    WriteFileBytes(file, {1, 2, 3});
    const PickCase cases[] = {
        {"typed, OK", [&](const DialogWindow& d) { d.Type(kFileNameField, file); d.Click(IDOK); }, IDOK, true},
        {"typed, Cancel", [&](const DialogWindow& d) { d.Type(kFileNameField, file); d.Click(IDCANCEL); },
         IDCANCEL, false},
        {"close box", [](const DialogWindow& d) { d.Close(); }, IDCANCEL, false},
    };
    for (const PickCase& c : cases) {
        SCOPED_TRACE(c.how);
        CFileDialog picker(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, nullptr, nullptr, 0, TRUE);
        const ModalRun run = RunModal(kPickerCaption, [&] { return picker.DoModal(); }, c.act);
        EXPECT_TRUE(run.appeared);
        EXPECT_FALSE(run.leftOpen);
        EXPECT_EQ(run.result, c.result);
        EXPECT_STREQ(picker.GetPathName(), c.chosen ? file.c_str() : L"");
    }
}

using CFolderPickerDialogTest = PickerTest;

TEST_F(CFolderPickerDialogTest, GivesTheChosenFolder)
{
    TempDir dir;
    const std::wstring folder = dir.File(L"输出");
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    CFolderPickerDialog picker(nullptr, 0, nullptr, 0, FALSE);
    const ModalRun run = RunModal(kFolderPickerCaption, [&] { return picker.DoModal(); }, [&](const DialogWindow& d) {
        d.Type(kFileNameField, folder);
        d.Click(IDOK);
    });
    EXPECT_TRUE(run.appeared);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_STREQ(picker.GetFolderPath(), folder.c_str());
}

} // namespace
