#pragma once

#include "ComStubs.h"
#include "FakeObject.h"

namespace fakes {

// The Direct3D 11 device and its DXGI face, one object as on Windows.
class FakeDevice final : public StubD3D11Device, public StubDXGIDevice, public FakeObject
{
public:
    explicit FakeDevice(FakeSystem& system) : FakeObject(system, "ID3D11Device") {}
    FAKE_COM_REFCOUNT

    // ID3D11Device
    HRESULT STDMETHODCALLTYPE CreateTexture2D(const D3D11_TEXTURE2D_DESC* desc, const D3D11_SUBRESOURCE_DATA* initial,
                                              ID3D11Texture2D** texture) override;
    // IDXGIDevice
    HRESULT STDMETHODCALLTYPE SetGPUThreadPriority(INT priority) override;
    HRESULT STDMETHODCALLTYPE GetAdapter(IDXGIAdapter** adapter) override;
};

} // namespace fakes
