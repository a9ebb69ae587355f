#pragma once

#include <windows.h>

#include <atomic>
#include <string>

namespace fakes {

class FakeSystem;

// The reference count of a fake COM object. The fake system keeps one reference
// of its own to every object it made, so an object the engine has let go of has
// a count of exactly 1, and a release below that is reported instead of freeing.
class FakeObject
{
public:
    FakeObject(FakeSystem& system, std::string name) : m_system(system), m_name(std::move(name)) {}
    virtual ~FakeObject() = default;
    FakeObject(const FakeObject&) = delete;
    FakeObject& operator=(const FakeObject&) = delete;

    const std::string& Name() const { return m_name; }
    long References() const { return m_refs; }

protected:
    ULONG Ref() { return static_cast<ULONG>(++m_refs); }
    ULONG Unref();
    FakeSystem& System() { return m_system; }
    // QueryInterface's end: hands out the interface with a reference, or fails.
    HRESULT Hand(void* iface, void** out);
    // The same, unless the fake system was told to fail this query with result.
    HRESULT HandUnless(HRESULT result, void* iface, void** out);

private:
    FakeSystem& m_system;
    std::string m_name;
    std::atomic<long> m_refs{1};
};

} // namespace fakes

// The IUnknown reference counting of a fake that derives from several interfaces.
#define FAKE_COM_REFCOUNT                                                     \
    ULONG STDMETHODCALLTYPE AddRef() override { return Ref(); }               \
    ULONG STDMETHODCALLTYPE Release() override { return Unref(); }            \
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override;
