#pragma once

#include <windows.h>
#include <d3d11.h>
#include <objbase.h>

// The few process-wide entry points of the system that tests replace with
// fakes of their own: device and enumerator creation and the clock. The engines
// call these through Hooks(); everything else they call directly.
struct SystemHooks
{
    decltype(&::D3D11CreateDevice) createDevice = ::D3D11CreateDevice;
    decltype(&::CoCreateInstance) coCreateInstance = ::CoCreateInstance;
    decltype(&::QueryPerformanceCounter) queryPerformanceCounter = ::QueryPerformanceCounter;
    decltype(&::QueryPerformanceFrequency) queryPerformanceFrequency = ::QueryPerformanceFrequency;
};

// The hooks in use: the system's own unless a test has set others.
SystemHooks& Hooks();
