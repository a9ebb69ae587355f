#include "AudioEndpointList.h"

#include "SystemHooks.h"

// The property key is defined here: no import library carries it.
#include <initguid.h>
#include <functiondiscoverykeys_devpkey.h>
#include <propsys.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

std::vector<AudioEndpointInfo> ListAudioEndpoints(EDataFlow flow)
{
    std::vector<AudioEndpointInfo> endpoints;
    ComPtr<IMMDeviceEnumerator> enumerator;
    ComPtr<IMMDeviceCollection> devices;
    UINT count = 0;
    if (FAILED(Hooks().coCreateInstance(__uuidof(MMDeviceEnumerator), nullptr, CLSCTX_ALL,
                                        __uuidof(IMMDeviceEnumerator), &enumerator)) ||
        FAILED(enumerator->EnumAudioEndpoints(flow, DEVICE_STATE_ACTIVE, &devices)) ||
        FAILED(devices->GetCount(&count)))
        return endpoints;
    for (UINT i = 0; i < count; ++i) {
        ComPtr<IMMDevice> device;
        ComPtr<IPropertyStore> properties;
        LPWSTR id = nullptr;
        if (FAILED(devices->Item(i, &device)) || FAILED(device->GetId(&id)))
            continue;
        AudioEndpointInfo endpoint;
        endpoint.id = id;
        CoTaskMemFree(id);
        PROPVARIANT name;
        PropVariantInit(&name);
        if (SUCCEEDED(device->OpenPropertyStore(STGM_READ, &properties)) &&
            SUCCEEDED(properties->GetValue(PKEY_Device_FriendlyName, &name)) && name.vt == VT_LPWSTR)
            endpoint.name = name.pwszVal;
        PropVariantClear(&name);
        endpoints.push_back(endpoint);
    }
    return endpoints;
}

AudioEndpointInfo FindAudioEndpoint(EDataFlow flow, const std::wstring& text)
{
    for (const auto& endpoint : ListAudioEndpoints(flow))
        if (endpoint.name.find(text) != std::wstring::npos)
            return endpoint;
    return {};
}
