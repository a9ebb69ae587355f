#include "FakeContext.h"

#include "FakeSystem.h"
#include "FakeTexture.h"

namespace fakes {

HRESULT FakeContext::QueryInterface(REFIID iid, void** out)
{
    if (iid == __uuidof(IUnknown) || iid == __uuidof(ID3D11DeviceChild) || iid == __uuidof(ID3D11DeviceContext))
        return Hand(static_cast<ID3D11DeviceContext*>(this), out);
    return Hand(nullptr, out);
}

void FakeContext::CopyResource(ID3D11Resource* destination, ID3D11Resource* source)
{
    System().Log("CopyResource");
    auto* to = dynamic_cast<FakeTexture*>(destination);
    auto* from = dynamic_cast<FakeTexture*>(source);
    if (!to || !from) {
        System().Problem("CopyResource with a resource that is not a fake texture");
        return;
    }
    to->CopyFrom(*from);
}

} // namespace fakes
