#include "FakeMMDeviceEnumerator.h"

FakeMMDeviceEnumerator::FakeMMDeviceEnumerator(FakeAudioLog& log) : FakeMMUnknown(log, "device enumerator") {}

FakeMMDevice& FakeMMDeviceEnumerator::AddDevice(std::wstring id, std::wstring friendlyName, EDataFlow flow)
{
    m_devices.push_back(std::make_unique<FakeMMDevice>(m_log, std::move(id), std::move(friendlyName), flow));
    return *m_devices.back();
}

HRESULT FakeMMDeviceEnumerator::EnumAudioEndpoints(EDataFlow flow, DWORD stateMask, IMMDeviceCollection** devices)
{
    *devices = nullptr;
    if (flow != eAll && FAILED(enumAudioEndpointsResult[flow]))
        return enumAudioEndpointsResult[flow];
    std::vector<FakeMMDevice*> found;
    for (auto& device : m_devices) {
        const DWORD state = device->active ? DEVICE_STATE_ACTIVE : DEVICE_STATE_UNPLUGGED;
        if ((stateMask & state) && (flow == eAll || device->Flow() == flow))
            found.push_back(device.get());
    }
    m_collections.push_back(std::make_unique<FakeMMDeviceCollection>(
        m_log, "device collection " + std::to_string(m_collections.size() + 1), std::move(found)));
    m_collections.back()->HandOut(devices);
    return S_OK;
}

HRESULT FakeMMDeviceEnumerator::GetDefaultAudioEndpoint(EDataFlow flow, ERole, IMMDevice** device)
{
    *device = nullptr;
    if (flow != eAll && FAILED(defaultEndpointResult[flow]))
        return defaultEndpointResult[flow];
    const std::wstring* chosen = flow == eRender || flow == eCapture ? &defaultIds[flow] : nullptr;
    for (auto& candidate : m_devices)
        if (candidate->Flow() == flow && (!chosen || chosen->empty() || candidate->Id() == *chosen)) {
            candidate->HandOut(device);
            return S_OK;
        }
    return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
}

HRESULT FakeMMDeviceEnumerator::GetDevice(LPCWSTR id, IMMDevice** device)
{
    m_log.Call("Enumerator.GetDevice");
    *device = nullptr;
    if (FAILED(getDeviceResult))
        return getDeviceResult;
    for (auto& candidate : m_devices)
        if (candidate->Id() == id) {
            candidate->HandOut(device);
            return getDeviceResult;
        }
    return HRESULT_FROM_WIN32(ERROR_NOT_FOUND);
}

HRESULT FakeMMDeviceEnumerator::RegisterEndpointNotificationCallback(IMMNotificationClient*)
{
    return E_NOTIMPL;
}

HRESULT FakeMMDeviceEnumerator::UnregisterEndpointNotificationCallback(IMMNotificationClient*)
{
    return E_NOTIMPL;
}
