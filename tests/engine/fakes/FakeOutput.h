#pragma once

#include "ComStubs.h"
#include "FakeObject.h"

namespace fakes {

// One output of the adapter, at the desktop rectangle the fake system gives it.
class FakeOutput final : public StubDXGIOutput1, public FakeObject
{
public:
    FakeOutput(FakeSystem& system, size_t index);
    FAKE_COM_REFCOUNT

    HRESULT STDMETHODCALLTYPE GetDesc(DXGI_OUTPUT_DESC* desc) override;
    HRESULT STDMETHODCALLTYPE DuplicateOutput(IUnknown* device, IDXGIOutputDuplication** duplication) override;

private:
    size_t m_index;
};

} // namespace fakes
