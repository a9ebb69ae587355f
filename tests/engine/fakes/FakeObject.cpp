#include "FakeObject.h"

#include "FakeSystem.h"

namespace fakes {

ULONG FakeObject::Unref()
{
    long refs = m_refs;
    do {
        if (refs <= 1) {
            m_system.Problem(m_name + " released more often than it was referenced");
            return 1;
        }
    } while (!m_refs.compare_exchange_weak(refs, refs - 1));
    if (refs - 1 == 1 && m_system.recordReleases)
        m_system.Log("Release(" + m_name + ")");
    return static_cast<ULONG>(refs - 1);
}

HRESULT FakeObject::Hand(void* iface, void** out)
{
    if (!out)
        return E_POINTER;
    *out = iface;
    if (!iface)
        return E_NOINTERFACE;
    Ref();
    return S_OK;
}

HRESULT FakeObject::HandUnless(HRESULT result, void* iface, void** out)
{
    if (SUCCEEDED(result))
        return Hand(iface, out);
    *out = nullptr;
    return result;
}

} // namespace fakes
