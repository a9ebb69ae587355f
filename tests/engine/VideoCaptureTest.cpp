#include "VideoCapture.h"

#include "FakeClock.h"
#include "FakeSystem.h"

#include "NamedCase.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using fakes::AcquireStep;
using fakes::FakeClock;
using fakes::FakeSystem;
using fakes::Picture;
using fakes::PointerShape;

namespace {

std::shared_ptr<Picture> Patterned(int w, int h, uint32_t seed = 0)
{
    auto p = std::make_shared<Picture>(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            p->At(x, y) = (seed << 24) | (x << 12) | (y << 2) | 1;
    return p;
}

std::shared_ptr<PointerShape> ColourShape(int w, int h, uint32_t colour)
{
    auto s = std::make_shared<PointerShape>();
    s->info.Type = DXGI_OUTDUPL_POINTER_SHAPE_TYPE_COLOR;
    s->info.Width = w;
    s->info.Height = h;
    s->info.Pitch = w * 4;
    s->bits.resize(static_cast<size_t>(w) * h * 4);
    for (size_t i = 0; i < s->bits.size(); i += 4)
        std::memcpy(&s->bits[i], &colour, 4);
    return s;
}

// The picture an AcquireFrame handed out, read through its pitch.
std::vector<uint32_t> Read(const BYTE* pixels, int pitch, int w, int h)
{
    std::vector<uint32_t> out(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        std::memcpy(&out[static_cast<size_t>(y) * w], pixels + static_cast<size_t>(y) * pitch, w * 4u);
    return out;
}

// A w x h picture of colour background with an opaque shape of colour ink drawn at
// (x, y), clipped to clipW x clipH.
std::vector<uint32_t> WithPointer(int w, int h, uint32_t background, int x, int y, int sw, int sh, uint32_t ink,
                                  int clipW, int clipH)
{
    std::vector<uint32_t> out(static_cast<size_t>(w) * h, background);
    for (int r = 0; r < sh; ++r)
        for (int c = 0; c < sw; ++c)
            if (x + c >= 0 && x + c < clipW && y + r >= 0 && y + r < clipH)
                out[static_cast<size_t>(y + r) * w + x + c] = ink;
    return out;
}

void ExpectClean(const FakeSystem& system)
{
    EXPECT_EQ(system.Problems(), std::vector<std::string>{});
    EXPECT_EQ(system.HeldReferences(), std::vector<std::string>{});
}

class VideoCaptureTest : public testing::Test
{
protected:
    void UseOutputs(std::vector<RECT> outputs)
    {
        system.reset();
        system = std::make_unique<FakeSystem>(clock, std::move(outputs));
    }
    void TearDown() override
    {
        engine.reset();
        ExpectClean(*system);
    }
    // Acquires one frame of the script step and returns the result.
    HRESULT Acquire(AcquireStep step, bool drawCursor = true)
    {
        system->Push(std::move(step));
        return engine->AcquireFrame(&pixels, drawCursor, 43);
    }

    FakeClock clock;
    std::unique_ptr<FakeSystem> system = std::make_unique<FakeSystem>(clock);
    std::unique_ptr<VideoCapture> engine;
    BYTE* pixels = nullptr;
};

TEST_F(VideoCaptureTest, BuildsTheDuplicationOfTheChosenOutputInSevenSteps)
{
    UseOutputs({{0, 0, 64, 48}, {64, 0, 96, 24}});
    engine = std::make_unique<VideoCapture>(1);
    EXPECT_EQ(engine->m_hr, 0);
    EXPECT_EQ(engine->m_featureLevel, D3D_FEATURE_LEVEL_11_0);
    const std::vector<std::string> expected = {
        "D3D11CreateDevice(adapter=null, driver=1, software=null, flags=0, levels=null, count=0, sdk=7)",
        "QueryInterface(IDXGIDevice)",
        "SetGPUThreadPriority(7)",
        "GetAdapter",
        "EnumOutputs(1)",
        "QueryInterface(IDXGIOutput1)",
        "DuplicateOutput(IDXGIDevice)",
    };
    EXPECT_EQ(system->Calls(), expected);
    ASSERT_TRUE(engine->m_pOutput1 && engine->m_pOutput && engine->m_pDuplication && engine->m_pContext &&
                engine->m_pAdapter && engine->m_pDxgiDevice && engine->m_pDevice);
    DXGI_OUTPUT_DESC desc{};
    engine->m_pOutput1->GetDesc(&desc);
    EXPECT_EQ(desc.DesktopCoordinates.left, 64);
    EXPECT_EQ(desc.DesktopCoordinates.right, 96);
}

struct FailureCase
{
    const char* name;
    std::function<void(FakeSystem&)> arrange;
    HRESULT expected;
    int stepsDone;  // members obtained: device+context, DXGI device, -, adapter, output, output1, duplication
    UINT outputIndex = 0;
};

void PrintTo(const FailureCase& c, std::ostream* os) { *os << c.name; }

class VideoCaptureConstructionTest : public VideoCaptureTest, public testing::WithParamInterface<FailureCase>
{
};

// The first failing step's result is the status, the later steps are not made,
// and whatever was obtained is released with the engine.
TEST_P(VideoCaptureConstructionTest, StopsAtTheFirstFailure)
{
    const FailureCase& c = GetParam();
    c.arrange(*system);
    engine = std::make_unique<VideoCapture>(c.outputIndex);
    EXPECT_EQ(engine->m_hr, c.expected);
    const bool got[] = {engine->m_pDevice && engine->m_pContext, bool(engine->m_pDxgiDevice), true,
                        bool(engine->m_pAdapter), bool(engine->m_pOutput), bool(engine->m_pOutput1),
                        bool(engine->m_pDuplication)};
    for (int step = 0; step < 7; ++step) {
        if (step != 2) {  // the GPU priority has no member
            EXPECT_EQ(got[step], step < c.stepsDone) << "member of step " << step + 1;
        }
    }
    EXPECT_EQ(system->Calls().size(), static_cast<size_t>(c.stepsDone + 1)) << "calls after the failure";
}

INSTANTIATE_TEST_SUITE_P(
    Steps, VideoCaptureConstructionTest,
    testing::Values(
        FailureCase{"device", [](FakeSystem& s) { s.construction.createDevice = DXGI_ERROR_UNSUPPORTED; },
                    DXGI_ERROR_UNSUPPORTED, 0},
        FailureCase{"dxgi_device", [](FakeSystem& s) { s.construction.queryDxgiDevice = E_NOINTERFACE; },
                    E_NOINTERFACE, 1},
        FailureCase{"gpu_priority", [](FakeSystem& s) { s.construction.setGpuThreadPriority = E_INVALIDARG; },
                    E_INVALIDARG, 2},
        FailureCase{"adapter", [](FakeSystem& s) { s.construction.getAdapter = DXGI_ERROR_DEVICE_REMOVED; },
                    DXGI_ERROR_DEVICE_REMOVED, 3},
        FailureCase{"output_index_beyond_the_outputs", [](FakeSystem&) {}, DXGI_ERROR_NOT_FOUND, 4, 1},
        FailureCase{"output1", [](FakeSystem& s) { s.construction.queryOutput1 = E_NOINTERFACE; }, E_NOINTERFACE, 5},
        FailureCase{"duplication", [](FakeSystem& s) { s.construction.duplicateOutput = E_NOTIMPL; }, E_NOTIMPL, 6}),
    CaseName());

TEST_F(VideoCaptureConstructionTest, PositiveSuccessCodesLeaveTheEngineUsable)
{
    system->construction.setGpuThreadPriority = S_FALSE;
    system->construction.duplicateOutput = S_FALSE;
    engine = std::make_unique<VideoCapture>(0);
    EXPECT_EQ(engine->m_hr, 0);
    EXPECT_TRUE(engine->m_pDuplication);
}

TEST_F(VideoCaptureTest, NewFrameIsHandedOutMappedAndWritable)
{
    engine = std::make_unique<VideoCapture>(0);
    auto picture = Patterned(20, 10);
    ASSERT_EQ(Acquire(fakes::NewFrame(picture)), 0);
    ASSERT_NE(pixels, nullptr);
    EXPECT_EQ(engine->m_framePitch, 20 * 4 + system->stagingPitchPadding);
    EXPECT_EQ(engine->m_frameWidth, 20);
    EXPECT_EQ(engine->m_frameHeight, 10);
    EXPECT_EQ(Read(pixels, engine->m_framePitch, 20, 10), picture->pixels);
    // The pointer is drawn into the mapped copy: writing must be allowed.
    pixels[0] = 0x5A;
    EXPECT_EQ(pixels[0], 0x5A);

    const D3D11_TEXTURE2D_DESC staging = system->Stats().lastStagingDesc;
    EXPECT_EQ(staging.Usage, D3D11_USAGE_STAGING);
    EXPECT_EQ(staging.BindFlags, 0u);
    EXPECT_EQ(staging.MiscFlags, 0u);
    EXPECT_TRUE(staging.CPUAccessFlags & D3D11_CPU_ACCESS_READ);
    EXPECT_EQ(staging.Width, 20u);
    EXPECT_EQ(staging.Height, 10u);
    EXPECT_EQ(staging.Format, DXGI_FORMAT_B8G8R8A8_UNORM);
    EXPECT_EQ(staging.MipLevels, 1u);
    EXPECT_EQ(staging.ArraySize, 1u);
    EXPECT_EQ(staging.SampleDesc.Count, 1u);
    EXPECT_EQ(system->Stats().lastEvictionPriority, DXGI_RESOURCE_PRIORITY_MAXIMUM);
    EXPECT_EQ(system->CountCalls("ReleaseFrame"), 1) << "the frame is given back before the call returns";
}

TEST_F(VideoCaptureTest, StagingTextureIsMadeAgainOnlyWhenTheFrameSizeChanges)
{
    engine = std::make_unique<VideoCapture>(0);
    for (uint32_t i = 0; i < 3; ++i) {
        auto picture = Patterned(20, 10, i);
        ASSERT_EQ(Acquire(fakes::NewFrame(picture)), 0);
        EXPECT_EQ(Read(pixels, engine->m_framePitch, 20, 10), picture->pixels) << "frame " << i;
    }
    EXPECT_EQ(system->Stats().stagingTexturesCreated, 1);
    auto smaller = Patterned(16, 8, 9);
    ASSERT_EQ(Acquire(fakes::NewFrame(smaller)), 0);
    EXPECT_EQ(system->Stats().stagingTexturesCreated, 2);
    EXPECT_EQ(engine->m_frameWidth, 16);
    EXPECT_EQ(Read(pixels, engine->m_framePitch, 16, 8), smaller->pixels);
}

// Whatever the duplication says instead of a frame comes back unchanged, and the
// picture of the last frame stays where it was.
TEST_F(VideoCaptureTest, ResultsOtherThanAFrameArePassedOnUnchanged)
{
    engine = std::make_unique<VideoCapture>(0);
    ASSERT_EQ(Acquire(fakes::NewFrame(Patterned(20, 10))), 0);
    BYTE* const first = pixels;
    const int pitch = engine->m_framePitch;
    for (HRESULT hr : {DXGI_ERROR_WAIT_TIMEOUT, DXGI_ERROR_ACCESS_LOST, DXGI_ERROR_INVALID_CALL, E_UNEXPECTED}) {
        EXPECT_EQ(Acquire(fakes::Failing(hr)), hr);
        EXPECT_EQ(pixels, first);
        EXPECT_EQ(engine->m_framePitch, pitch);
    }
    EXPECT_EQ(system->CountCalls("ReleaseFrame"), 1);
}

TEST_F(VideoCaptureTest, MappingFailureGivesOneAndTheNextFrameWorks)
{
    engine = std::make_unique<VideoCapture>(0);
    AcquireStep failing = fakes::NewFrame(Patterned(20, 10, 1));
    failing.mapFails = true;
    EXPECT_EQ(Acquire(failing), 1);
    EXPECT_EQ(pixels, nullptr);
    auto picture = Patterned(20, 10, 2);
    ASSERT_EQ(Acquire(fakes::NewFrame(picture)), 0);
    EXPECT_EQ(Read(pixels, engine->m_framePitch, 20, 10), picture->pixels);
}

struct CopyFailure
{
    const char* name;
    HRESULT FakeSystem::*result;
    HRESULT code;
};

// A failure between the acquire and the map is reported as itself (the record
// loop shows it as an error code), and the frame still goes back.
TEST_F(VideoCaptureTest, FailuresOfTheCopyReleaseTheFrame)
{
    const CopyFailure cases[] = {
        {"create_texture", &FakeSystem::createTextureResult, E_OUTOFMEMORY},
        {"frame_texture_interface", &FakeSystem::queryFrameTextureResult, E_NOINTERFACE},
        {"staging_surface_interface", &FakeSystem::queryStagingSurfaceResult, E_NOINTERFACE},
    };
    engine = std::make_unique<VideoCapture>(0);
    int width = 20;
    for (const auto& c : cases) {
        width += 2;  // a new size, so that a new staging texture is made
        (*system).*c.result = c.code;
        EXPECT_EQ(Acquire(fakes::NewFrame(Patterned(width, 10))), c.code) << c.name;
        (*system).*c.result = S_OK;
        auto picture = Patterned(width, 10, 3);
        ASSERT_EQ(Acquire(fakes::NewFrame(picture)), 0) << c.name;
        EXPECT_EQ(Read(pixels, engine->m_framePitch, width, 10), picture->pixels) << c.name;
    }
    EXPECT_EQ(system->Problems(), std::vector<std::string>{});
}

// ---- the pointer -----------------------------------------------------------

constexpr uint32_t kBackground = 0xFF203040;
constexpr uint32_t kInk = 0xFFE0C0A0;

std::shared_ptr<Picture> Plain(int w = 32, int h = 24) { return std::make_shared<Picture>(w, h, kBackground); }

AcquireStep PointerFrame(bool visible, POINT at, int64_t mouseUpdate, std::shared_ptr<PointerShape> shape = nullptr)
{
    AcquireStep step = fakes::NewFrame(Plain());
    step.pointerVisible = visible;
    step.pointerPosition = at;
    step.lastMouseUpdateTime = mouseUpdate;
    step.shape = std::move(shape);
    return step;
}

class PointerTest : public VideoCaptureTest
{
protected:
    // The picture after DrawCursor, with the output's own desktop rectangle.
    std::vector<uint32_t> Drawn(int w = 32, int h = 24)
    {
        DXGI_OUTPUT_DESC desc{};
        engine->m_pOutput1->GetDesc(&desc);
        engine->DrawCursor(&pixels, &desc.DesktopCoordinates);
        return Read(pixels, engine->m_framePitch, w, h);
    }
    std::vector<uint32_t> Expect(int x, int y, int size = 4)
    {
        return WithPointer(32, 24, kBackground, x, y, size, size, kInk, 32, 24);
    }
    std::vector<uint32_t> Nothing() { return std::vector<uint32_t>(32 * 24, kBackground); }
};

TEST_F(PointerTest, NothingIsDrawnUntilADrawableShapeHasCome)
{
    engine = std::make_unique<VideoCapture>(0);
    ASSERT_EQ(Acquire(PointerFrame(true, {2, 2}, 100)), 0);
    EXPECT_EQ(Drawn(), Nothing()) << "visible, but no shape yet";
    auto typeless = ColourShape(4, 4, kInk);
    typeless->info.Type = 0;
    ASSERT_EQ(Acquire(PointerFrame(true, {2, 2}, 200, typeless)), 0);
    EXPECT_EQ(Drawn(), Nothing()) << "a shape of no known type is not kept";
    ASSERT_EQ(Acquire(PointerFrame(true, {5, 6}, 300, ColourShape(4, 4, kInk))), 0);
    EXPECT_EQ(Drawn(), Expect(5, 6));
    EXPECT_EQ(engine->m_pPointerInfo->shapeBufferSize, 64u);
}

TEST_F(PointerTest, ShapeLargerThanTheFrameSaysIsFetchedWithTheRequiredSize)
{
    engine = std::make_unique<VideoCapture>(0);
    AcquireStep step = PointerFrame(true, {1, 1}, 100, ColourShape(4, 4, kInk));
    step.reportedShapeSize = 16;
    ASSERT_EQ(Acquire(step), 0);
    EXPECT_EQ(system->CountCalls("GetFramePointerShape(16)"), 1);
    EXPECT_EQ(system->CountCalls("GetFramePointerShape(64)"), 1);
    EXPECT_EQ(Drawn(), Expect(1, 1));
}

// One pointer across frames: where the duplication's frame information moves,
// hides and shows it, and where it leaves it be.
TEST_F(PointerTest, PlaceAndVisibilityFollowTheFrames)
{
    struct Step
    {
        const char* what;
        AcquireStep frame;
        bool drawCursor;
        int drawnX, drawnY;  // -1: nothing drawn
    };
    AcquireStep failedShape = PointerFrame(true, {1, 1}, 300, ColourShape(2, 2, 0xFF00FF00));
    failedShape.shapeResult = E_ACCESSDENIED;
    Step steps[] = {
        {"first shape", PointerFrame(true, {5, 6}, 100, ColourShape(4, 4, kInk)), true, 5, 6},
        {"moved without a new shape", PointerFrame(true, {8, 3}, 200), true, 8, 3},
        {"shape query failed: shape and place stay", failedShape, true, 8, 3},
        {"desktop change only", PointerFrame(false, {0, 0}, 0), true, 8, 3},
        {"mouse update without a visible pointer hides it", PointerFrame(false, {0, 0}, 400), true, -1, -1},
        {"visible again, not drawing: still hidden", PointerFrame(true, {10, 2}, 500), false, -1, -1},
        {"drawing again: last shape at the new place", PointerFrame(true, {3, 4}, 600), true, 3, 4},
        {"past the bottom right corner: clipped", PointerFrame(true, {30, 22}, 700), true, 30, 22},
        {"above and left of the picture: clipped", PointerFrame(true, {-2, -3}, 800), true, -2, -3},
    };
    engine = std::make_unique<VideoCapture>(0);
    for (auto& s : steps) {
        ASSERT_EQ(Acquire(s.frame, s.drawCursor), 0) << s.what;
        EXPECT_EQ(Drawn(), s.drawnX == -1 ? Nothing() : Expect(s.drawnX, s.drawnY)) << s.what;
    }
}

// The duplication gives the pointer relative to the output; the record keeps it
// in desktop coordinates, and it is drawn at its place in that output's picture.
TEST_F(PointerTest, PointerOnASecondMonitorIsDrawnInItsPicture)
{
    UseOutputs({{0, 0, 1920, 1080}, {1920, 100, 1952, 124}});
    engine = std::make_unique<VideoCapture>(1);
    ASSERT_EQ(Acquire(PointerFrame(true, {5, 6}, 100, ColourShape(4, 4, kInk))), 0);
    EXPECT_EQ(engine->m_pPointerInfo->frameInfo.PointerPosition.Position.x, 1925);
    EXPECT_EQ(engine->m_pPointerInfo->frameInfo.PointerPosition.Position.y, 106);
    EXPECT_EQ(Drawn(), Expect(5, 6));
}

// A turned output reports a turned desktop rectangle (24 x 32 here) while its
// pictures come unturned (32 x 24): the pointer is drawn only inside both.
TEST_F(PointerTest, TurnedOutputDrawsOnlyInsideThePicture)
{
    UseOutputs({{0, 0, 24, 32}});
    engine = std::make_unique<VideoCapture>(0);
    ASSERT_EQ(Acquire(PointerFrame(true, {18, 20}, 100, ColourShape(8, 8, kInk))), 0);
    EXPECT_EQ(Drawn(), WithPointer(32, 24, kBackground, 18, 20, 8, 8, kInk, 24, 24));
}


// ---- the last picture, once more -------------------------------------------

// A recording that starts on an unchanged screen gets the last picture again,
// as the screen showed it: without the pointer drawn into it, which a recording
// without the pointer must not show and one with it would show twice.
TEST_F(PointerTest, LastPictureComesBackWithoutItsPointer)
{
    UseOutputs({{0, 0, 32, 24}});
    engine = std::make_unique<VideoCapture>(0);
    const uint32_t halfInk = 0x80E0C0A0;  // blended: a pointer drawn twice shows darker
    ASSERT_EQ(Acquire(PointerFrame(true, {5, 6}, 100, ColourShape(4, 4, halfInk))), 0);
    const std::vector<uint32_t> once = Drawn();
    ASSERT_NE(once, Nothing());
    EXPECT_EQ(Drawn(), once) << "drawing again draws one pointer";
    ASSERT_EQ(Acquire(fakes::TimedOut()), DXGI_ERROR_WAIT_TIMEOUT);
    BYTE* last = nullptr;
    ASSERT_EQ(engine->LastPicture(&last), 0);
    EXPECT_EQ(Read(last, engine->m_framePitch, 32, 24), Nothing());
    pixels = last;
    EXPECT_EQ(Drawn(), once) << "the pointer goes in as on a fresh picture";
}

// Only a picture of the output's present size stands for its screen.
TEST_F(VideoCaptureTest, LastPictureIsThereOnlyInTheOutputsSize)
{
    UseOutputs({{0, 0, 32, 24}});
    engine = std::make_unique<VideoCapture>(0);
    BYTE* last = nullptr;
    EXPECT_EQ(engine->LastPicture(&last), 1) << "no picture yet";
    ASSERT_EQ(Acquire(fakes::NewFrame(Patterned(32, 24))), 0);
    system->SetDesktopRect({0, 0, 40, 24});
    EXPECT_EQ(engine->LastPicture(&last), 1) << "the mode has changed since";
    EXPECT_EQ(last, nullptr);
    system->SetDesktopRect({0, 0, 32, 24});
    ASSERT_EQ(engine->LastPicture(&last), 0);
    EXPECT_EQ(Read(last, engine->m_framePitch, 32, 24), Patterned(32, 24)->pixels);
    ASSERT_EQ(engine->LastPicture(&last), 0) << "and again, while it is mapped";
    EXPECT_EQ(Read(last, engine->m_framePitch, 32, 24), Patterned(32, 24)->pixels);
}

} // namespace
