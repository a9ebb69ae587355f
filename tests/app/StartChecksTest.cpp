// The checks a recording start makes before any thread exists: the output
// folder (on real folders), the region against the monitor's picture, and the
// frame-rate text.
#include "StartChecks.h"

#include "NamedCase.h"
#include "TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>
#include <vector>

namespace {

// --- Output folder ------------------------------------------------------------

struct FolderCase : NamedCase
{
    std::vector<std::wstring> folders;  // made in the temporary folder first
    std::vector<std::wstring> files;
    std::wstring text;                   // %T: the temporary folder, without its trailing backslash
    bool ready;
    std::vector<std::wstring> after;     // what the temporary folder then holds; folders end in a backslash
};

// Every name under folder (which ends in a backslash), relative to it, sorted.
void ListInto(const std::wstring& folder, const std::wstring& prefix, std::vector<std::wstring>* names)
{
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE)
        return;
    do {
        const std::wstring name = data.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            names->push_back(prefix + name + L"\\");
            ListInto(folder + name + L"\\", prefix + name + L"\\", names);
        } else {
            names->push_back(prefix + name);
        }
    } while (FindNextFileW(search, &data));
    FindClose(search);
}

std::vector<std::wstring> Entries(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    ListInto(folder, L"", &names);
    std::sort(names.begin(), names.end());
    return names;
}

// Each case runs with the temporary folder as the current directory, so that
// relative texts land in it; the previous current directory comes back after.
class OutputFolderTest : public testing::TestWithParam<FolderCase>
{
protected:
    void SetUp() override
    {
        wchar_t current[MAX_PATH];
        ASSERT_GT(GetCurrentDirectoryW(MAX_PATH, current), 0u);
        m_previous = current;
        for (const auto& folder : GetParam().folders)
            ASSERT_TRUE(CreateDirectoryW(dir.File(folder).c_str(), nullptr));
        for (const auto& file : GetParam().files)
            WriteFileBytes(dir.File(file), {'x'});
        ASSERT_TRUE(SetCurrentDirectoryW(dir.Path().c_str()));
    }
    void TearDown() override { EXPECT_TRUE(SetCurrentDirectoryW(m_previous.c_str())); }

    std::wstring Text() const
    {
        std::wstring text = GetParam().text;
        const size_t at = text.find(L"%T");
        if (at != std::wstring::npos)
            text.replace(at, 2, dir.Path().substr(0, dir.Path().size() - 1));
        return text;
    }

    TempDir dir;

private:
    std::wstring m_previous;
};

TEST_P(OutputFolderTest, AcceptsExistingOrCreatedFoldersOnly)
{
    EXPECT_EQ(OutputFolderReady(Text().c_str()), GetParam().ready);
    EXPECT_EQ(Entries(dir.Path()), GetParam().after);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, OutputFolderTest,
    testing::Values(FolderCase{{"existing"}, {}, {}, L"%T", true, {}},
                    FolderCase{{"existing_with_backslash"}, {}, {}, L"%T\\", true, {}},
                    FolderCase{{"existing_subfolder"}, {L"old"}, {}, L"%T\\old", true, {L"old\\"}},
                    FolderCase{{"drive_root"}, {}, {}, L"C:\\", true, {}},
                    FolderCase{{"missing_created"}, {}, {}, L"%T\\new", true, {L"new\\"}},
                    FolderCase{{"missing_with_backslash_created"}, {}, {}, L"%T\\new\\", true, {L"new\\"}},
                    FolderCase{{"non_ascii_created"}, {}, {}, L"%T\\录像 Видео", true, {L"录像 Видео\\"}},
                    FolderCase{{"parent_missing"}, {}, {}, L"%T\\missing\\new", false, {}},
                    FolderCase{{"empty"}, {}, {}, L"", false, {}},
                    FolderCase{{"names_a_file"}, {}, {L"file.txt"}, L"%T\\file.txt", false, {L"file.txt"}},
                    FolderCase{{"names_a_file_with_backslash"}, {}, {L"file.txt"}, L"%T\\file.txt\\", false,
                               {L"file.txt"}},
                    FolderCase{{"relative_default_created"}, {}, {}, L".\\Glintcast_Output", true,
                               {L"Glintcast_Output\\"}},
                    FolderCase{{"relative_default_existing"}, {L"Glintcast_Output"}, {}, L".\\Glintcast_Output", true,
                               {L"Glintcast_Output\\"}},
                    FolderCase{{"relative_plain_created"}, {}, {}, L"clips", true, {L"clips\\"}},
                    FolderCase{{"relative_parent_missing"}, {}, {}, L"missing\\clips", false, {}},
                    // A search for a pattern finds the folder's own entries.
                    FolderCase{{"star"}, {L"old"}, {}, L"%T\\*", false, {L"old\\"}},
                    FolderCase{{"star_in_a_name"}, {L"old"}, {}, L"%T\\o*", false, {L"old\\"}},
                    FolderCase{{"question_mark"}, {L"old"}, {}, L"%T\\ol?", false, {L"old\\"}},
                    FolderCase{{"relative_star"}, {}, {}, L".\\*", false, {}},
                    // The long-path prefix names a folder; a wildcard after it still does not.
                    FolderCase{{"long_path_existing"}, {L"old"}, {}, L"\\\\?\\%T\\old", true, {L"old\\"}},
                    FolderCase{{"long_path_created"}, {}, {}, L"\\\\?\\%T\\new", true, {L"new\\"}},
                    FolderCase{{"long_path_question_mark"}, {L"old"}, {}, L"\\\\?\\%T\\ol?", false, {L"old\\"}},
                    FolderCase{{"long_path_star"}, {}, {}, L"\\\\?\\%T\\*", false, {}}),
    CaseName());

// --- Region ---------------------------------------------------------------------

struct RegionCase : NamedCase
{
    RECT overlay;  // the overlay's client rectangle, screen coordinates
    RECT desktop;  // the monitor's desktop rectangle
    bool inside;
    RECT region;  // in the monitor picture's coordinates
};

class RegionTest : public testing::TestWithParam<RegionCase>
{
};

TEST_P(RegionTest, IsMovedIntoTheMonitorPictureAndMustLieInsideIt)
{
    const RegionCase& c = GetParam();
    RECT region{-1, -1, -1, -1};
    EXPECT_EQ(RegionInMonitorPicture(c.overlay, c.desktop, &region), c.inside);
    EXPECT_EQ(region.left, c.region.left);
    EXPECT_EQ(region.top, c.region.top);
    EXPECT_EQ(region.right, c.region.right);
    EXPECT_EQ(region.bottom, c.region.bottom);
}

constexpr RECT kPrimary{0, 0, 1920, 1080};
constexpr RECT kRightOfPrimary{1920, 0, 3200, 1024};
constexpr RECT kLeftOfPrimary{-1280, 0, 0, 1024};
constexpr RECT kAbovePrimary{0, -1080, 1920, 0};

INSTANTIATE_TEST_SUITE_P(
    Monitors, RegionTest,
    testing::Values(
        RegionCase{{"inside_at_origin"}, {100, 50, 740, 530}, kPrimary, true, {100, 50, 740, 530}},
        RegionCase{{"whole_monitor_at_origin"}, kPrimary, kPrimary, true, {0, 0, 1920, 1080}},
        RegionCase{{"inside_monitor_on_the_right"}, {2000, 100, 2640, 580}, kRightOfPrimary, true, {80, 100, 720, 580}},
        RegionCase{{"inside_monitor_on_the_left"}, {-1200, 24, -560, 504}, kLeftOfPrimary, true, {80, 24, 720, 504}},
        RegionCase{{"whole_monitor_on_the_right"}, kRightOfPrimary, kRightOfPrimary, true, {0, 0, 1280, 1024}},
        RegionCase{{"whole_monitor_above"}, kAbovePrimary, kAbovePrimary, true, {0, 0, 1920, 1080}},
        RegionCase{{"out_by_one_left"}, {-1, 10, 639, 490}, kPrimary, false, {-1, 10, 639, 490}},
        RegionCase{{"out_by_one_top"}, {10, -1, 650, 479}, kPrimary, false, {10, -1, 650, 479}},
        RegionCase{{"out_by_one_right"}, {1281, 10, 1921, 490}, kPrimary, false, {1281, 10, 1921, 490}},
        RegionCase{{"out_by_one_bottom"}, {10, 601, 650, 1081}, kPrimary, false, {10, 601, 650, 1081}},
        RegionCase{{"over_the_left_edge_of_right_monitor"}, {1918, 100, 2558, 580}, kRightOfPrimary, false,
                   {-2, 100, 638, 580}},
        RegionCase{{"over_the_right_edge_of_left_monitor"}, {-600, 100, 40, 580}, kLeftOfPrimary, false,
                   {680, 100, 1320, 580}},
        RegionCase{{"over_the_bottom_of_monitor_above"}, {100, -200, 740, 280}, kAbovePrimary, false,
                   {100, 880, 740, 1360}},
        RegionCase{{"on_another_monitor"}, {100, 50, 740, 530}, kRightOfPrimary, false, {-1820, 50, -1180, 530}},
        RegionCase{{"on_the_monitor_on_the_right"}, {2000, 100, 2640, 580}, kPrimary, false, {2000, 100, 2640, 580}}),
    CaseName());

// --- Frame rate -----------------------------------------------------------------

TEST(FrameRateTest, TextIsReadLikeWtoiAndOnlyTenToHundredTwentyPass)
{
    const struct
    {
        const wchar_t* text;
        int fps;
        bool accepted;
    } cases[] = {
        {L"30", 30, true},
        {L"30fps", 30, true},
        {L"fps", 0, false},
        {L" 45", 45, true},
        {L"\t60", 60, true},
        {L"+60", 60, true},
        {L"6 0", 6, false},
        {L"9", 9, false},
        {L"10", 10, true},
        {L"120", 120, true},
        {L"121", 121, false},
        {L"-30", -30, false},
        {L"", 0, false},
        {L"0", 0, false},
        {L"2147483647", INT_MAX, false},
        // Beyond an int the value stops at its limits: none of these may wrap into 10..120.
        {L"4294967326", INT_MAX, false},                // 2^32 + 30
        {L"18446744073709551646", INT_MAX, false},      // 2^64 + 30
        {L"99999999999999999999999999", INT_MAX, false},
        {L"-4294967266", INT_MIN, false},               // -(2^32 - 30)
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::PrintToString(std::wstring(c.text)));
        const int fps = FrameRateFromText(c.text);
        EXPECT_EQ(fps, c.fps);
        EXPECT_EQ(FrameRateAccepted(fps), c.accepted);
    }
}

TEST(FrameRateTest, AcceptedRangeHasExactBounds)
{
    const struct
    {
        int fps;
        bool accepted;
    } cases[] = {{INT_MIN, false}, {-10, false}, {0, false}, {9, false},      {10, true},
                 {11, true},       {60, true},   {119, true}, {120, true},    {121, false}, {INT_MAX, false}};
    for (const auto& c : cases)
        EXPECT_EQ(FrameRateAccepted(c.fps), c.accepted) << c.fps;
}

} // namespace
