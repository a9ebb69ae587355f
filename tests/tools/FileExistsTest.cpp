// FileExists: what the file search finds, folders included.
#include "FileExists.h"
#include "TempDir.h"

#include <gtest/gtest.h>

namespace {

struct ExistsCase
{
    const char* what;
    std::wstring path;
    bool found;
};

TEST(FileExistsTest, FindsFilesAndFoldersAlikeAndNothingElse)
{
    TempDir dir;
    WriteFileBytes(dir.File(L"a.264"), {1, 2, 3});
    WriteFileBytes(dir.File(L"录像 2024年ü.flac"), {});
    ASSERT_TRUE(CreateDirectoryW(dir.File(L"ffmpeg.exe").c_str(), nullptr));
    const std::wstring folder = dir.Path().substr(0, dir.Path().size() - 1);

    const ExistsCase cases[] = {
        {"a file", dir.File(L"a.264"), true},
        {"an empty file with a non-ASCII name", dir.File(L"录像 2024年ü.flac"), true},
        {"a folder", dir.File(L"ffmpeg.exe"), true},
        {"a folder given without a trailing backslash", folder, true},
        {"a missing name", dir.File(L"b.264"), false},
        {"a missing non-ASCII name", dir.File(L"录像.flac"), false},
        {"a folder with a trailing backslash", dir.Path(), false},
        {"a file with a trailing backslash", dir.File(L"a.264\\"), false},
        {"a file in a missing folder", dir.File(L"missing\\a.264"), false},
        {"an empty path", L"", false},
    };
    for (const ExistsCase& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(FileExists(c.path.c_str()), c.found);
    }
}

TEST(FileExistsTest, RelativeNamesResolveAgainstTheCurrentDirectory)
{
    wchar_t saved[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, saved);
    TempDir dir;
    WriteFileBytes(dir.File(L"ffmpeg.exe"), {'M', 'Z'});
    ASSERT_TRUE(SetCurrentDirectoryW(dir.Path().c_str()));
    const bool here = FileExists(L"ffmpeg.exe");
    const bool other = FileExists(L"ffprobe.exe");
    SetCurrentDirectoryW(saved);
    EXPECT_TRUE(here);
    EXPECT_FALSE(other);
}

} // namespace
