// The test harness itself: other tests rely on it to see message boxes and to
// check files with the machine's own tools.
#include "DialogDriver.h"
#include "MessageBoxWatcher.h"
#include "NativeTool.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxWatcherTest, RecordsAndAnswersBoxesAsAUserWould)
{
    MessageBoxWatcher watcher([](const MessageBoxRecord& box) { return box.buttons.size() == 2 ? IDNO : IDOK; });
    EXPECT_EQ(MessageBoxW(nullptr, L"录制已停止\n第二行", L"错误", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, L"要封装吗？", L"提示", MB_YESNO | MB_ICONQUESTION), IDNO);
    // GBK bytes of "音频" through the 8-bit box.
    EXPECT_EQ(MessageBoxA(nullptr, "\xD2\xF4\xC6\xB5", "", MB_OK), IDOK);

    const auto boxes = watcher.Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].text, L"录制已停止\n第二行");
    EXPECT_EQ(boxes[0].caption, L"错误");
    EXPECT_EQ(boxes[0].owner, nullptr);
    EXPECT_TRUE(boxes[0].IsPlainOk());
    EXPECT_EQ(boxes[0].threadId, GetCurrentThreadId());
    EXPECT_EQ(boxes[1].buttons, (std::vector<int>{IDYES, IDNO}));
    EXPECT_TRUE(boxes[1].hasIcon);
    EXPECT_FALSE(boxes[1].IsPlainOk());
    EXPECT_EQ(boxes[2].text, L"音频");
    EXPECT_EQ(boxes[2].caption, L"");
}

TEST(MessageBoxWatcherTest, LeftOpenBoxBlocksItsThreadUntilPressed)
{
    MessageBoxWatcher watcher([](const MessageBoxRecord&) { return 0; });
    int result = 0;
    std::thread shower([&] { result = MessageBoxW(nullptr, L"x", L"y", MB_OK); });
    ASSERT_TRUE(watcher.WaitForBoxes(1));
    Sleep(100);
    EXPECT_EQ(result, 0);
    MessageBoxWatcher::Press(watcher.Boxes()[0].window, IDOK);
    shower.join();
    EXPECT_EQ(result, IDOK);
}

TEST(NativeToolTest, RunsALinuxScriptAndWaitsForIt)
{
    TempDir dir;
    const std::string file = UnixPath(dir.File(L"中文.txt"));
    ASSERT_FALSE(file.empty());
    const NativeResult result = RunNative("sleep 0.3; printf hello > " + ShellQuote(file) + "; echo out; exit 7");
    EXPECT_EQ(result.exitCode, 7);
    EXPECT_EQ(result.output, "out\n");
    const auto bytes = ReadFileBytes(dir.File(L"中文.txt"));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "hello");
}

} // namespace

namespace {

// A plain modal dialog of the system's own, from an in-memory template with an
// OK button: WM_COMMAND ends it with the command's id.
INT_PTR ShowPlainDialog(const wchar_t* caption)
{
    alignas(4) static WORD templ[256];
    WORD* p = templ;
    auto* dialog = reinterpret_cast<DLGTEMPLATE*>(p);
    *dialog = {WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME, 0, 1, 10, 10, 120, 50};
    p = reinterpret_cast<WORD*>(dialog + 1);
    *p++ = 0;  // no menu
    *p++ = 0;  // the dialog class
    for (const wchar_t* c = caption; (*p++ = *c) != 0; ++c) {
    }
    p = reinterpret_cast<WORD*>((reinterpret_cast<ULONG_PTR>(p) + 3) & ~ULONG_PTR(3));
    auto* item = reinterpret_cast<DLGITEMTEMPLATE*>(p);
    *item = {WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 10, 10, 50, 14, IDOK};
    p = reinterpret_cast<WORD*>(item + 1);
    *p++ = 0xFFFF;
    *p++ = 0x0080;  // button
    for (const wchar_t* c = L"OK"; (*p++ = *c) != 0; ++c) {
    }
    *p++ = 0;  // no creation data
    return DialogBoxIndirectParamW(GetModuleHandleW(nullptr), dialog, nullptr,
                                   [](HWND window, UINT message, WPARAM wParam, LPARAM) -> INT_PTR {
                                       if (message == WM_COMMAND)
                                           EndDialog(window, LOWORD(wParam));
                                       return message == WM_INITDIALOG;
                                   },
                                   0);
}

TEST(DialogDriverTest, ActsOnTheDialogOnceItIsUp)
{
    std::wstring caption;
    const ModalRun run = RunModal(L"驱动", [] { return ShowPlainDialog(L"驱动"); }, [&](const DialogWindow& d) {
        caption = d.Caption();
        d.Click(IDOK);
    });
    EXPECT_TRUE(run.appeared);
    EXPECT_FALSE(run.leftOpen);
    EXPECT_EQ(run.result, IDOK);
    EXPECT_EQ(caption, L"驱动");
}

TEST(DialogDriverTest, ClosesWhatActLeavesOpenAndGivesUpOnADialogThatNeverComes)
{
    const ModalRun open = RunModal(L"留下", [] { return ShowPlainDialog(L"留下"); }, [](const DialogWindow&) {},
                                   std::chrono::seconds(1));
    EXPECT_TRUE(open.appeared);
    EXPECT_TRUE(open.leftOpen);
    EXPECT_EQ(open.result, IDCANCEL);

    bool acted = false;
    const ModalRun never = RunModal(L"别的标题", [] { return ShowPlainDialog(L"另一个"); },
                                    [&](const DialogWindow&) { acted = true; }, std::chrono::seconds(1));
    EXPECT_FALSE(never.appeared);
    EXPECT_FALSE(acted);
}

} // namespace
