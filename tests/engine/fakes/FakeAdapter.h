#pragma once

#include "ComStubs.h"
#include "FakeObject.h"

namespace fakes {

// The default adapter, with the fake system's outputs.
class FakeAdapter final : public StubDXGIAdapter, public FakeObject
{
public:
    explicit FakeAdapter(FakeSystem& system) : FakeObject(system, "IDXGIAdapter") {}
    FAKE_COM_REFCOUNT

    HRESULT STDMETHODCALLTYPE EnumOutputs(UINT index, IDXGIOutput** output) override;
};

} // namespace fakes
