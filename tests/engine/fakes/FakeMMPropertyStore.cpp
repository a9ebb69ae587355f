#include "FakeMMPropertyStore.h"

// The property key is defined here: no import library carries it.
#include <initguid.h>
#include <functiondiscoverykeys_devpkey.h>

#include <cstring>

FakeMMPropertyStore::FakeMMPropertyStore(FakeAudioLog& log, std::string name, std::wstring friendlyName)
    : FakeMMUnknown(log, std::move(name)), m_friendlyName(std::move(friendlyName))
{
}

HRESULT FakeMMPropertyStore::GetCount(DWORD* count)
{
    *count = 1;
    return S_OK;
}

HRESULT FakeMMPropertyStore::GetAt(DWORD index, PROPERTYKEY* key)
{
    if (index != 0)
        return E_INVALIDARG;
    *key = PKEY_Device_FriendlyName;
    return S_OK;
}

HRESULT FakeMMPropertyStore::GetValue(REFPROPERTYKEY key, PROPVARIANT* value)
{
    PropVariantInit(value);
    if (!IsEqualPropertyKey(key, PKEY_Device_FriendlyName))
        return S_OK;  // VT_EMPTY, as for any property an endpoint lacks
    const size_t bytes = (m_friendlyName.size() + 1) * sizeof(wchar_t);
    auto* text = static_cast<wchar_t*>(CoTaskMemAlloc(bytes));
    if (!text)
        return E_OUTOFMEMORY;
    std::memcpy(text, m_friendlyName.c_str(), bytes);
    value->vt = VT_LPWSTR;
    value->pwszVal = text;
    return S_OK;
}

HRESULT FakeMMPropertyStore::SetValue(REFPROPERTYKEY, REFPROPVARIANT)
{
    return STG_E_ACCESSDENIED;
}

HRESULT FakeMMPropertyStore::Commit()
{
    return STG_E_ACCESSDENIED;
}
