// The test harness itself: other tests rely on it to see message boxes and to
// check files with the machine's own tools.
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
