// The program's own images, as the resource script holds them.
#include "Framework.h"
#include "resource.h"

#include <gtest/gtest.h>

namespace {

#pragma pack(push, 2)
struct IconDirectoryEntry
{
    BYTE width, height, colours, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct IconDirectory
{
    WORD reserved, type, count;
    IconDirectoryEntry entries[1];
};
#pragma pack(pop)

TEST(ResourcesTest, IconsHaveTheirSizesAndColourDepths)
{
    const struct
    {
        UINT id;
        int size;
        int bits;
    } cases[] = {{IDR_MAINFRAME, 256, 32}, {IDI_SMALL_ICON, 32, 24}, {IDI_LARGE_ICON, 64, 32}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "icon " << c.id);
        HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(c.id), RT_GROUP_ICON);
        ASSERT_NE(found, nullptr);
        const auto* directory = static_cast<const IconDirectory*>(LockResource(LoadResource(nullptr, found)));
        ASSERT_EQ(directory->count, 1);
        const IconDirectoryEntry& entry = directory->entries[0];
        EXPECT_EQ(entry.width == 0 ? 256 : entry.width, c.size);
        EXPECT_EQ(entry.height == 0 ? 256 : entry.height, c.size);
        EXPECT_EQ(entry.bitCount, c.bits);
    }
    HBITMAP picture = static_cast<HBITMAP>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_ABOUT),
                                                      IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
    ASSERT_NE(picture, nullptr);
    DeleteObject(picture);
    CString aboutEntry;
    EXPECT_TRUE(aboutEntry.LoadString(IDS_ABOUTBOX));
    EXPECT_STREQ(aboutEntry, L"关于 Glintcast");
}

} // namespace
