#include "FakeMMDevice.h"

#include <cstring>

namespace {

std::string Narrow(const std::wstring& text)
{
    return std::string(text.begin(), text.end());  // ids and names in tests are ASCII
}

} // namespace

FakeMMDevice::FakeMMDevice(FakeAudioLog& log, std::wstring id, std::wstring friendlyName, EDataFlow flow)
    : FakeMMUnknown(log, "device " + Narrow(id)), m_id(std::move(id)), m_friendlyName(std::move(friendlyName)),
      m_flow(flow), m_client(std::make_unique<FakeAudioClient>(log, "audio client of " + Narrow(m_id)))
{
}

HRESULT FakeMMDevice::Activate(REFIID iid, DWORD context, PROPVARIANT* params, void** object)
{
    m_log.Call("Device.Activate");
    activateContext = context;
    activateParamsNull = params == nullptr;
    *object = nullptr;
    if (iid != __uuidof(IAudioClient))
        return E_NOINTERFACE;
    if (FAILED(activateResult))
        return activateResult;
    m_client->HandOut(reinterpret_cast<IAudioClient**>(object));
    return activateResult;
}

HRESULT FakeMMDevice::OpenPropertyStore(DWORD, IPropertyStore** store)
{
    m_stores.push_back(std::make_unique<FakeMMPropertyStore>(
        m_log, Name() + " property store " + std::to_string(m_stores.size() + 1), m_friendlyName));
    m_stores.back()->HandOut(store);
    return S_OK;
}

HRESULT FakeMMDevice::GetId(LPWSTR* id)
{
    const size_t bytes = (m_id.size() + 1) * sizeof(wchar_t);
    *id = static_cast<LPWSTR>(CoTaskMemAlloc(bytes));
    if (!*id)
        return E_OUTOFMEMORY;
    std::memcpy(*id, m_id.c_str(), bytes);
    return S_OK;
}

HRESULT FakeMMDevice::GetState(DWORD* state)
{
    *state = active ? DEVICE_STATE_ACTIVE : DEVICE_STATE_UNPLUGGED;
    return S_OK;
}
