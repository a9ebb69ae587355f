#pragma once

#include <windows.h>
#include <mmdeviceapi.h>

#include <string>
#include <vector>

struct AudioEndpointInfo
{
    std::wstring id;
    std::wstring name;  // friendly name
};

// The active endpoints of flow in enumeration order. The enumerator comes from
// Hooks(), so under a FakeAudioSystem these are its fake endpoints. COM must be
// initialised on the thread.
std::vector<AudioEndpointInfo> ListAudioEndpoints(EDataFlow flow);

// The first of them whose friendly name contains text (an empty id if none):
// enumeration order changes between runs, names do not.
AudioEndpointInfo FindAudioEndpoint(EDataFlow flow, const std::wstring& text);
