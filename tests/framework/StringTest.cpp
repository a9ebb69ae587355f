// CString: the operations the dialogs use, with positions and counts out of range.
#include "Framework.h"
#include "FrameworkTestResources.h"
#include "SysAllocFailure.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

struct Case
{
    const char* what;
    std::function<CString()> make;
    const wchar_t* expected;
};

TEST(CStringTest, PartsOfTheTextClampToIt)
{
    const CString path = L"C:\\录像\\a.264";  // 11 characters
    const Case cases[] = {
        {"Left", [&] { return path.Left(3); }, L"C:\\"},
        {"Left beyond the end", [&] { return path.Left(50); }, L"C:\\录像\\a.264"},
        {"Left negative", [&] { return path.Left(-1); }, L""},
        {"Mid from a position", [&] { return path.Mid(6); }, L"a.264"},
        {"Mid with a count", [&] { return path.Mid(3, 2); }, L"录像"},
        {"Mid count past the end", [&] { return path.Mid(7, 99); }, L".264"},
        {"Mid from past the end", [&] { return path.Mid(40); }, L""},
        {"Mid from a negative position", [&] { return path.Mid(-3, 2); }, L"C:"},
        {"Right", [&] { return path.Right(4); }, L".264"},
        {"Delete the last four", [&] { CString s = path; s.Delete(s.GetLength() - 4, 4); return s; }, L"C:\\录像\\a"},
        {"Delete more than there is", [&] { CString s = path; s.Delete(7, 100); return s; }, L"C:\\录像\\a"},
        {"Delete from a negative position", [&] { CString s = path; s.Delete(-5, 3); return s; }, L"录像\\a.264"},
        {"Delete past the end", [&] { CString s = path; s.Delete(11, 1); return s; }, L"C:\\录像\\a.264"},
        {"Delete nothing", [&] { CString s = path; s.Delete(2, 0); return s; }, L"C:\\录像\\a.264"},
    };
    EXPECT_EQ(path.GetLength(), 11);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_STREQ(c.make(), c.expected);
    }
    CString s = path;
    EXPECT_EQ(s.Delete(7, 100), 7) << "Delete returns the new length";
}

TEST(CStringTest, FormatUsesWideStringsAndGrowsAsNeeded)
{
    CString text;
    text.Format(L"%s: %d x %d, 错误代码：%ld", L"分辨率", 800, 450, static_cast<long>(E_FAIL));
    EXPECT_STREQ(text, L"分辨率: 800 x 450, 错误代码：-2147467259");

    const std::wstring longText(3000, L'录');
    text.Format(L"[%s]", longText.c_str());
    EXPECT_EQ(text.GetLength(), 3002);
    text.AppendFormat(L"%02d", 7);
    EXPECT_STREQ(text.Right(3), L"]07");
}

TEST(CStringTest, ConcatenationAndComparison)
{
    const CString a = L"开始";
    EXPECT_STREQ(a + L"录制", L"开始录制");
    EXPECT_STREQ(L"[" + a + L']', L"[开始]");
    CString b = a;
    b += CString(L"录制");
    EXPECT_TRUE(b == L"开始录制");
    EXPECT_TRUE(b != a);
    EXPECT_TRUE(CString(L"abc") < CString(L"abd"));
    EXPECT_EQ(CString(L"abc").Compare(L"abc"), 0);
    EXPECT_EQ(CString(L"ABC").CompareNoCase(L"abc"), 0);
    EXPECT_STREQ(CString("ffmpeg.exe"), L"ffmpeg.exe");
}

TEST(CStringTest, LoadStringReadsTheProgramsStringTable)
{
    CString text;
    EXPECT_TRUE(text.LoadString(IDS_PROBE));
    EXPECT_STREQ(text, L"探针 probe");
    EXPECT_FALSE(text.LoadString(IDS_PROBE + 1));
    EXPECT_TRUE(text.IsEmpty());
}

TEST(CStringTest, BufferEndsAtItsTerminatorOrTheGivenLength)
{
    CString text = L"old";
    wcscpy(text.GetBuffer(260), L"新的文字");
    text.ReleaseBuffer();
    EXPECT_STREQ(text, L"新的文字");
    text.GetBuffer(10);
    text.ReleaseBuffer(2);
    EXPECT_STREQ(text, L"新的");
}

TEST(CStringTest, SystemStringCopiesEveryCharacterWithItsLength)
{
    const struct
    {
        const char* what;
        std::wstring text;
    } cases[] = {
        {"empty", L""},
        {"a command tail", L" -i \"C:\\录像\\a b.264\" -vcodec copy  \"x.mkv\""},
        {"a zero character inside", std::wstring(L"a\0b", 3)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        CString text;
        text.GetBufferSetLength(static_cast<int>(c.text.size()));
        c.text.copy(text.GetBuffer(), c.text.size());
        BSTR copy = text.AllocSysString();
        ASSERT_NE(copy, nullptr);
        EXPECT_EQ(std::wstring(copy, SysStringLen(copy)), c.text);
        EXPECT_EQ(copy[SysStringLen(copy)], L'\0');
        SysFreeString(copy);
    }
}

TEST(CStringTest, SystemStringWithoutMemoryRaisesTheMemoryException)
{
    const CString text = L"ffmpeg";
    SysAllocFailure failure;
    try {
        BSTR copy = text.AllocSysString();
        SysFreeString(copy);
        ADD_FAILURE() << "no exception";
    } catch (CMemoryException* e) {
        e->Delete();
    }
    EXPECT_EQ(failure.RefusedCalls(), 1);
}

} // namespace
