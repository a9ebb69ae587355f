#pragma once

#include "FakeMMUnknown.h"

#include <propsys.h>

#include <string>

// The property store of a fake endpoint: its friendly name and nothing else.
class FakeMMPropertyStore : public FakeMMUnknown<IPropertyStore>
{
public:
    FakeMMPropertyStore(FakeAudioLog& log, std::string name, std::wstring friendlyName);

    HRESULT STDMETHODCALLTYPE GetCount(DWORD* count) override;
    HRESULT STDMETHODCALLTYPE GetAt(DWORD index, PROPERTYKEY* key) override;
    HRESULT STDMETHODCALLTYPE GetValue(REFPROPERTYKEY key, PROPVARIANT* value) override;
    HRESULT STDMETHODCALLTYPE SetValue(REFPROPERTYKEY key, REFPROPVARIANT value) override;
    HRESULT STDMETHODCALLTYPE Commit() override;

private:
    std::wstring m_friendlyName;
};
