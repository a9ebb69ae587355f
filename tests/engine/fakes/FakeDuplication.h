#pragma once

#include "ComStubs.h"
#include "FakeObject.h"
#include "FakeSystem.h"

namespace fakes {

// The desktop duplication of the first output: plays the fake system's script.
class FakeDuplication final : public StubDXGIOutputDuplication, public FakeObject
{
public:
    explicit FakeDuplication(FakeSystem& system) : FakeObject(system, "IDXGIOutputDuplication") {}
    FAKE_COM_REFCOUNT

    HRESULT STDMETHODCALLTYPE AcquireNextFrame(UINT timeoutMs, DXGI_OUTDUPL_FRAME_INFO* info,
                                               IDXGIResource** resource) override;
    HRESULT STDMETHODCALLTYPE GetFramePointerShape(UINT size, void* buffer, UINT* required,
                                                   DXGI_OUTDUPL_POINTER_SHAPE_INFO* info) override;
    HRESULT STDMETHODCALLTYPE ReleaseFrame() override;

    // Whether mapping the CPU copy of the frame now held is to fail.
    bool MapFails() const { return m_held && m_step.mapFails; }

private:
    bool m_held = false;
    AcquireStep m_step;
    std::shared_ptr<const Picture> m_last;
};

} // namespace fakes
