// The names of a recording's files: the folder, the fixed prefix, the local
// start time to the second, and each source's suffix.
#include "RecordingNames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Text(const CString& s) { return s.GetString(); }

TEST(RecordingNamesTest, FolderGetsOneTrailingBackslash)
{
    const struct
    {
        const wchar_t* folder;
        const wchar_t* withBackslash;
    } cases[] = {
        {L"D:\\Videos", L"D:\\Videos\\"},
        {L"D:\\Videos\\", L"D:\\Videos\\"},
        {L"C:\\", L"C:\\"},
        {L".\\Glintcast_Output", L".\\Glintcast_Output\\"},
        {L"D:\\录像 输出", L"D:\\录像 输出\\"},
        // Only a backslash counts as the folder's end.
        {L"D:/Videos/", L"D:/Videos/\\"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.folder)));
        EXPECT_EQ(Text(FolderWithBackslash(c.folder)), c.withBackslash);
    }
}

TEST(RecordingNamesTest, BaseNameIsFolderPrefixAndLocalStartTime)
{
    const struct
    {
        const wchar_t* folder;
        CTime start;
        const wchar_t* baseName;
    } cases[] = {
        {L"D:\\Videos", CTime(2024, 3, 7, 9, 5, 2), L"D:\\Videos\\Glintcast_Record - 2024_03_07_09_05_02"},
        {L"D:\\Videos\\", CTime(2024, 3, 7, 9, 5, 2), L"D:\\Videos\\Glintcast_Record - 2024_03_07_09_05_02"},
        {L"C:\\", CTime(2023, 12, 31, 23, 59, 59), L"C:\\Glintcast_Record - 2023_12_31_23_59_59"},
        {L".\\Glintcast_Output", CTime(2025, 1, 1, 0, 0, 0),
         L".\\Glintcast_Output\\Glintcast_Record - 2025_01_01_00_00_00"},
        {L"E:\\录像 输出", CTime(2024, 10, 20, 13, 40, 9), L"E:\\录像 输出\\Glintcast_Record - 2024_10_20_13_40_09"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.baseName)));
        EXPECT_EQ(Text(RecordingBaseName(FolderWithBackslash(c.folder), c.start)), c.baseName);
    }
}

TEST(RecordingNamesTest, EachSourceAddsItsSuffix)
{
    const CString base = RecordingBaseName(FolderWithBackslash(L"D:\\Videos"), CTime(2024, 3, 7, 9, 5, 2));
    EXPECT_EQ(Text(base + kVideoSuffix), L"D:\\Videos\\Glintcast_Record - 2024_03_07_09_05_02.264");
    EXPECT_EQ(Text(base + kSystemAudioSuffix), L"D:\\Videos\\Glintcast_Record - 2024_03_07_09_05_02.flac");
    EXPECT_EQ(Text(base + kMicSuffix), L"D:\\Videos\\Glintcast_Record - 2024_03_07_09_05_02.MIC.flac");
}

} // namespace
