#include "FakeDevice.h"

#include "FakeAdapter.h"
#include "FakeSystem.h"
#include "FakeTexture.h"

#include <string>

namespace fakes {

HRESULT FakeDevice::QueryInterface(REFIID iid, void** out)
{
    FakeSystem& system = System();
    if (iid == __uuidof(IDXGIDevice)) {
        system.Log("QueryInterface(IDXGIDevice)");
        return HandUnless(system.construction.queryDxgiDevice, static_cast<IDXGIDevice*>(this), out);
    }
    if (iid == __uuidof(IUnknown) || iid == __uuidof(ID3D11Device))
        return Hand(static_cast<ID3D11Device*>(this), out);
    if (iid == __uuidof(IDXGIObject))
        return Hand(static_cast<IDXGIObject*>(this), out);
    return Hand(nullptr, out);
}

HRESULT FakeDevice::CreateTexture2D(const D3D11_TEXTURE2D_DESC* desc, const D3D11_SUBRESOURCE_DATA* initial,
                                    ID3D11Texture2D** texture)
{
    FakeSystem& system = System();
    system.Log("CreateTexture2D(" + std::to_string(desc->Width) + "x" + std::to_string(desc->Height) + ")");
    *texture = nullptr;
    if (initial)
        system.Problem("CreateTexture2D given initial data");
    if (FAILED(system.createTextureResult))
        return system.createTextureResult;
    if (desc->Usage != D3D11_USAGE_STAGING || desc->BindFlags != 0 || desc->CPUAccessFlags == 0)
        return E_INVALIDARG;  // only CPU copies are made here
    system.UpdateStats([&](FakeStats& stats) {
        ++stats.stagingTexturesCreated;
        stats.lastStagingDesc = *desc;
    });
    FakeTexture* staging = system.Make<FakeTexture>(*desc);
    return staging->QueryInterface(__uuidof(ID3D11Texture2D), reinterpret_cast<void**>(texture));
}

HRESULT FakeDevice::SetGPUThreadPriority(INT priority)
{
    System().Log("SetGPUThreadPriority(" + std::to_string(priority) + ")");
    return System().construction.setGpuThreadPriority;
}

HRESULT FakeDevice::GetAdapter(IDXGIAdapter** adapter)
{
    FakeSystem& system = System();
    system.Log("GetAdapter");
    *adapter = nullptr;
    if (FAILED(system.construction.getAdapter))
        return system.construction.getAdapter;
    return system.Adapter()->QueryInterface(__uuidof(IDXGIAdapter), reinterpret_cast<void**>(adapter));
}

} // namespace fakes
