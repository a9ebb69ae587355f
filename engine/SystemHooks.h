#pragma once

#include <windows.h>
#include <d3d11.h>
#include <objbase.h>
#include <shellapi.h>

// The few process-wide entry points of the system that tests replace with
// fakes of their own: device and enumerator creation, the clocks, the version
// test, the global hotkeys, the speaker and the tray icon. The program calls these through
// Hooks(); everything else it calls directly.
struct SystemHooks
{
    decltype(&::D3D11CreateDevice) createDevice = ::D3D11CreateDevice;
    decltype(&::CoCreateInstance) coCreateInstance = ::CoCreateInstance;
    decltype(&::QueryPerformanceCounter) queryPerformanceCounter = ::QueryPerformanceCounter;
    decltype(&::QueryPerformanceFrequency) queryPerformanceFrequency = ::QueryPerformanceFrequency;
    decltype(&::VerifyVersionInfoW) verifyVersionInfo = ::VerifyVersionInfoW;
    // The main window's one-second clock.
    decltype(&::SetTimer) setTimer = ::SetTimer;
    decltype(&::Beep) beep = ::Beep;
    // Global to the whole session: tests that run at once must not share them.
    decltype(&::RegisterHotKey) registerHotKey = ::RegisterHotKey;
    decltype(&::UnregisterHotKey) unregisterHotKey = ::UnregisterHotKey;
    // The main window's tray icon, as the shell receives it.
    decltype(&::Shell_NotifyIconW) shellNotifyIcon = ::Shell_NotifyIconW;
};

// The hooks in use: the system's own unless a test has set others.
SystemHooks& Hooks();
