#pragma once

#include "FakeAudioClient.h"
#include "FakeMMPropertyStore.h"
#include "FakeMMUnknown.h"

#include <mmdeviceapi.h>

#include <memory>
#include <string>
#include <vector>

// An endpoint with an id, a friendly name and one audio client; active unless
// a test unplugs it.
class FakeMMDevice : public FakeMMUnknown<IMMDevice>
{
public:
    FakeMMDevice(FakeAudioLog& log, std::wstring id, std::wstring friendlyName, EDataFlow flow);

    const std::wstring& Id() const { return m_id; }
    EDataFlow Flow() const { return m_flow; }
    FakeAudioClient& Client() { return *m_client; }

    HRESULT activateResult = S_OK;
    // False: the endpoint is unplugged, and enumerations of active endpoints
    // leave it out.
    bool active = true;
    // The arguments of the last Activate.
    DWORD activateContext = 0;
    bool activateParamsNull = false;

    HRESULT STDMETHODCALLTYPE Activate(REFIID iid, DWORD context, PROPVARIANT* params, void** object) override;
    HRESULT STDMETHODCALLTYPE OpenPropertyStore(DWORD access, IPropertyStore** store) override;
    HRESULT STDMETHODCALLTYPE GetId(LPWSTR* id) override;
    HRESULT STDMETHODCALLTYPE GetState(DWORD* state) override;

private:
    std::wstring m_id;
    std::wstring m_friendlyName;
    EDataFlow m_flow;
    std::unique_ptr<FakeAudioClient> m_client;
    std::vector<std::unique_ptr<FakeMMPropertyStore>> m_stores;
};
