#include "FakeOutput.h"

#include "FakeDevice.h"
#include "FakeDuplication.h"
#include "FakeSystem.h"

#include <string>

namespace fakes {

FakeOutput::FakeOutput(FakeSystem& system, size_t index)
    : FakeObject(system, "IDXGIOutput " + std::to_string(index)), m_index(index)
{
}

HRESULT FakeOutput::QueryInterface(REFIID iid, void** out)
{
    FakeSystem& system = System();
    if (iid == __uuidof(IDXGIOutput1)) {
        system.Log("QueryInterface(IDXGIOutput1)");
        return HandUnless(system.construction.queryOutput1, static_cast<IDXGIOutput1*>(this), out);
    }
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDXGIObject) || iid == __uuidof(IDXGIOutput))
        return Hand(static_cast<IDXGIOutput*>(this), out);
    return Hand(nullptr, out);
}

HRESULT FakeOutput::GetDesc(DXGI_OUTPUT_DESC* desc)
{
    System().Log("GetDesc(output " + std::to_string(m_index) + ")");
    *desc = {};
    wcscpy(desc->DeviceName, (L"\\\\.\\DISPLAY" + std::to_wstring(m_index + 1)).c_str());
    desc->DesktopCoordinates = System().DesktopRect(m_index);
    desc->AttachedToDesktop = TRUE;
    desc->Rotation = DXGI_MODE_ROTATION_IDENTITY;
    return S_OK;
}

HRESULT FakeOutput::DuplicateOutput(IUnknown* device, IDXGIOutputDuplication** duplication)
{
    FakeSystem& system = System();
    const bool dxgiDevice = device == static_cast<IDXGIDevice*>(system.Device());
    const bool d3dDevice = device == static_cast<ID3D11Device*>(system.Device());
    system.Log(std::string("DuplicateOutput(") + (dxgiDevice ? "IDXGIDevice" : d3dDevice ? "ID3D11Device" : "other") +
               ")");
    *duplication = nullptr;
    if (!dxgiDevice && !d3dDevice)
        return E_INVALIDARG;
    if (FAILED(system.construction.duplicateOutput))
        return system.construction.duplicateOutput;
    HRESULT hr =
        system.Duplication()->QueryInterface(__uuidof(IDXGIOutputDuplication), reinterpret_cast<void**>(duplication));
    return FAILED(hr) ? hr : system.construction.duplicateOutput;
}

} // namespace fakes
