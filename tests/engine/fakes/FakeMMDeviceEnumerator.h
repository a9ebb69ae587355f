#pragma once

#include "FakeMMDevice.h"
#include "FakeMMDeviceCollection.h"
#include "FakeMMUnknown.h"

#include <mmdeviceapi.h>

#include <memory>
#include <vector>

// A device enumerator over the endpoints added to it, in the order added. The
// default endpoint of a direction is the first one added for it, active or not
// (an unplugged default stands for one that went away between the calls).
class FakeMMDeviceEnumerator : public FakeMMUnknown<IMMDeviceEnumerator>
{
public:
    explicit FakeMMDeviceEnumerator(FakeAudioLog& log);

    FakeMMDevice& AddDevice(std::wstring id, std::wstring friendlyName, EDataFlow flow);

    // When set, the result of GetDevice for any id (a success code still
    // hands the device out when there is one).
    HRESULT getDeviceResult = S_OK;
    // Per direction (eRender, eCapture): when set, the id of the endpoint that
    // GetDefaultAudioEndpoint gives (an id of none: not found); when empty, the
    // direction's first endpoint.
    std::wstring defaultIds[2];
    // Per direction, indexed by eRender and eCapture: a failure of
    // EnumAudioEndpoints or GetDefaultAudioEndpoint, which then hands out nothing.
    HRESULT enumAudioEndpointsResult[2] = {S_OK, S_OK};
    HRESULT defaultEndpointResult[2] = {S_OK, S_OK};

    HRESULT STDMETHODCALLTYPE EnumAudioEndpoints(EDataFlow flow, DWORD stateMask,
                                                 IMMDeviceCollection** devices) override;
    HRESULT STDMETHODCALLTYPE GetDefaultAudioEndpoint(EDataFlow flow, ERole role, IMMDevice** device) override;
    HRESULT STDMETHODCALLTYPE GetDevice(LPCWSTR id, IMMDevice** device) override;
    HRESULT STDMETHODCALLTYPE RegisterEndpointNotificationCallback(IMMNotificationClient* client) override;
    HRESULT STDMETHODCALLTYPE UnregisterEndpointNotificationCallback(IMMNotificationClient* client) override;

private:
    std::vector<std::unique_ptr<FakeMMDevice>> m_devices;
    std::vector<std::unique_ptr<FakeMMDeviceCollection>> m_collections;
};
