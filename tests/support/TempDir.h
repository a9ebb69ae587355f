#pragma once

#include <cstdint>
#include <string>
#include <vector>

// A fresh folder under the system's temporary folder, removed with everything
// in it when the object goes.
class TempDir
{
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    // The folder, with a trailing backslash.
    const std::wstring& Path() const { return m_path; }
    std::wstring File(const std::wstring& name) const { return m_path + name; }

private:
    std::wstring m_path;
};

bool PathExists(const std::wstring& path);
// The names of the files (folders left out) in folder that match pattern, sorted.
std::vector<std::wstring> FilesIn(const std::wstring& folder, const std::wstring& pattern = L"*");
// Size of a file in bytes, -1 when it cannot be opened.
int64_t FileSize(const std::wstring& path);
std::vector<unsigned char> ReadFileBytes(const std::wstring& path);
void WriteFileBytes(const std::wstring& path, const std::vector<unsigned char>& bytes);
