#include "FullVolume.h"
#include "Globals.h"
#include "H264Stream.h"
#include "RecordingFixture.h"
#include "ScreenshotFile.h"

#include "NamedCase.h"
#include "NativeTool.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <ctime>
#include <optional>
#include <string>
#include <vector>

using fakes::AcquireStep;
using fakes::NewFrame;
using fakes::TimedOut;

namespace {

constexpr int kFps = 30;
constexpr uint32_t kInk = 0xFF10E020;

// The threads of this process that run now.
std::vector<DWORD> RunningThreads()
{
    std::vector<DWORD> threads;
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return threads;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry))
        if (entry.th32OwnerProcessID == GetCurrentProcessId())
            threads.push_back(entry.th32ThreadID);
    CloseHandle(snapshot);
    return threads;
}

// Waits until every one of these threads has ended; one that cannot be opened
// has ended already. The save threads' ids stay theirs until the recording
// joins them, so none stands for a newer thread.
bool WaitForThreadsToEnd(const std::vector<DWORD>& threads)
{
    for (DWORD id : threads) {
        const HANDLE thread = OpenThread(SYNCHRONIZE, FALSE, id);
        if (!thread)
            continue;
        const DWORD waited = WaitForSingleObject(thread, 10000);
        CloseHandle(thread);
        if (waited != WAIT_OBJECT_0)
            return false;
    }
    return true;
}

// The requesters, as the hotkey and the tray menu raise a request.
bool PressHotkey()
{
    if (!g_screenshotReady)
        return false;
    g_screenshotRequested = true;
    g_screenshotReady = false;
    return true;
}

void TrayRequest() { g_screenshotRequested = true; }

std::shared_ptr<fakes::PointerShape> Square(int size)
{
    auto s = std::make_shared<fakes::PointerShape>();
    s->info.Type = DXGI_OUTDUPL_POINTER_SHAPE_TYPE_COLOR;
    s->info.Width = s->info.Height = size;
    s->info.Pitch = size * 4;
    for (int i = 0; i < size * size; ++i)
        s->bits.insert(s->bits.end(), {0x20, 0xE0, 0x10, 0xFF});
    return s;
}

// A BMP file of a packed top-row-first picture, as the recorder must write it.
std::vector<uint8_t> Bmp(const std::vector<uint32_t>& picture, int w, int h)
{
    const auto header = BmpHeader(w, h);
    std::vector<uint8_t> bytes(header.begin(), header.end());
    for (int y = h - 1; y >= 0; --y)
        for (int x = 0; x < w; ++x) {
            const uint32_t p = picture[static_cast<size_t>(y) * w + x];
            bytes.insert(bytes.end(), {uint8_t(p), uint8_t(p >> 8), uint8_t(p >> 16), uint8_t(p >> 24)});
        }
    return bytes;
}

class ScreenshotTest : public RecordingFixture
{
protected:
    int CountPictures() { return CheckRecordedStream(Stream(), kFps, 64, 48); }
    // A request is served only once the previous save's thread is over, so a
    // test that asks again waits for that thread rather than for its box or
    // its file. The failed save's thread is the one that showed the box.
    void WaitUntilTheFailedSaveIsOver()
    {
        ASSERT_TRUE(boxes.WaitForBoxes(1));
        ASSERT_TRUE(WaitForThreadsToEnd({boxes.Boxes()[0].threadId}));
    }
    std::vector<std::wstring> Screenshots(const std::wstring& folder) { return FilesIn(folder, L"*.bmp"); }
    std::vector<std::wstring> Screenshots() { return Screenshots(dir.Path()); }
};

std::wstring Stamp(std::time_t t)
{
    std::tm local{};
    localtime_s(&local, &t);
    wchar_t text[32];
    wcsftime(text, 32, L"%Y_%m_%d_%H_%M_%S", &local);
    return text;
}

// A request left from before the recording is served by its first fresh
// picture; the file is the picture, byte for byte, bottom row first, under the
// local time of the save.
TEST_F(ScreenshotTest, FileHoldsThePictureByteForByte)
{
    UseOutputs({{0, 0, 6, 4}});
    auto picture = std::make_shared<fakes::Picture>(6, 4);
    for (int i = 0; i < 24; ++i)
        picture->pixels[i] = 0x01020304u * (i + 1) + 0x50000000u * (i % 3);
    ASSERT_TRUE(PressHotkey());
    system->Push({NewFrame(Blocks(6, 4, 9)), NewFrame(picture)});
    const std::time_t before = std::time(nullptr);
    Record(kFps);
    const std::time_t after = std::time(nullptr);

    const auto names = Screenshots();
    ASSERT_EQ(names.size(), 1u);
    const std::wstring& name = names[0];
    const std::wstring prefix = L"Glintcast_Screenshot - ";
    ASSERT_EQ(name.size(), prefix.size() + 19 + 4);
    EXPECT_EQ(name.substr(0, prefix.size()), prefix);
    const std::wstring stamp = name.substr(prefix.size(), 19);
    EXPECT_TRUE(stamp == Stamp(before) || stamp == Stamp(after)) << stamp.c_str();
    EXPECT_EQ(ReadFileBytes(dir.File(name)), Bmp(picture->pixels, 6, 4));
    EXPECT_EQ(ReadFileBytes(dir.File(name)).size(), 54u + 6 * 4 * 4);
    EXPECT_FALSE(g_screenshotRequested);
    EXPECT_TRUE(g_screenshotReady);
}

struct ShotCase
{
    const char* name;
    bool region;
    bool drawCursor;
};

void PrintTo(const ShotCase& c, std::ostream* os) { *os << c.name; }

class ScreenshotContentTest : public ScreenshotTest, public testing::WithParamInterface<ShotCase>
{
};

// The screenshot shows exactly the recorded rectangle, with the pointer when the
// recording draws it; in region mode a pointer over the region's edge is cut there.
TEST_P(ScreenshotContentTest, ShowsTheRecordedPicture)
{
    const ShotCase& c = GetParam();
    const RECT region{16, 8, 48, 40};
    auto frame = Blocks(64, 48, 3);
    AcquireStep step = NewFrame(frame);
    step.pointerVisible = true;
    step.pointerPosition = {12, 4};
    step.lastMouseUpdateTime = 1;
    step.shape = Square(8);
    system->Push({NewFrame(Blocks(64, 48, 1)), step});
    TrayRequest();
    Record(kFps, c.drawCursor, c.region ? &region : nullptr);

    fakes::Picture expected = *frame;
    if (c.drawCursor)
        for (int y = 4; y < 12; ++y)
            for (int x = 12; x < 20; ++x)
                expected.At(x, y) = kInk;
    const int w = c.region ? 32 : 64;
    const int h = c.region ? 32 : 48;
    const auto names = Screenshots();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(ReadFileBytes(dir.File(names[0])),
              Bmp(c.region ? Crop(expected, 16, 8, 32, 32) : expected.pixels, w, h));
}

INSTANTIATE_TEST_SUITE_P(Pictures, ScreenshotContentTest,
                         testing::Values(ShotCase{"whole_output", false, false},
                                         ShotCase{"whole_output_with_pointer", false, true},
                                         ShotCase{"region_with_pointer_over_its_edge", true, true}),
                         CaseName());

// Time-outs and catch-up repeats never serve a request: the screenshot is of the
// next fresh picture.
TEST_F(ScreenshotTest, OnlyAFreshPictureServesARequest)
{
    AcquireStep requesting = TimedOut();
    requesting.during = TrayRequest;
    requesting.waitTicks = Slot(kFps) * 5 / 2;  // behind: repeats follow
    auto fresh = Blocks(64, 48, 5);
    system->Push({NewFrame(Blocks(64, 48, 1)), NewFrame(Blocks(64, 48, 2)), requesting, NewFrame(fresh)});
    Record(kFps);
    const auto names = Screenshots();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(ReadFileBytes(dir.File(names[0])), Bmp(fresh->pixels, 64, 48));
}

TEST_F(ScreenshotTest, RequestsBeforeOneFreshPictureGiveOneScreenshot)
{
    ASSERT_TRUE(PressHotkey());
    EXPECT_FALSE(PressHotkey()) << "the second press waits for the first save";
    TrayRequest();
    system->Push({NewFrame(Blocks(64, 48, 1)), NewFrame(Blocks(64, 48, 2)), NewFrame(Blocks(64, 48, 3))});
    Record(kFps);
    EXPECT_EQ(Screenshots().size(), 1u);
    EXPECT_FALSE(g_screenshotRequested);
    EXPECT_TRUE(PressHotkey()) << "the save made the hotkey usable again";
}

// A second request, made once the first screenshot is written, is served by the
// next fresh picture of the same recording: the branch joins the ended save
// before it refills the buffer. Both saves fall into one second as a rule, and
// neither file replaces the other.
TEST_F(ScreenshotTest, OneRecordingServesASecondRequestAfterTheFirstIsSaved)
{
    auto first = Blocks(64, 48, 4);
    auto second = Blocks(64, 48, 6);
    // Both on the record thread, inside the acquires: the first save's thread
    // starts after the first picture's acquire, so it is the one thread more at
    // the second's.
    std::vector<DWORD> beforeTheSave;
    AcquireStep firstStep = NewFrame(first);
    firstStep.during = [&] { beforeTheSave = RunningThreads(); };
    bool secondRequested = false;
    AcquireStep secondStep = NewFrame(second);
    secondStep.during = [&] {
        std::vector<DWORD> started;
        for (DWORD id : RunningThreads())
            if (std::find(beforeTheSave.begin(), beforeTheSave.end(), id) == beforeTheSave.end())
                started.push_back(id);
        ASSERT_LE(started.size(), 1u) << "the save's thread, if it still runs";
        ASSERT_TRUE(WaitForThreadsToEnd(started));
        secondRequested = PressHotkey();
    };
    ASSERT_TRUE(PressHotkey());
    system->Push({NewFrame(Blocks(64, 48, 1)), firstStep, secondStep, NewFrame(Blocks(64, 48, 8))});
    Record(kFps);

    EXPECT_TRUE(secondRequested) << "the first save made the hotkey usable again";
    std::vector<std::vector<uint8_t>> files;
    for (const std::wstring& name : Screenshots())
        files.push_back(ReadFileBytes(dir.File(name)));
    std::vector<std::vector<uint8_t>> expected = {Bmp(first->pixels, 64, 48), Bmp(second->pixels, 64, 48)};
    std::sort(files.begin(), files.end());
    std::sort(expected.begin(), expected.end());
    EXPECT_TRUE(files == expected) << files.size() << " files";
    EXPECT_FALSE(g_screenshotRequested);
    EXPECT_TRUE(g_screenshotReady);
}

// A name that is taken gets " (2)", " (3)" and so on; no file is replaced.
TEST_F(ScreenshotTest, TakenNamesAreNumbered)
{
    g_outputDir = dir.Path();
    const std::time_t now = std::time(nullptr);
    std::vector<std::wstring> taken;
    for (std::time_t t = now; t <= now + 2; ++t) {  // whichever seconds the saves fall into
        taken.push_back(L"Glintcast_Screenshot - " + Stamp(t) + L".bmp");
        WriteFileBytes(dir.File(taken.back()), {'x'});
    }
    const std::vector<uint8_t> pixels(6 * 4 * 4, 7);
    ASSERT_TRUE(Engine().SaveScreenshot(pixels.data(), 6, 4));
    ASSERT_TRUE(Engine().SaveScreenshot(pixels.data(), 6, 4));
    for (const std::wstring& name : taken)
        EXPECT_EQ(ReadFileBytes(dir.File(name)), std::vector<uint8_t>{'x'});
    std::vector<std::wstring> saved;
    for (const std::wstring& name : Screenshots())
        if (std::find(taken.begin(), taken.end(), name) == taken.end())
            saved.push_back(name);
    ASSERT_EQ(saved.size(), 2u);
    for (const std::wstring& name : saved) {
        EXPECT_TRUE(name.size() > 8 && (name.substr(name.size() - 8) == L" (2).bmp" ||
                                        name.substr(name.size() - 8) == L" (3).bmp"))
            << Utf8(name);
        EXPECT_EQ(ReadFileBytes(dir.File(name)).size(), 54u + pixels.size());
    }
}

// A save that cannot open its file (the folder was removed) says so in a box of
// its own, on its own thread, while the recording goes on; the hotkey works again
// at once.
TEST_F(ScreenshotTest, FailedSaveSaysSoAndFreesTheHotkeyAtOnce)
{
    g_outputDir = dir.File(L"removed\\");
    ASSERT_TRUE(PressHotkey());
    system->Push({NewFrame(Blocks(64, 48, 1)), NewFrame(Blocks(64, 48, 2)), NewFrame(Blocks(64, 48, 3))});
    Record(kFps);
    EXPECT_TRUE(Screenshots().empty());
    EXPECT_FALSE(PathExists(dir.File(L"removed")));
    const auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    const std::wstring prefix = L"截图无法保存：\n" + dir.File(L"removed\\Glintcast_Screenshot - ");
    EXPECT_EQ(shown[0].text.substr(0, prefix.size()), prefix);
    EXPECT_NE(shown[0].text.find(L".bmp\n\n可能是磁盘已满，或者输出文件夹已不存在。录制仍在继续。"), std::wstring::npos);
    EXPECT_EQ(shown[0].caption, L"错误");
    EXPECT_EQ(shown[0].owner, nullptr);
    EXPECT_TRUE(shown[0].IsPlainOk());
    EXPECT_NE(shown[0].threadId, RecordThreadId()) << "shown by the screenshot thread";
    EXPECT_EQ(CountPictures(), 2) << "the recording went on";
    EXPECT_TRUE(g_screenshotReady);
    EXPECT_TRUE(PressHotkey());
}

// While a failed save's box is open the recording goes on, and a request made
// meanwhile waits for the first fresh picture after the box is answered.
TEST_F(ScreenshotTest, RequestWaitsWhileAFailedSavesBoxIsOpen)
{
    boxes.SetPolicy([](const MessageBoxRecord&) { return 0; });  // left open
    g_outputDir = dir.File(L"removed\\");
    auto late = Blocks(64, 48, 7);
    AcquireStep requesting = NewFrame(Blocks(64, 48, 2));
    requesting.during = TrayRequest;
    AcquireStep answering = NewFrame(late);
    answering.during = [&] {
        ASSERT_TRUE(boxes.WaitForBoxes(1));
        g_outputDir = dir.Path();
        MessageBoxWatcher::Press(boxes.Boxes()[0].window, IDOK);
        WaitUntilTheFailedSaveIsOver();
    };
    ASSERT_TRUE(PressHotkey());
    system->Push({NewFrame(Blocks(64, 48, 1)), NewFrame(Blocks(64, 48, 9)), requesting, NewFrame(Blocks(64, 48, 3)),
                  answering, NewFrame(Blocks(64, 48, 4))});
    Record(kFps);
    EXPECT_EQ(CountPictures(), 5) << "no slot was lost to the open box";
    const auto names = Screenshots();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(ReadFileBytes(dir.File(names[0])), Bmp(late->pixels, 64, 48));
}

// A save whose writes fail (the disk filled up) removes what it wrote and says
// so; the next Ctrl+F11 of the same recording is served.
TEST_F(ScreenshotTest, SaveOnAFullDiskLeavesNoPartOfAFile)
{
    std::optional<FullVolume> volume(std::in_place, 100);  // the header and a few pixels
    auto second = Blocks(64, 48, 6);
    bool secondRequested = false;
    AcquireStep next = NewFrame(second);
    next.during = [&] {
        WaitUntilTheFailedSaveIsOver();  // its box answered by the watcher
        volume.reset();
        secondRequested = PressHotkey();
    };
    ASSERT_TRUE(PressHotkey());
    system->Push({NewFrame(Blocks(64, 48, 1)), NewFrame(Blocks(64, 48, 4)), next, NewFrame(Blocks(64, 48, 8))});
    Record(kFps);
    const auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text.rfind(L"截图无法保存：\n" + dir.Path(), 0), 0u) << Utf8(shown[0].text);
    EXPECT_TRUE(secondRequested) << "the failed save freed the hotkey";
    const auto names = Screenshots();
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(ReadFileBytes(dir.File(names[0])), Bmp(second->pixels, 64, 48));
    EXPECT_EQ(CountPictures(), 3);
}

TEST_F(ScreenshotTest, NothingToSaveWritesNothing)
{
    g_screenshotReady = false;
    EXPECT_FALSE(Engine().SaveScreenshot(nullptr, 64, 48));
    EXPECT_FALSE(g_screenshotReady);
    EXPECT_TRUE(Screenshots().empty());
}

} // namespace
