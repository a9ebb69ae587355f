#pragma once

#include "FakeAudioLog.h"
#include "FakeMMDeviceEnumerator.h"

#include "SystemHooks.h"

#include <memory>
#include <string>
#include <vector>

// The fake Core Audio layer of one test: while it lives, creating the device
// enumerator (Hooks().coCreateInstance) yields its fake enumerator, over the
// endpoints added here. One at a time.
class FakeAudioSystem
{
public:
    FakeAudioSystem();
    ~FakeAudioSystem();
    FakeAudioSystem(const FakeAudioSystem&) = delete;
    FakeAudioSystem& operator=(const FakeAudioSystem&) = delete;

    FakeMMDevice& AddDevice(std::wstring id, std::wstring friendlyName, EDataFlow flow);
    FakeMMDeviceEnumerator& Enumerator() { return *m_enumerator; }
    FakeAudioLog& Log() { return m_log; }

    // The result of creating the enumerator; the enumerator is handed out with
    // any success code.
    HRESULT createResult = S_OK;
    // The arguments of the last creation.
    bool createOuterNull = false;
    DWORD createContext = 0;

private:
    static HRESULT WINAPI CreateInstance(REFCLSID clsid, LPUNKNOWN outer, DWORD context, REFIID iid, LPVOID* object);

    FakeAudioLog m_log;
    std::unique_ptr<FakeMMDeviceEnumerator> m_enumerator;
    SystemHooks m_savedHooks;
};
