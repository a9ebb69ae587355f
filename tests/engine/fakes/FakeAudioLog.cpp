#include "FakeAudioLog.h"

std::string FakeMMRefCount::Problem() const
{
    if (m_overReleases > 0)
        return m_name + ": released " + std::to_string(m_overReleases.load()) + " time(s) too often";
    if (m_refs != 0)
        return m_name + ": " + std::to_string(m_refs.load()) + " reference(s) held";
    return {};
}

ULONG FakeMMRefCount::ReleaseCount()
{
    LONG refs = m_refs.load();
    while (refs > 0) {
        if (m_refs.compare_exchange_weak(refs, refs - 1))
            return static_cast<ULONG>(refs - 1);
    }
    ++m_overReleases;
    return 0;
}

void FakeAudioLog::Call(const std::string& call)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_calls.push_back(call);
}

void FakeAudioLog::Misuse(const std::string& what)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_misuses.push_back(what);
}

void FakeAudioLog::Track(const FakeMMRefCount* object)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_objects.push_back(object);
}

std::vector<std::string> FakeAudioLog::Calls() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_calls;
}

std::vector<std::string> FakeAudioLog::Misuses() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_misuses;
}

std::vector<std::string> FakeAudioLog::Unreleased() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<std::string> problems;
    for (const FakeMMRefCount* object : m_objects) {
        std::string problem = object->Problem();
        if (!problem.empty())
            problems.push_back(problem);
    }
    return problems;
}
