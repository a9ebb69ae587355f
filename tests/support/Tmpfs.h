#pragma once

#include <string>

// A real volume that fills up: a tmpfs of the given size mounted (as root; the
// test runs do) on a folder of the test's own, unmounted again when it goes. A
// mount that fails is a test failure, never a reason to skip. The unmount is
// lazy, so a program that still holds a file there does not keep it mounted.
class Tmpfs
{
public:
    explicit Tmpfs(const std::wstring& folder, const char* size = "1m");
    ~Tmpfs();
    Tmpfs(const Tmpfs&) = delete;
    Tmpfs& operator=(const Tmpfs&) = delete;

    bool Mounted() const { return m_mounted; }

private:
    std::string m_folder;
    bool m_mounted = false;
};
