// Array allocations of 1 MiB and more end right at a page that may not be touched,
// so writing one byte past the end of such a buffer crashes the test at once.
#include <windows.h>

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

constexpr size_t kGuardFrom = 1 << 20;
constexpr size_t kPage = 4096;

// Guarded blocks in use; delete[] tells them from heap blocks by this table.
std::atomic<void*> g_guarded[64];

void* GuardedAlloc(size_t size)
{
    if (size < kGuardFrom)
        return std::malloc(size ? size : 1);
    const size_t committed = (size + kPage - 1) / kPage * kPage;
    // Reserve one page more than is committed: that page stays inaccessible.
    auto* base = static_cast<unsigned char*>(VirtualAlloc(nullptr, committed + kPage, MEM_RESERVE, PAGE_NOACCESS));
    if (!base)
        return nullptr;
    if (!VirtualAlloc(base, committed, MEM_COMMIT, PAGE_READWRITE)) {
        VirtualFree(base, 0, MEM_RELEASE);
        return nullptr;
    }
    void* p = base + (committed - size);
    for (auto& slot : g_guarded) {
        void* empty = nullptr;
        if (slot.compare_exchange_strong(empty, p))
            return p;
    }
    std::abort();  // more guarded blocks alive than any test needs
}

void GuardedFree(void* p)
{
    if (!p)
        return;
    for (auto& slot : g_guarded) {
        void* expected = p;
        if (slot.compare_exchange_strong(expected, nullptr)) {
            MEMORY_BASIC_INFORMATION info;
            VirtualQuery(p, &info, sizeof info);
            VirtualFree(info.AllocationBase, 0, MEM_RELEASE);
            return;
        }
    }
    std::free(p);
}

} // namespace

void* operator new[](size_t size)
{
    if (void* p = GuardedAlloc(size))
        return p;
    throw std::bad_alloc();
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept { return GuardedAlloc(size); }
void operator delete[](void* p) noexcept { GuardedFree(p); }
void operator delete[](void* p, size_t) noexcept { GuardedFree(p); }
void operator delete[](void* p, const std::nothrow_t&) noexcept { GuardedFree(p); }
