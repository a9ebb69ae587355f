#include "Globals.h"
#include "RecordingFixture.h"
#include "ScreenshotFile.h"

#include "NamedCase.h"

#include <gtest/gtest.h>

#include <chrono>
#include <ctime>
#include <string>
#include <vector>

using fakes::AcquireStep;
using fakes::NewFrame;
using fakes::TimedOut;

namespace {

constexpr int kFps = 30;
constexpr uint32_t kInk = 0xFF10E020;

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
// before it refills the buffer, and both files hold their own picture.
TEST_F(ScreenshotTest, OneRecordingServesASecondRequestAfterTheFirstIsSaved)
{
    const std::wstring firstFolder = dir.File(L"first\\");
    ASSERT_TRUE(CreateDirectoryW(firstFolder.c_str(), nullptr));
    auto first = Blocks(64, 48, 4);
    auto second = Blocks(64, 48, 6);
    bool secondRequested = false;
    AcquireStep secondStep = NewFrame(second);
    secondStep.during = [&] {
        // On the record thread, inside the acquire that delivers the second picture.
        const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        while (!g_screenshotReady && std::chrono::steady_clock::now() < limit)
            Sleep(1);
        // Two saves within one second share a name: the first file moves aside.
        for (const std::wstring& name : Screenshots())
            MoveFileW(dir.File(name).c_str(), (firstFolder + name).c_str());
        secondRequested = PressHotkey();
    };
    ASSERT_TRUE(PressHotkey());
    system->Push({NewFrame(Blocks(64, 48, 1)), NewFrame(first), secondStep, NewFrame(Blocks(64, 48, 8))});
    Record(kFps);

    EXPECT_TRUE(secondRequested) << "the first save made the hotkey usable again";
    const auto firstNames = Screenshots(firstFolder);
    ASSERT_EQ(firstNames.size(), 1u);
    EXPECT_EQ(ReadFileBytes(firstFolder + firstNames[0]), Bmp(first->pixels, 64, 48));
    const auto secondNames = Screenshots();
    ASSERT_EQ(secondNames.size(), 1u);
    EXPECT_EQ(ReadFileBytes(dir.File(secondNames[0])), Bmp(second->pixels, 64, 48));
    EXPECT_FALSE(g_screenshotRequested);
    EXPECT_TRUE(g_screenshotReady);
}

// A save that cannot open its file leaves g_screenshotReady false, so the hotkey
// stays refused; a tray request is still served, and its save frees the hotkey.
TEST_F(ScreenshotTest, FailedSaveBlocksTheHotkeyUntilASaveSucceeds)
{
    g_outputDir = dir.File(L"removed\\");
    ASSERT_TRUE(PressHotkey());
    system->Push({NewFrame(Blocks(64, 48, 1)), NewFrame(Blocks(64, 48, 2))});
    Record(kFps);
    EXPECT_TRUE(Screenshots().empty());
    EXPECT_FALSE(g_screenshotRequested) << "the request was taken";
    EXPECT_FALSE(g_screenshotReady);
    EXPECT_FALSE(PressHotkey());

    g_outputDir = dir.Path();
    g_stopRecording = false;
    TrayRequest();
    system->Push({NewFrame(Blocks(64, 48, 1)), NewFrame(Blocks(64, 48, 2))});
    Record(kFps);
    EXPECT_EQ(Screenshots().size(), 1u);
    EXPECT_TRUE(g_screenshotReady);
}

TEST_F(ScreenshotTest, NothingToSaveWritesNothing)
{
    g_screenshotReady = false;
    EXPECT_FALSE(Engine().SaveScreenshot(nullptr, 64, 48));
    EXPECT_FALSE(g_screenshotReady);
    EXPECT_TRUE(Screenshots().empty());
}

} // namespace
