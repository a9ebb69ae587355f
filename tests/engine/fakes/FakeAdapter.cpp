#include "FakeAdapter.h"

#include "FakeOutput.h"
#include "FakeSystem.h"

#include <string>

namespace fakes {

HRESULT FakeAdapter::QueryInterface(REFIID iid, void** out)
{
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDXGIObject) || iid == __uuidof(IDXGIAdapter))
        return Hand(static_cast<IDXGIAdapter*>(this), out);
    return Hand(nullptr, out);
}

HRESULT FakeAdapter::EnumOutputs(UINT index, IDXGIOutput** output)
{
    FakeSystem& system = System();
    system.Log("EnumOutputs(" + std::to_string(index) + ")");
    *output = nullptr;
    if (index >= system.OutputCount())
        return DXGI_ERROR_NOT_FOUND;
    return system.Output(index)->QueryInterface(__uuidof(IDXGIOutput), reinterpret_cast<void**>(output));
}

} // namespace fakes
