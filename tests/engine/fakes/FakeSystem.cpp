#include "FakeSystem.h"

#include "FakeAdapter.h"
#include "FakeContext.h"
#include "FakeDevice.h"
#include "FakeDuplication.h"
#include "FakeOutput.h"
#include "FakeTexture.h"

#include "Globals.h"
#include "SystemHooks.h"

#include <string>

namespace fakes {

namespace {

FakeSystem* g_current = nullptr;

HRESULT WINAPI FakeCreateDevice(IDXGIAdapter* adapter, D3D_DRIVER_TYPE driver, HMODULE software, UINT flags,
                                const D3D_FEATURE_LEVEL* levels, UINT levelCount, UINT sdkVersion,
                                ID3D11Device** device, D3D_FEATURE_LEVEL* level, ID3D11DeviceContext** context)
{
    FakeSystem& system = *g_current;
    system.Log("D3D11CreateDevice(adapter=" + std::string(adapter ? "given" : "null") +
               ", driver=" + std::to_string(driver) + ", software=" + (software ? "given" : "null") +
               ", flags=" + std::to_string(flags) + ", levels=" + (levels ? "given" : "null") +
               ", count=" + std::to_string(levelCount) + ", sdk=" + std::to_string(sdkVersion) + ")");
    if (device)
        *device = nullptr;
    if (context)
        *context = nullptr;
    if (FAILED(system.construction.createDevice))
        return system.construction.createDevice;
    if (device)
        system.Device()->QueryInterface(__uuidof(ID3D11Device), reinterpret_cast<void**>(device));
    if (context)
        system.Context()->QueryInterface(__uuidof(ID3D11DeviceContext), reinterpret_cast<void**>(context));
    if (level)
        *level = D3D_FEATURE_LEVEL_11_0;
    return system.construction.createDevice;
}

} // namespace

void UnexpectedCall(const char* method)
{
    if (g_current)
        g_current->Problem(std::string("unexpected call of ") + method);
}

AcquireStep NewFrame(std::shared_ptr<const Picture> picture)
{
    AcquireStep step;
    step.picture = std::move(picture);
    return step;
}

AcquireStep TimedOut() { return Failing(DXGI_ERROR_WAIT_TIMEOUT); }

AcquireStep Failing(HRESULT result)
{
    AcquireStep step;
    step.result = result;
    return step;
}

FakeSystem::FakeSystem(Clock& clock, std::vector<RECT> outputs) : m_clock(clock), m_rects(std::move(outputs))
{
    m_device = Make<FakeDevice>();
    m_context = Make<FakeContext>();
    m_adapter = Make<FakeAdapter>();
    for (size_t i = 0; i < m_rects.size(); ++i)
        m_outputs.push_back(Make<FakeOutput>(i));
    m_duplication = Make<FakeDuplication>();
    m_desktopTexture = Make<FakeTexture>();
    whenScriptEnds = [](UINT) {
        g_stopRecording = true;
        return TimedOut();
    };
    g_current = this;
    Hooks().createDevice = FakeCreateDevice;
}

FakeSystem::~FakeSystem()
{
    if (g_current == this) {
        Hooks().createDevice = ::D3D11CreateDevice;
        g_current = nullptr;
    }
}

FakeSystem* FakeSystem::Current() { return g_current; }

void FakeSystem::Push(AcquireStep step)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_script.push_back(std::move(step));
}

void FakeSystem::Push(std::vector<AcquireStep> steps)
{
    for (auto& step : steps)
        Push(std::move(step));
}

size_t FakeSystem::StepsLeft() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_script.size();
}

AcquireStep FakeSystem::NextStep(UINT timeoutMs)
{
    {
        std::lock_guard<std::mutex> lock(m_mutex);
        if (!m_script.empty()) {
            AcquireStep step = std::move(m_script.front());
            m_script.pop_front();
            return step;
        }
    }
    return whenScriptEnds(timeoutMs);
}

RECT FakeSystem::DesktopRect(size_t output) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_rects[output];
}

void FakeSystem::SetDesktopRect(RECT rect, size_t output)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_rects[output] = rect;
}

void FakeSystem::Log(std::string call)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    if (recordCalls)
        m_calls.push_back(std::move(call));
}

void FakeSystem::Problem(std::string what)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_problems.push_back(std::move(what));
}

std::vector<std::string> FakeSystem::Calls() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_calls;
}

int FakeSystem::CountCalls(const std::string& prefix) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    int n = 0;
    for (const auto& call : m_calls)
        n += call.compare(0, prefix.size(), prefix) == 0;
    return n;
}

void FakeSystem::ClearCalls()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.clear();
}

std::vector<std::string> FakeSystem::Problems() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_problems;
}

std::vector<std::string> FakeSystem::HeldReferences() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> held;
    for (const auto& object : m_objects)
        if (object->References() != 1)
            held.push_back(object->Name() + ": " + std::to_string(object->References() - 1) + " held");
    return held;
}

FakeStats FakeSystem::Stats() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_stats;
}

void FakeSystem::UpdateStats(const std::function<void(FakeStats&)>& change)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    change(m_stats);
}

} // namespace fakes
