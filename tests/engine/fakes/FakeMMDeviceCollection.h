#pragma once

#include "FakeMMUnknown.h"

#include <mmdeviceapi.h>

#include <vector>

class FakeMMDevice;

// The endpoints one EnumAudioEndpoints call found.
class FakeMMDeviceCollection : public FakeMMUnknown<IMMDeviceCollection>
{
public:
    FakeMMDeviceCollection(FakeAudioLog& log, std::string name, std::vector<FakeMMDevice*> devices);

    HRESULT STDMETHODCALLTYPE GetCount(UINT* count) override;
    HRESULT STDMETHODCALLTYPE Item(UINT index, IMMDevice** device) override;

private:
    std::vector<FakeMMDevice*> m_devices;
};
