#pragma once

#include "FakeAudioLog.h"

#include <unknwn.h>

// IUnknown of a fake that implements one Core Audio interface, with a counted,
// non-owning reference (see FakeMMRefCount).
template <class Interface>
class FakeMMUnknown : public Interface, public FakeMMRefCount
{
public:
    FakeMMUnknown(FakeAudioLog& log, std::string name) : FakeMMRefCount(std::move(name)), m_log(log)
    {
        m_log.Track(this);
    }
    virtual ~FakeMMUnknown() = default;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override
    {
        if (!object)
            return E_POINTER;
        if (iid == __uuidof(IUnknown) || iid == __uuidof(Interface)) {
            *object = static_cast<Interface*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return AddRefCount(); }
    ULONG STDMETHODCALLTYPE Release() override { return ReleaseCount(); }

    // Hands this object out through an out parameter, with a reference.
    template <class Out>
    void HandOut(Out** out)
    {
        AddRef();
        *out = this;
    }

protected:
    FakeAudioLog& m_log;
};
