#pragma once

#include "Clock.h"

#include <windows.h>
#include <d3d11.h>
#include <dxgi1_2.h>

#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace fakes {

class FakeObject;
class FakeDevice;
class FakeContext;
class FakeAdapter;
class FakeOutput;
class FakeDuplication;
class FakeTexture;

// A desktop image: packed 32-bit BGRA pixels, top row first.
struct Picture
{
    Picture(int w, int h, uint32_t fill = 0) : width(w), height(h), pixels(static_cast<size_t>(w) * h, fill) {}
    uint32_t& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

    int width;
    int height;
    std::vector<uint32_t> pixels;
};

// A pointer shape as GetFramePointerShape delivers it.
struct PointerShape
{
    DXGI_OUTDUPL_POINTER_SHAPE_INFO info{};
    std::vector<uint8_t> bits;
};

// What one AcquireNextFrame call does.
struct AcquireStep
{
    HRESULT result = S_OK;
    // How far the clock moves during the call; -1: not at all for a new frame,
    // the whole time-out otherwise.
    int64_t waitTicks = -1;
    // With S_OK, the new desktop image; null: the previous one again.
    std::shared_ptr<const Picture> picture;
    // Mapping the CPU copy of this frame fails.
    bool mapFails = false;
    // The frame information's pointer fields.
    bool pointerVisible = false;
    POINT pointerPosition{};  // relative to the output
    int64_t lastMouseUpdateTime = 0;
    // A new pointer shape comes with this frame.
    std::shared_ptr<const PointerShape> shape;
    // The frame information's PointerShapeBufferSize; UINT_MAX: the shape's size.
    UINT reportedShapeSize = UINT_MAX;
    // The result of GetFramePointerShape when it is to fail.
    HRESULT shapeResult = S_OK;
    // Runs inside the call, before it returns (sets a flag, turns the output, ...).
    std::function<void()> during;
};

AcquireStep NewFrame(std::shared_ptr<const Picture> picture);
AcquireStep TimedOut();
AcquireStep Failing(HRESULT result);

// Results of the calls that build an engine, to make one of them fail.
struct ConstructionResults
{
    HRESULT createDevice = S_OK;
    HRESULT queryDxgiDevice = S_OK;
    HRESULT setGpuThreadPriority = S_OK;
    HRESULT getAdapter = S_OK;
    HRESULT queryOutput1 = S_OK;
    HRESULT duplicateOutput = S_OK;
};

// What the engine did with the staging textures and the duplication.
struct FakeStats
{
    int stagingTexturesCreated = 0;
    D3D11_TEXTURE2D_DESC lastStagingDesc{};
    UINT lastEvictionPriority = 0;
    int64_t framesDelivered = 0;  // by AcquireNextFrame
    int64_t waitedTicks = 0;      // clock ticks spent waiting inside AcquireNextFrame
};

// A fake Direct3D 11 / DXGI system: one hardware device with its immediate
// context, one adapter with outputs at chosen desktop rectangles, and a desktop
// duplication that plays a script of AcquireNextFrame results. While it lives,
// Hooks().createDevice creates its device. It records every call, and what the
// engine does wrong (calls it should not make, misuse, references it keeps).
class FakeSystem
{
public:
    explicit FakeSystem(Clock& clock, std::vector<RECT> outputs = {{0, 0, 64, 48}});
    ~FakeSystem();
    FakeSystem(const FakeSystem&) = delete;
    FakeSystem& operator=(const FakeSystem&) = delete;

    // Set before an engine is built or a frame acquired.
    ConstructionResults construction;
    HRESULT createTextureResult = S_OK;
    HRESULT queryFrameTextureResult = S_OK;    // the frame's resource for ID3D11Texture2D
    HRESULT queryStagingSurfaceResult = S_OK;  // a staging texture for IDXGISurface1
    int stagingPitchPadding = 32;              // bytes beyond width * 4 in each mapped row
    bool protectUnmapped = true;               // unmapped staging memory faults when touched
    bool recordCalls = true;
    // Also records "Release(<object>)" when the engine lets go of its last
    // reference to an object, to see the order of a release and a new creation.
    bool recordReleases = false;

    // The duplication's script; when it runs out, whenScriptEnds makes the steps
    // (by default: set g_stopRecording and time out).
    void Push(AcquireStep step);
    void Push(std::vector<AcquireStep> steps);
    size_t StepsLeft() const;
    std::function<AcquireStep(UINT timeoutMs)> whenScriptEnds;

    RECT DesktopRect(size_t output = 0) const;
    void SetDesktopRect(RECT rect, size_t output = 0);

    std::vector<std::string> Calls() const;
    // How many recorded calls start with prefix.
    int CountCalls(const std::string& prefix) const;
    void ClearCalls();
    // Unexpected calls, misuse and, once the engine is gone, references it still holds.
    std::vector<std::string> Problems() const;
    // Objects the engine still holds references to, with their counts.
    std::vector<std::string> HeldReferences() const;

    FakeStats Stats() const;

    // Used by the fake objects.
    Clock& GetClock() { return m_clock; }
    void Log(std::string call);
    void Problem(std::string what);
    template <class T, class... Args>
    T* Make(Args&&... args);
    FakeDevice* Device() { return m_device; }
    FakeContext* Context() { return m_context; }
    FakeAdapter* Adapter() { return m_adapter; }
    FakeOutput* Output(size_t index) { return m_outputs[index]; }
    size_t OutputCount() const { return m_outputs.size(); }
    FakeDuplication* Duplication() { return m_duplication; }
    FakeTexture* DesktopTexture() { return m_desktopTexture; }
    AcquireStep NextStep(UINT timeoutMs);
    void UpdateStats(const std::function<void(FakeStats&)>& change);
    static FakeSystem* Current();

private:
    Clock& m_clock;
    mutable std::mutex m_mutex;
    std::vector<std::unique_ptr<FakeObject>> m_objects;
    std::deque<AcquireStep> m_script;
    std::vector<RECT> m_rects;
    std::vector<std::string> m_calls;
    std::vector<std::string> m_problems;
    FakeStats m_stats;

    FakeDevice* m_device = nullptr;
    FakeContext* m_context = nullptr;
    FakeAdapter* m_adapter = nullptr;
    std::vector<FakeOutput*> m_outputs;
    FakeDuplication* m_duplication = nullptr;
    FakeTexture* m_desktopTexture = nullptr;
};

template <class T, class... Args>
T* FakeSystem::Make(Args&&... args)
{
    auto object = std::make_unique<T>(*this, std::forward<Args>(args)...);
    T* raw = object.get();
    std::lock_guard<std::mutex> lock(m_mutex);
    m_objects.push_back(std::move(object));
    return raw;
}

} // namespace fakes
