#pragma once

#include "ComStubs.h"
#include "FakeObject.h"

namespace fakes {

// The immediate context: only copies from the desktop image to a staging texture.
class FakeContext final : public StubD3D11DeviceContext, public FakeObject
{
public:
    explicit FakeContext(FakeSystem& system) : FakeObject(system, "ID3D11DeviceContext") {}
    FAKE_COM_REFCOUNT

    void STDMETHODCALLTYPE CopyResource(ID3D11Resource* destination, ID3D11Resource* source) override;
};

} // namespace fakes
