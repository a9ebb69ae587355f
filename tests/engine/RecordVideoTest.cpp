#include "RecordVideo.h"

#include "FailingEncoder.h"
#include "Globals.h"
#include "H264Stream.h"
#include "LiveDesktop.h"
#include "RecordingFixture.h"

#include "NamedCase.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

using fakes::AcquireStep;
using fakes::NewFrame;
using fakes::TimedOut;

namespace {

constexpr int kW = 64;
constexpr int kH = 48;
constexpr int kFps = 30;
constexpr int kLateLimit = 15;  // slots, at 30 fps

const std::wstring kError = L"错误";
const std::wstring kTooLate =
    L"录制超时，请尝试降低帧率或分辨率进行录制，当然最根本的解决方法是烧钱换台性能更强的电脑。\n";
const std::wstring kNoPicture = L"录制严重超时，我想你应该换新电脑了\n";
const std::wstring kAccessLost =
    L"录制已停止，导致原因可能是桌面开关，模式更改，或切换至全屏程序,如果程序退出全屏模式还提示这个的话请重启软件"
    L"。\n\n注意：本软件全屏录制游戏的时候只支持无边框窗口全屏模式！";
const std::wstring kUnknownCause = L"录制已停止，导致原因未知，你可以联系作者\n错误代码：";

// The picture the priming acquire gets; it shows only until the first fresh one.
AcquireStep Priming() { return NewFrame(Blocks(kW, kH, 99)); }

AcquireStep Waiting(AcquireStep step, int64_t ticks)
{
    step.waitTicks = ticks;
    return step;
}

std::vector<uint32_t> Black(int w, int h) { return std::vector<uint32_t>(static_cast<size_t>(w) * h, 0); }

class RecordVideoTest : public RecordingFixture
{
protected:
    // The stream is well formed and decodes without complaint into pictures that
    // look like the expected ones, in order.
    void ExpectPictures(const std::vector<std::vector<uint32_t>>& expected, int w = kW, int h = kH, int fps = kFps)
    {
        EXPECT_EQ(CheckRecordedStream(Stream(), fps, w, h), static_cast<int>(expected.size()));
        const DecodedStream decoded = DecodeStream(StreamPath(), w, h);
        EXPECT_EQ(decoded.exitCode, 0);
        EXPECT_EQ(decoded.messages, "");
        ASSERT_EQ(decoded.Pictures(), static_cast<int>(expected.size()));
        for (size_t i = 0; i < expected.size(); ++i)
            EXPECT_LT(decoded.Difference(static_cast<int>(i), expected[i]), 3.0) << "picture " << i;
    }

    void ExpectOneStopBox(const std::wstring& text, const std::wstring& caption = kError)
    {
        const auto shown = boxes.Boxes();
        ASSERT_EQ(shown.size(), 1u);
        EXPECT_EQ(shown[0].text, text);
        EXPECT_EQ(shown[0].caption, caption);
        EXPECT_EQ(shown[0].owner, nullptr);
        EXPECT_TRUE(shown[0].IsPlainOk());
        EXPECT_EQ(shown[0].threadId, RecordThreadId()) << "the box is shown by the record thread";
        EXPECT_TRUE(g_stopRecording);
    }

    std::shared_ptr<fakes::Picture> frames[6] = {Blocks(kW, kH, 0), Blocks(kW, kH, 1), Blocks(kW, kH, 2),
                                                 Blocks(kW, kH, 3), Blocks(kW, kH, 4), Blocks(kW, kH, 5)};
    const std::vector<uint32_t>& F(int i) { return frames[i]->pixels; }
};

TEST_F(RecordVideoTest, FreshFramesAreEncodedOnePerSlot)
{
    system->Push(Priming());
    for (auto& f : frames)
        system->Push(NewFrame(f));
    Record(kFps);
    EXPECT_TRUE(boxes.Boxes().empty());
    ExpectPictures({F(0), F(1), F(2), F(3), F(4), F(5)});
    EXPECT_EQ(system->CountCalls("AcquireNextFrame(60)"), 1) << "the priming acquire";
    EXPECT_EQ(system->CountCalls("AcquireNextFrame(43)"), 7) << "one per slot, and the one the stop came in";
}

TEST_F(RecordVideoTest, StillScreenRepeatsTheLastPictureInEverySlot)
{
    system->Push({Priming(), NewFrame(frames[0]), TimedOut(), TimedOut(), TimedOut(), NewFrame(frames[1])});
    Record(kFps);
    ExpectPictures({F(0), F(0), F(0), F(0), F(1)});
    EXPECT_EQ(system->CountCalls("AcquireNextFrame(43)"), 6);
}

constexpr uint32_t kInk = 0xFF10E020;

// A frame with an opaque 8 x 8 pointer of kInk at (x, y).
AcquireStep WithPointer(AcquireStep step, POINT at)
{
    auto shape = std::make_shared<fakes::PointerShape>();
    shape->info.Type = DXGI_OUTDUPL_POINTER_SHAPE_TYPE_COLOR;
    shape->info.Width = shape->info.Height = 8;
    shape->info.Pitch = 8 * 4;
    for (int i = 0; i < 8 * 8; ++i)
        shape->bits.insert(shape->bits.end(), {0x20, 0xE0, 0x10, 0xFF});
    step.pointerVisible = true;
    step.pointerPosition = at;
    step.lastMouseUpdateTime = 1;
    step.shape = std::move(shape);
    return step;
}

// The picture with that pointer drawn in, cut to the recorded rectangle.
std::vector<uint32_t> Shown(const fakes::Picture& picture, const POINT* pointer, const RECT* region)
{
    fakes::Picture drawn = picture;
    if (pointer)
        for (int y = pointer->y; y < pointer->y + 8; ++y)
            for (int x = pointer->x; x < pointer->x + 8; ++x)
                drawn.At(x, y) = kInk;
    if (!region)
        return drawn.pixels;
    return Crop(drawn, region->left, region->top, region->right - region->left, region->bottom - region->top);
}

struct StillStartCase : NamedCase
{
    bool region;
    bool drawCursor;
};

class RecordVideoStillStartTest : public RecordVideoTest, public testing::WithParamInterface<StillStartCase>
{
};

// A recording started on a screen that does not change shows it from its first
// slot, as the slots would have it: the priming acquire delivered it whole.
TEST_P(RecordVideoStillStartTest, ShowsTheScreenFromTheFirstSlot)
{
    const StillStartCase& c = GetParam();
    const RECT rect{16, 8, 48, 40};
    const RECT* region = c.region ? &rect : nullptr;
    const POINT at{12, 4};
    system->Push({WithPointer(NewFrame(frames[0]), at), TimedOut(), TimedOut(), NewFrame(frames[1])});
    Record(kFps, c.drawCursor, region);
    EXPECT_TRUE(boxes.Boxes().empty());
    const POINT* pointer = c.drawCursor ? &at : nullptr;
    const auto still = Shown(*frames[0], pointer, region);
    const int w = c.region ? 32 : kW;
    const int h = c.region ? 32 : kH;
    ExpectPictures({still, still, Shown(*frames[1], pointer, region)}, w, h);
}

INSTANTIATE_TEST_SUITE_P(Options, RecordVideoStillStartTest,
                         testing::Values(StillStartCase{{"whole_output"}, false, false},
                                         StillStartCase{{"whole_output_with_pointer"}, false, true},
                                         StillStartCase{{"region_with_pointer_over_its_edge"}, true, true}),
                         CaseName());

// A second recording on an engine whose screen has not changed since: its
// priming acquire brings nothing, and the engine's last picture serves, without
// the pointer the first recording drew into it.
TEST_F(RecordVideoTest, SecondRecordingOnAStillScreenShowsTheLastPicture)
{
    system->Push({Priming(), WithPointer(NewFrame(frames[2]), {12, 4})});
    Record(kFps, true);
    g_stopRecording = false;
    system->Push({TimedOut(), TimedOut(), TimedOut()});
    Record(kFps, false);
    EXPECT_TRUE(boxes.Boxes().empty());
    ExpectPictures({F(2), F(2)});
}

// Black only when there is no picture at all: the output's mode changed since.
TEST_F(RecordVideoTest, SecondRecordingAfterAModeChangeStartsBlack)
{
    system->Push({Priming(), NewFrame(frames[2])});
    Record(kFps);
    g_stopRecording = false;
    system->SetDesktopRect({0, 0, kW, kH - 8});
    system->Push({TimedOut(), TimedOut(), TimedOut()});
    Record(kFps);
    ExpectPictures({Black(kW, kH - 8), Black(kW, kH - 8)}, kW, kH - 8);
}

// An acquire that took 3.5 slots leaves the loop behind: it catches up with
// repeats of the last picture, one per pass, without acquiring.
TEST_F(RecordVideoTest, FallingBehindIsCaughtUpWithRepeats)
{
    const int64_t slot = Slot(kFps);
    system->Push({Priming(), NewFrame(frames[0]), Waiting(NewFrame(frames[1]), slot * 7 / 2), NewFrame(frames[2]),
                  NewFrame(frames[3])});
    Record(kFps);
    EXPECT_TRUE(boxes.Boxes().empty());
    ExpectPictures({F(0), F(1), F(1), F(1), F(2), F(3)});
    EXPECT_EQ(system->CountCalls("AcquireNextFrame(43)"), 5);
}

struct LateCase
{
    const char* name;
    int halfSlots;  // how long the second acquire takes
    bool stops;
    int pictures;
};

void PrintTo(const LateCase& c, std::ostream* os) { *os << c.name; }

class RecordVideoLateTest : public RecordVideoTest, public testing::WithParamInterface<LateCase>
{
};

// Behind by fewer than L slots the loop catches up; L slots or more stop it with
// the time-out message, the file keeping what was encoded.
TEST_P(RecordVideoLateTest, StopsOnlyWhenTheLateLimitIsReached)
{
    const LateCase& c = GetParam();
    system->Push({Priming(), NewFrame(frames[0]), Waiting(NewFrame(frames[1]), Slot(kFps) * c.halfSlots / 2),
                  NewFrame(frames[2])});
    Record(kFps);
    if (c.stops) {
        ExpectOneStopBox(kTooLate);
        EXPECT_EQ(system->StepsLeft(), 1u);
    } else {
        EXPECT_TRUE(boxes.Boxes().empty());
    }
    EXPECT_EQ(CheckRecordedStream(Stream(), kFps, kW, kH), c.pictures);
}

INSTANTIATE_TEST_SUITE_P(Limits, RecordVideoLateTest,
                         testing::Values(LateCase{"just_under_the_limit", 2 * (kLateLimit + 1) - 1, false,
                                                  kLateLimit + 2},
                                         LateCase{"at_the_limit", 2 * (kLateLimit + 1) + 1, true, 2}),
                         CaseName());

// The priming acquire and the first slot time out, and the first slot's acquire
// took so long that the loop is a slot behind with nothing to repeat.
TEST_F(RecordVideoTest, FallingBehindBeforeAnyPictureStops)
{
    system->Push({TimedOut(), Waiting(TimedOut(), Slot(kFps) * 5 / 2), NewFrame(frames[0])});
    Record(kFps);
    ExpectOneStopBox(kNoPicture);
    ExpectPictures({Black(kW, kH)});
}

TEST_F(RecordVideoTest, StopSetDuringAnAcquireEndsWithoutEncodingItsPicture)
{
    AcquireStep stopping = NewFrame(frames[2]);
    stopping.during = [] { g_stopRecording = true; };
    system->Push({Priming(), NewFrame(frames[0]), NewFrame(frames[1]), stopping, NewFrame(frames[3])});
    Record(kFps);
    EXPECT_TRUE(boxes.Boxes().empty()) << "a stop from outside is no failure";
    EXPECT_EQ(system->StepsLeft(), 1u);
    ExpectPictures({F(0), F(1)});
}

TEST_F(RecordVideoTest, WidthChangeStopsWithTheResolutionMessage)
{
    AcquireStep widening = NewFrame(frames[1]);
    widening.during = [this] { system->SetDesktopRect({0, 0, kW + 16, kH}); };
    system->Push({Priming(), NewFrame(frames[0]), widening, NewFrame(frames[2])});
    Record(kFps);
    ExpectOneStopBox(L"录制已停止，导致原因是你更改了分辨率\n", L"分辨率改动");
    EXPECT_EQ(system->StepsLeft(), 1u) << "no acquire after the change was seen";
    ExpectPictures({F(0), F(1)});
}

struct FailingCase
{
    const char* name;
    AcquireStep step;
    std::wstring text;
};

void PrintTo(const FailingCase& c, std::ostream* os) { *os << c.name; }

class RecordVideoFailureTest : public RecordVideoTest, public testing::WithParamInterface<FailingCase>
{
};

TEST_P(RecordVideoFailureTest, StopsWithItsMessage)
{
    system->Push({Priming(), NewFrame(frames[0]), NewFrame(frames[1]), GetParam().step, NewFrame(frames[2])});
    Record(kFps);
    ExpectOneStopBox(GetParam().text);
    EXPECT_EQ(CheckRecordedStream(Stream(), kFps, kW, kH), 2);
}

AcquireStep MapFailure()
{
    AcquireStep step = NewFrame(Blocks(kW, kH, 7));
    step.mapFails = true;
    return step;
}

INSTANTIATE_TEST_SUITE_P(
    Acquires, RecordVideoFailureTest,
    testing::Values(FailingCase{"access_lost", fakes::Failing(DXGI_ERROR_ACCESS_LOST), kAccessLost},
                    FailingCase{"invalid_call", fakes::Failing(DXGI_ERROR_INVALID_CALL),
                                kUnknownCause + L"-2005270527"},
                    FailingCase{"mapping_failure", MapFailure(), kUnknownCause + L"1"}),
    CaseName());

// Every way a recording fails, at the box it shows.
enum class Failure
{
    DesktopLost,
    OtherAcquireFailure,
    EncodeFailsInSlot,
    EncodeFailsWhenLate,
    TooLate,
    NoPicture,
    WidthChange,
};

struct HeldBoxCase : NamedCase
{
    Failure failure;
    std::wstring text;
    std::wstring caption;
    std::vector<int> pictures;  // the frames the file shows, in order; -1 black
};

class RecordVideoHeldBoxTest : public RecordVideoTest, public testing::WithParamInterface<HeldBoxCase>
{
protected:
    // The encode call that fails, counted from 0 (the first slot's).
    static int FailingEncode(Failure failure)
    {
        return failure == Failure::EncodeFailsInSlot || failure == Failure::EncodeFailsWhenLate ? 2 : -1;
    }

    std::vector<AcquireStep> Script(Failure failure)
    {
        const int64_t slot = Slot(kFps);
        switch (failure) {
        case Failure::DesktopLost:
            return {Priming(), NewFrame(frames[0]), NewFrame(frames[1]), fakes::Failing(DXGI_ERROR_ACCESS_LOST)};
        case Failure::OtherAcquireFailure:
            return {Priming(), NewFrame(frames[0]), NewFrame(frames[1]), fakes::Failing(DXGI_ERROR_INVALID_CALL)};
        case Failure::EncodeFailsInSlot:
            return {Priming(), NewFrame(frames[0]), NewFrame(frames[1]), NewFrame(frames[2])};
        case Failure::EncodeFailsWhenLate:
            return {Priming(), NewFrame(frames[0]), Waiting(NewFrame(frames[1]), slot * 5 / 2), NewFrame(frames[2])};
        case Failure::TooLate:
            return {Priming(), NewFrame(frames[0]), Waiting(NewFrame(frames[1]), slot * (2 * kLateLimit + 3) / 2),
                    NewFrame(frames[2])};
        case Failure::NoPicture:
            return {TimedOut(), Waiting(TimedOut(), slot * 5 / 2), NewFrame(frames[0])};
        case Failure::WidthChange: {
            AcquireStep widening = NewFrame(frames[1]);
            widening.during = [this] { system->SetDesktopRect({0, 0, kW + 16, kH}); };
            return {Priming(), NewFrame(frames[0]), widening, NewFrame(frames[2])};
        }
        }
        return {};
    }

    std::vector<std::vector<uint32_t>> Expected(const std::vector<int>& indices)
    {
        std::vector<std::vector<uint32_t>> pictures;
        for (int i : indices)
            pictures.push_back(i < 0 ? Black(kW, kH) : F(i));
        return pictures;
    }

    FailingEncoder encoder{FailingEncode(GetParam().failure)};
};

// The box comes before the end sequence, yet what was encoded is on disk while
// it waits: the process may be ended then (a sign-out, a user ending a program
// that seems hung). The finished file is the same.
TEST_P(RecordVideoHeldBoxTest, FileHoldsEveryPictureWhileTheBoxWaits)
{
    const HeldBoxCase& c = GetParam();
    boxes.SetPolicy([](const MessageBoxRecord&) { return 0; });
    system->Push(Script(c.failure));
    Start(kFps);
    ASSERT_TRUE(boxes.WaitForBoxes(1));
    EXPECT_TRUE(Running()) << "the box comes before the end sequence";
    const std::vector<uint8_t> shownWhileWaiting = Stream();
    ExpectPictures(Expected(c.pictures));
    MessageBoxWatcher::Press(boxes.Boxes()[0].window, IDOK);
    Finish();
    ExpectOneStopBox(c.text, c.caption);
    EXPECT_EQ(Stream(), shownWhileWaiting) << "the close adds nothing";
}

INSTANTIATE_TEST_SUITE_P(
    Failures, RecordVideoHeldBoxTest,
    testing::Values(HeldBoxCase{{"desktop_lost"}, Failure::DesktopLost, kAccessLost, kError, {0, 1}},
                    HeldBoxCase{{"other_acquire_failure"}, Failure::OtherAcquireFailure,
                                kUnknownCause + L"-2005270527", kError, {0, 1}},
                    HeldBoxCase{{"encode_fails_in_slot"}, Failure::EncodeFailsInSlot, L"视频编码失败，原因未知\n",
                                kError, {0, 1}},
                    HeldBoxCase{{"encode_fails_when_late"}, Failure::EncodeFailsWhenLate,
                                L"编码失败，原因未知，请联系作者。\n", kError, {0, 1}},
                    HeldBoxCase{{"too_late"}, Failure::TooLate, kTooLate, kError, {0, 1}},
                    HeldBoxCase{{"no_picture"}, Failure::NoPicture, kNoPicture, kError, {-1}},
                    HeldBoxCase{{"width_change"}, Failure::WidthChange, L"录制已停止，导致原因是你更改了分辨率\n",
                                L"分辨率改动", {0, 1}}),
    CaseName());

TEST_F(RecordVideoTest, EncoderThatCannotOpenLeavesAnEmptyFile)
{
    UseOutputs({{0, 0, 0, kH}});  // no width: the encoder refuses it
    system->Push(TimedOut());
    Record(kFps);
    ExpectOneStopBox(L"编码器初始化失败", L"致命错误");
    EXPECT_TRUE(PathExists(StreamPath()));
    EXPECT_EQ(FileSize(StreamPath()), 0);
    EXPECT_EQ(system->CountCalls("AcquireNextFrame"), 1) << "only the priming acquire";
}

TEST_F(RecordVideoTest, WithoutAUsableEngineNothingIsRecorded)
{
    RecordVideo(StreamPath(), kFps, false, false, nullptr);  // g_videoCapture is null
    EXPECT_FALSE(PathExists(StreamPath()));
    system->construction.duplicateOutput = E_NOTIMPL;
    ASSERT_NE(Engine().m_hr, 0);
    Record(kFps);
    EXPECT_FALSE(PathExists(StreamPath()));
    EXPECT_TRUE(boxes.Boxes().empty());
}

TEST_F(RecordVideoTest, RegionModeRecordsOnlyTheRegion)
{
    const RECT region{16, 8, 48, 40};
    system->Push({Priming(), NewFrame(frames[0]), NewFrame(frames[1]), TimedOut(), NewFrame(frames[2])});
    Record(kFps, false, &region);
    ExpectPictures({Crop(*frames[0], 16, 8, 32, 32), Crop(*frames[1], 16, 8, 32, 32), Crop(*frames[1], 16, 8, 32, 32),
                    Crop(*frames[2], 16, 8, 32, 32)},
                   32, 32);
}

// A turned output reports a 48 x 64 desktop rectangle while its pictures come
// 64 x 48: only what lies in the picture is recorded, the rest stays black.
TEST_F(RecordVideoTest, TurnedOutputIsCroppedToThePicture)
{
    UseOutputs({{0, 0, kH, kW}});
    struct Case
    {
        bool region;
        RECT rect;
    };
    for (const Case& c : {Case{false, {0, 0, kH, kW}}, Case{true, {8, 40, 40, 56}}}) {
        SCOPED_TRACE(c.region ? "region" : "whole output");
        const int w = c.rect.right - c.rect.left;
        const int h = c.rect.bottom - c.rect.top;
        std::vector<uint32_t> expected = Black(w, h);
        for (int y = 0; y < h && c.rect.top + y < kH; ++y)
            for (int x = 0; x < w; ++x)
                expected[y * w + x] = frames[0]->At(c.rect.left + x, c.rect.top + y);
        system->Push({Priming(), NewFrame(frames[0])});
        g_stopRecording = false;
        Record(kFps, true, c.region ? &c.rect : nullptr);
        ExpectPictures({expected}, w, h);
    }
}

// Counter values far beyond what a day gives at 10 MHz: at 3 GHz, counts times
// 10^7 leave 64 bits after 307 seconds. 310 seconds at 10 fps must still give one
// picture per slot.
class FastCounterRecordingTest : public RecordingFixture
{
protected:
    FastCounterRecordingTest() : RecordingFixture(3'000'000'000) {}
};

TEST_F(FastCounterRecordingTest, PacingHoldsPastTheRangeOfNaiveArithmetic)
{
    UseOutputs({{0, 0, 32, 32}});
    constexpr int kTenFps = 10;
    constexpr int kSlots = 3'100;
    std::shared_ptr<fakes::Picture> pictures[3] = {Blocks(32, 32, 0), Blocks(32, 32, 1), Blocks(32, 32, 2)};
    fakes::LiveDesktop desktop(Clock(), kTenFps, [&](int64_t i) { return pictures[i % 3]; });
    system->whenScriptEnds = [&](UINT timeoutMs) { return desktop.Next(timeoutMs); };
    system->recordCalls = false;
    const int64_t start = Clock().Now();  // nothing moves the clock before slot 0
    Clock().StopRecordingAt(start + kSlots * Slot(kTenFps));
    Record(kTenFps);
    EXPECT_TRUE(boxes.Boxes().empty());
    EXPECT_EQ(Clock().FirstRead(), start);
    EXPECT_EQ(CheckRecordedStream(Stream(), kTenFps, 32, 32), kSlots);
    EXPECT_EQ(desktop.FramesShown(), kSlots + 2) << "every slot had a fresh picture";
    const DecodedStream decoded = DecodeStream(StreamPath(), 32, 32);
    EXPECT_EQ(decoded.messages, "");
    EXPECT_EQ(decoded.Pictures(), kSlots);
}

struct RealTimeCase
{
    const char* name;
    double desktopHz;
};

void PrintTo(const RealTimeCase& c, std::ostream* os) { *os << c.name; }

class RealTimeRecordingTest : public RecordingFixture, public testing::WithParamInterface<RealTimeCase>
{
protected:
    RealTimeRecordingTest() : RecordingFixture(0) {}
};

// A recording of d seconds holds about d x fps pictures, whether the desktop
// changes more or less often than the frame rate. d runs from slot 0 (the first
// acquire after the priming one) to the stop.
TEST_P(RealTimeRecordingTest, HoldsAPicturePerSlotOfWallClockTime)
{
    fakes::RealClock time;
    auto picture = Blocks(kW, kH, 0);
    fakes::LiveDesktop desktop(time, GetParam().desktopHz, [&](int64_t) { return picture; });
    std::atomic<int> acquires{0};
    std::atomic<int64_t> slot0{0};
    system->whenScriptEnds = [&](UINT timeoutMs) {
        if (++acquires == 2)
            slot0 = time.Now();
        return desktop.Next(timeoutMs);
    };
    Start(kFps);
    // The measured span begins at slot 0, however late a loaded machine gets there.
    for (int i = 0; i < 2000 && slot0 == 0; ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    ASSERT_NE(slot0, 0) << "the recording never reached its first slot";
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    g_stopRecording = true;
    const int64_t stop = time.Now();
    Finish();
    EXPECT_TRUE(boxes.Boxes().empty());
    const double seconds = static_cast<double>(stop - slot0) / time.Frequency();
    EXPECT_NEAR(CheckRecordedStream(Stream(), kFps, kW, kH), seconds * kFps, 2.0) << seconds << " s";
}

INSTANTIATE_TEST_SUITE_P(Desktops, RealTimeRecordingTest,
                         testing::Values(RealTimeCase{"slower_desktop_20hz", 20}, RealTimeCase{"faster_desktop_75hz", 75}),
                         CaseName());

} // namespace
