#include "FakeMMDeviceCollection.h"

#include "FakeMMDevice.h"

FakeMMDeviceCollection::FakeMMDeviceCollection(FakeAudioLog& log, std::string name,
                                               std::vector<FakeMMDevice*> devices)
    : FakeMMUnknown(log, std::move(name)), m_devices(std::move(devices))
{
}

HRESULT FakeMMDeviceCollection::GetCount(UINT* count)
{
    *count = static_cast<UINT>(m_devices.size());
    return S_OK;
}

HRESULT FakeMMDeviceCollection::Item(UINT index, IMMDevice** device)
{
    *device = nullptr;
    if (index >= m_devices.size())
        return E_INVALIDARG;
    m_devices[index]->HandOut(device);
    return S_OK;
}
