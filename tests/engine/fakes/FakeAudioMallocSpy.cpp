#include "FakeAudioMallocSpy.h"

#include <objbase.h>

FakeAudioMallocSpy& FakeAudioMallocSpy::Instance()
{
    static FakeAudioMallocSpy spy;
    return spy;
}

FakeAudioMallocSpy::FakeAudioMallocSpy()
{
    m_registered = SUCCEEDED(CoRegisterMallocSpy(this));
}

void FakeAudioMallocSpy::ClearFrees()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_freed.clear();
}

bool FakeAudioMallocSpy::WasFreed(const void* block) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_freed.count(block) != 0;
}

HRESULT FakeAudioMallocSpy::QueryInterface(REFIID iid, void** object)
{
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IMallocSpy)) {
        *object = static_cast<IMallocSpy*>(this);
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

void* FakeAudioMallocSpy::PostAlloc(void* actual)
{
    // A new block at the address of a freed one is not freed.
    std::lock_guard<std::mutex> lock(m_mutex);
    m_freed.erase(actual);
    return actual;
}

void* FakeAudioMallocSpy::PreFree(void* request, BOOL)
{
    if (request) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_freed.insert(request);
    }
    return request;
}

SIZE_T FakeAudioMallocSpy::PreRealloc(void* request, SIZE_T size, void** newRequest, BOOL)
{
    *newRequest = request;
    return size;
}

void* FakeAudioMallocSpy::PostRealloc(void* actual, BOOL)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_freed.erase(actual);
    return actual;
}
