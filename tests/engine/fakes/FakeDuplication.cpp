#include "FakeDuplication.h"

#include "FakeTexture.h"

#include <cstring>
#include <string>

namespace fakes {

HRESULT FakeDuplication::QueryInterface(REFIID iid, void** out)
{
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDXGIObject) || iid == __uuidof(IDXGIOutputDuplication))
        return Hand(static_cast<IDXGIOutputDuplication*>(this), out);
    return Hand(nullptr, out);
}

HRESULT FakeDuplication::AcquireNextFrame(UINT timeoutMs, DXGI_OUTDUPL_FRAME_INFO* info, IDXGIResource** resource)
{
    FakeSystem& system = System();
    system.Log("AcquireNextFrame(" + std::to_string(timeoutMs) + ")");
    *resource = nullptr;
    if (m_held) {
        system.Problem("AcquireNextFrame while the previous frame is still held");
        return DXGI_ERROR_INVALID_CALL;
    }
    AcquireStep step = system.NextStep(timeoutMs);
    if (step.during)
        step.during();
    Clock& clock = system.GetClock();
    const int64_t wait = step.waitTicks >= 0 ? step.waitTicks
                         : step.result == S_OK ? 0
                                               : clock.TicksFromMs(timeoutMs);
    const int64_t before = clock.Now();
    clock.WaitUntil(before + wait);
    const int64_t waited = clock.Now() - before;
    system.UpdateStats([=](FakeStats& stats) { stats.waitedTicks += waited; });
    if (step.result != S_OK)
        return step.result;

    if (step.picture)
        m_last = step.picture;
    if (!m_last) {
        system.Problem("script error: a new frame without a picture");
        return DXGI_ERROR_INVALID_CALL;
    }
    system.DesktopTexture()->Show(m_last);
    *info = {};
    info->LastPresentTime.QuadPart = clock.Now();
    info->LastMouseUpdateTime.QuadPart = step.lastMouseUpdateTime;
    info->AccumulatedFrames = 1;
    info->PointerPosition.Position = step.pointerPosition;
    info->PointerPosition.Visible = step.pointerVisible;
    info->PointerShapeBufferSize =
        !step.shape ? 0
        : step.reportedShapeSize != UINT_MAX ? step.reportedShapeSize
                                             : static_cast<UINT>(step.shape->bits.size());
    m_step = std::move(step);
    m_held = true;
    system.UpdateStats([](FakeStats& stats) { ++stats.framesDelivered; });
    return system.DesktopTexture()->QueryInterface(__uuidof(IDXGIResource), reinterpret_cast<void**>(resource));
}

HRESULT FakeDuplication::GetFramePointerShape(UINT size, void* buffer, UINT* required,
                                              DXGI_OUTDUPL_POINTER_SHAPE_INFO* info)
{
    FakeSystem& system = System();
    system.Log("GetFramePointerShape(" + std::to_string(size) + ")");
    if (!m_held) {
        system.Problem("GetFramePointerShape without a frame");
        return DXGI_ERROR_INVALID_CALL;
    }
    if (FAILED(m_step.shapeResult))
        return m_step.shapeResult;
    if (!m_step.shape) {
        *required = 0;
        return S_OK;
    }
    const auto& bits = m_step.shape->bits;
    *required = static_cast<UINT>(bits.size());
    if (size < bits.size())
        return DXGI_ERROR_MORE_DATA;
    std::memcpy(buffer, bits.data(), bits.size());
    *info = m_step.shape->info;
    return S_OK;
}

HRESULT FakeDuplication::ReleaseFrame()
{
    System().Log("ReleaseFrame");
    if (!m_held) {
        System().Problem("ReleaseFrame without a frame");
        return DXGI_ERROR_INVALID_CALL;
    }
    m_held = false;
    return S_OK;
}

} // namespace fakes
