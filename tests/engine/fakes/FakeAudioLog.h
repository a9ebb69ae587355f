#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

// Reference count of one fake COM object. The fakes never delete themselves:
// their FakeAudioSystem owns them, so a test can still look at an object that
// an engine released, or released once too often, or never released.
class FakeMMRefCount
{
public:
    explicit FakeMMRefCount(std::string name) : m_name(std::move(name)) {}
    const std::string& Name() const { return m_name; }
    LONG Refs() const { return m_refs; }
    // "" when no reference is held and none was released too often.
    std::string Problem() const;

protected:
    ULONG AddRefCount() { return static_cast<ULONG>(++m_refs); }
    ULONG ReleaseCount();

private:
    std::string m_name;
    std::atomic<LONG> m_refs{0};
    std::atomic<int> m_overReleases{0};
};

// What happened to the fakes of one FakeAudioSystem: the calls in order (the
// enumerator's, the devices' and the audio clients'; the capture client only
// counts its calls), uses against the Core Audio rules, and every fake object.
class FakeAudioLog
{
public:
    void Call(const std::string& call);
    void Misuse(const std::string& what);
    void Track(const FakeMMRefCount* object);

    std::vector<std::string> Calls() const;
    std::vector<std::string> Misuses() const;
    // Objects still referenced or released too often, each with its count.
    std::vector<std::string> Unreleased() const;

private:
    mutable std::mutex m_mutex;
    std::vector<std::string> m_calls;
    std::vector<std::string> m_misuses;
    std::vector<const FakeMMRefCount*> m_objects;
};
