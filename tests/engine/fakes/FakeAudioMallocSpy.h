#pragma once

#include <objidl.h>

#include <mutex>
#include <unordered_set>

// Watches the COM task allocator, so a test can tell which blocks were given
// back with CoTaskMemFree. Registered on first use for the rest of the process
// (the allocator keeps a spy until its blocks are gone); every call is passed
// through unchanged.
class FakeAudioMallocSpy : public IMallocSpy
{
public:
    static FakeAudioMallocSpy& Instance();

    bool Registered() const { return m_registered; }
    // Forgets the blocks freed so far.
    void ClearFrees();
    bool WasFreed(const void* block) const;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    SIZE_T STDMETHODCALLTYPE PreAlloc(SIZE_T size) override { return size; }
    void* STDMETHODCALLTYPE PostAlloc(void* actual) override;
    void* STDMETHODCALLTYPE PreFree(void* request, BOOL spied) override;
    void STDMETHODCALLTYPE PostFree(BOOL) override {}
    SIZE_T STDMETHODCALLTYPE PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL spied) override;
    void* STDMETHODCALLTYPE PostRealloc(void* actual, BOOL) override;
    void* STDMETHODCALLTYPE PreGetSize(void* request, BOOL) override { return request; }
    SIZE_T STDMETHODCALLTYPE PostGetSize(SIZE_T actual, BOOL) override { return actual; }
    void* STDMETHODCALLTYPE PreDidAlloc(void* request, BOOL) override { return request; }
    int STDMETHODCALLTYPE PostDidAlloc(void*, BOOL, int actual) override { return actual; }
    void STDMETHODCALLTYPE PreHeapMinimize() override {}
    void STDMETHODCALLTYPE PostHeapMinimize() override {}

private:
    FakeAudioMallocSpy();

    bool m_registered = false;
    mutable std::mutex m_mutex;
    std::unordered_set<const void*> m_freed;
};
