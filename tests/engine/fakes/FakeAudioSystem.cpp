#include "FakeAudioSystem.h"

namespace {

FakeAudioSystem* g_current = nullptr;

} // namespace

FakeAudioSystem::FakeAudioSystem()
    : m_enumerator(std::make_unique<FakeMMDeviceEnumerator>(m_log)), m_savedHooks(Hooks())
{
    g_current = this;
    Hooks().coCreateInstance = &FakeAudioSystem::CreateInstance;
}

FakeAudioSystem::~FakeAudioSystem()
{
    Hooks().coCreateInstance = m_savedHooks.coCreateInstance;
    g_current = nullptr;
}

FakeMMDevice& FakeAudioSystem::AddDevice(std::wstring id, std::wstring friendlyName, EDataFlow flow)
{
    return m_enumerator->AddDevice(std::move(id), std::move(friendlyName), flow);
}

HRESULT WINAPI FakeAudioSystem::CreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid,
                                               LPVOID* object)
{
    *object = nullptr;
    if (!g_current || clsid != __uuidof(MMDeviceEnumerator))
        return REGDB_E_CLASSNOTREG;
    FakeAudioSystem& system = *g_current;
    system.m_log.Call("CoCreateInstance");
    system.createOuterNull = outer == nullptr;
    system.createContext = context;
    if (FAILED(system.createResult))
        return system.createResult;
    if (iid != __uuidof(IMMDeviceEnumerator))
        return E_NOINTERFACE;
    system.m_enumerator->HandOut(reinterpret_cast<IMMDeviceEnumerator**>(object));
    return system.createResult;
}
