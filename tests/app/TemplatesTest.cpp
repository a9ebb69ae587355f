// The dialog templates of the main window and the three converter tools, read
// from the compiled resource script that the program links: every control in
// template (tab) order with its id, class, text, styles, and place and size in
// dialog units, and each template's own frame.
#include "Framework.h"
#include "NamedCase.h"
#include "NativeTool.h"
#include "resource.h"

#include <gtest/gtest.h>

#include <array>
#include <iterator>
#include <map>
#include <string>
#include <vector>

namespace {

struct TemplateControl
{
    DWORD style = 0;
    DWORD exStyle = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
    int id = 0;
    std::wstring cls;
    std::wstring text;
};

struct DialogTemplate
{
    bool extended = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    short cx = 0, cy = 0;
    std::wstring caption;
    WORD pointSize = 0;
    std::wstring font;
    std::vector<TemplateControl> controls;
};

// Reads a DLGTEMPLATEEX and its DLGITEMTEMPLATEEX items.
class TemplateReader
{
public:
    TemplateReader(const BYTE* data, size_t size) : m_begin(data), m_at(data), m_end(data + size) {}

    DialogTemplate Dialog()
    {
        DialogTemplate t;
        const WORD version = Word();
        const WORD signature = Word();
        t.extended = version == 1 && signature == 0xFFFF;
        if (!t.extended)
            return t;
        Dword();  // help id
        t.exStyle = Dword();
        t.style = Dword();
        const WORD count = Word();
        Word();
        Word();  // x, y
        t.cx = static_cast<short>(Word());
        t.cy = static_cast<short>(Word());
        NameOrOrdinal();  // menu
        NameOrOrdinal();  // window class
        t.caption = NameOrOrdinal();
        if (t.style & (DS_SETFONT | DS_SHELLFONT)) {
            t.pointSize = Word();
            Word();  // weight
            Word();  // italic, character set
            t.font = NameOrOrdinal();
        }
        for (WORD i = 0; i < count && m_at < m_end; ++i)
            t.controls.push_back(Control());
        return t;
    }

private:
    TemplateControl Control()
    {
        AlignToDword();
        TemplateControl c;
        Dword();  // help id
        c.exStyle = Dword();
        c.style = Dword();
        c.x = static_cast<short>(Word());
        c.y = static_cast<short>(Word());
        c.cx = static_cast<short>(Word());
        c.cy = static_cast<short>(Word());
        c.id = static_cast<int>(Dword());
        c.cls = ClassName();
        c.text = NameOrOrdinal();
        m_at += Word();  // creation data
        return c;
    }

    // A predefined class may be stored as an ordinal or as its name in any case;
    // both come out as the name in the usual spelling.
    std::wstring ClassName()
    {
        std::wstring name = NameOrOrdinal();
        static const wchar_t* const kPredefined[] = {L"Button", L"Edit", L"Static", L"ListBox", L"ScrollBar",
                                                     L"ComboBox"};
        for (size_t i = 0; i < std::size(kPredefined); ++i) {
            if (name == L"#" + std::to_wstring(0x80 + i) || _wcsicmp(name.c_str(), kPredefined[i]) == 0)
                return kPredefined[i];
        }
        return name;
    }

    std::wstring NameOrOrdinal()
    {
        const WORD first = Word();
        if (first == 0)
            return L"";
        if (first == 0xFFFF)
            return L"#" + std::to_wstring(Word());
        std::wstring text(1, static_cast<wchar_t>(first));
        for (WORD w = Word(); w != 0 && m_at < m_end; w = Word())
            text += static_cast<wchar_t>(w);
        return text;
    }

    WORD Word()
    {
        if (m_at + 2 > m_end)
            return 0;
        const WORD w = static_cast<WORD>(m_at[0] | (m_at[1] << 8));
        m_at += 2;
        return w;
    }

    DWORD Dword()
    {
        const DWORD low = Word();
        return low | (static_cast<DWORD>(Word()) << 16);
    }

    // Items start on a DWORD boundary of the template.
    void AlignToDword()
    {
        while ((m_at - m_begin) % 4 != 0)
            ++m_at;
    }

    const BYTE* m_begin;
    const BYTE* m_at;
    const BYTE* m_end;
};

DialogTemplate LoadTemplate(UINT id)
{
    HRSRC found = FindResourceW(nullptr, MAKEINTRESOURCEW(id), RT_DIALOG);
    if (!found)
        return {};
    const auto* data = static_cast<const BYTE*>(LockResource(LoadResource(nullptr, found)));
    return TemplateReader(data, SizeofResource(nullptr, found)).Dialog();
}

const DialogTemplate& Template(UINT id)
{
    static std::map<UINT, DialogTemplate> loaded;
    const auto known = loaded.find(id);
    if (known != loaded.end())
        return known->second;
    return loaded.emplace(id, LoadTemplate(id)).first->second;
}

// Every control of these templates is a visible child window.
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr DWORD kPush = kChild | BS_PUSHBUTTON | WS_TABSTOP;
constexpr DWORD kFlatPush = kPush | BS_FLAT;
constexpr DWORD kDefaultPush = kChild | BS_DEFPUSHBUTTON | WS_TABSTOP;
constexpr DWORD kCheck = kChild | BS_AUTOCHECKBOX | WS_TABSTOP;
constexpr DWORD kPathEdit = kChild | WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL;
constexpr DWORD kLabel = kChild | SS_LEFT | WS_GROUP;
constexpr DWORD kSortedList = kChild | CBS_DROPDOWN | CBS_SORT | WS_VSCROLL | WS_TABSTOP;

// One control of a template: its place in the template order, then what it is.
struct ControlRow : NamedCase
{
    UINT dialog;
    size_t index;
    int id;
    const wchar_t* cls;
    const wchar_t* text;
    DWORD style;
    DWORD exStyle;
    short x, y, cx, cy;
};

const ControlRow kControls[] = {
    // The main window.
    {{"Main00StartStop"}, IDD_MAIN_DIALOG, 0, 1007, L"Button", L"开始录制", kFlatPush, 0, 205, 69, 41, 14},
    {{"Main01BrowseOutput"}, IDD_MAIN_DIALOG, 1, 1003, L"Button", L"...", kFlatPush, 0, 230, 4, 16, 12},
    {{"Main02OutputLabel"}, IDD_MAIN_DIALOG, 2, -1, L"Static", L"输出目录：", kChild | SS_CENTER | WS_GROUP, 0, 3, 5,
     39, 8},
    {{"Main03OutputFolder"}, IDD_MAIN_DIALOG, 3, 1002, L"Edit", L"", kPathEdit, 0, 39, 4, 186, 12},
    {{"Main04DrawPointer"}, IDD_MAIN_DIALOG, 4, 1005, L"Button", L"绘制鼠标指针", kCheck, 0, 61, 22, 55, 10},
    {{"Main05FrameRate"}, IDD_MAIN_DIALOG, 5, 1006, L"ComboBox", L"", kChild | CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP,
     WS_EX_TRANSPARENT, 27, 53, 31, 13},
    {{"Main06FrameRateLabel"}, IDD_MAIN_DIALOG, 6, -1, L"Static", L"帧率：", kLabel, 0, 5, 55, 21, 8},
    {{"Main07TimeLabel"}, IDD_MAIN_DIALOG, 7, -1, L"Static", L"已或剩余 录制时间:", kLabel, 0, 5, 72, 60, 8},
    {{"Main08RecordMic"}, IDD_MAIN_DIALOG, 8, 1016, L"Button", L"录制麦克风声音", kCheck, 0, 187, 22, 56, 10},
    {{"Main09SelectRegion"}, IDD_MAIN_DIALOG, 9, 1004, L"Button", L"选取区域", kPush, 0, 159, 69, 41, 14},
    {{"Main10Time"}, IDD_MAIN_DIALOG, 10, 1019, L"Static", L"时间", kLabel | WS_TABSTOP, 0, 68, 72, 43, 8},
    {{"Main11Hint"}, IDD_MAIN_DIALOG, 11, -1, L"Static",
     L"提示：开始/停止录制快捷键是Ctrl+F10，录制时截图是Ctrl+F11。", kLabel, 0, 5, 88, 223, 8},
    {{"Main12RecordScreen"}, IDD_MAIN_DIALOG, 12, 1021, L"Button", L"录制屏幕画面", kCheck, 0, 5, 22, 54, 10},
    {{"Main13SetTime"}, IDD_MAIN_DIALOG, 13, 1022, L"Button", L"设置时间", kPush, 0, 113, 69, 41, 14},
    {{"Main14RecordSystemSound"}, IDD_MAIN_DIALOG, 14, 1000, L"Button", L"录制系统输出声音", kCheck, 0, 117, 22, 65,
     10},
    {{"Main15Monitors"}, IDD_MAIN_DIALOG, 15, 1031, L"ComboBox", L"", kSortedList, 0, 27, 36, 31, 30},
    {{"Main16PlaybackDevices"}, IDD_MAIN_DIALOG, 16, 1032, L"ComboBox", L"", kSortedList, 0, 113, 36, 133, 30},
    {{"Main17RecordingDevices"}, IDD_MAIN_DIALOG, 17, 1033, L"ComboBox", L"", kSortedList, 0, 113, 52, 133, 30},
    {{"Main18ScreenLabel"}, IDD_MAIN_DIALOG, 18, -1, L"Static", L"屏幕：", kLabel, 0, 4, 38, 22, 8},
    {{"Main19PlaybackLabel"}, IDD_MAIN_DIALOG, 19, -1, L"Static", L"输出声音设备：", kLabel, 0, 64, 37, 49, 8},
    {{"Main20RecordingLabel"}, IDD_MAIN_DIALOG, 20, -1, L"Static", L"输入声音设备：", kLabel, 0, 64, 54, 49, 8},

    // The sound mix tool.
    {{"Mix0Start"}, IDD_AUDIOMUX, 0, IDOK, L"Button", L"开始", kDefaultPush, 0, 254, 47, 50, 14},
    {{"Mix1SystemSoundPath"}, IDD_AUDIOMUX, 1, 1002, L"Edit", L"", kPathEdit, 0, 66, 7, 215, 14},
    {{"Mix2MicrophonePath"}, IDD_AUDIOMUX, 2, 1028, L"Edit", L"", kPathEdit, 0, 66, 27, 215, 14},
    {{"Mix3SystemSoundLabel"}, IDD_AUDIOMUX, 3, -1, L"Static", L"系统输出音频：", kLabel, 0, 8, 9, 57, 8},
    {{"Mix4MicrophoneLabel"}, IDD_AUDIOMUX, 4, -1, L"Static", L"麦克风音频：", kLabel, 0, 7, 29, 49, 8},
    {{"Mix5BrowseSystemSound"}, IDD_AUDIOMUX, 5, 1004, L"Button", L"...", kPush, 0, 287, 7, 17, 14},
    {{"Mix6BrowseMicrophone"}, IDD_AUDIOMUX, 6, 1022, L"Button", L"...", kPush, 0, 287, 27, 17, 14},
    {{"Mix7Hint"}, IDD_AUDIOMUX, 7, -1, L"Static", L"提示：同样无损输出FLAC，文件将自动命名保存到源文件的同目录。",
     kLabel, 0, 7, 50, 242, 8},

    // The MKV packing tool.
    {{"Mkv0Start"}, IDD_MKVMUX, 0, IDOK, L"Button", L"开始", kDefaultPush, 0, 254, 47, 50, 14},
    {{"Mkv1VideoPath"}, IDD_MKVMUX, 1, 1002, L"Edit", L"", kPathEdit, 0, 33, 7, 248, 14},
    {{"Mkv2SoundPath"}, IDD_MKVMUX, 2, 1028, L"Edit", L"", kPathEdit, 0, 33, 27, 248, 14},
    {{"Mkv3VideoLabel"}, IDD_MKVMUX, 3, -1, L"Static", L"视频：", kLabel, 0, 7, 9, 25, 8},
    {{"Mkv4SoundLabel"}, IDD_MKVMUX, 4, -1, L"Static", L"音频：", kLabel, 0, 7, 28, 25, 8},
    {{"Mkv5Hint"}, IDD_MKVMUX, 5, -1, L"Static",
     L"提示：文件将自动命名保存到源文件的同目录，帧率设为0即自动但可能不准。", kLabel, 0, 7, 66, 277, 8},
    {{"Mkv6BrowseVideo"}, IDD_MKVMUX, 6, 1004, L"Button", L"...", kPush, 0, 287, 7, 17, 14},
    {{"Mkv7BrowseSound"}, IDD_MKVMUX, 7, 1022, L"Button", L"...", kPush, 0, 287, 27, 17, 14},
    {{"Mkv8RateLabel"}, IDD_MKVMUX, 8, -1, L"Static", L"帧率：", kLabel, 0, 7, 48, 25, 8},
    {{"Mkv9Rates"}, IDD_MKVMUX, 9, 1006, L"ComboBox", L"", kSortedList, 0, 33, 47, 48, 30},

    // The MP4 transcode tool.
    {{"Mp40Start"}, IDD_RGBTOYUV420P, 0, IDOK, L"Button", L"开始", kDefaultPush, 0, 252, 43, 50, 14},
    {{"Mp41VideoPath"}, IDD_RGBTOYUV420P, 1, 1002, L"Edit", L"", kPathEdit, 0, 35, 7, 241, 14},
    {{"Mp42SoundPath"}, IDD_RGBTOYUV420P, 2, 1028, L"Edit", L"", kPathEdit, 0, 35, 26, 242, 14},
    {{"Mp43BrowseVideo"}, IDD_RGBTOYUV420P, 3, 1004, L"Button", L"...", kPush, 0, 283, 7, 19, 14},
    {{"Mp44BrowseSound"}, IDD_RGBTOYUV420P, 4, 1022, L"Button", L"...", kPush, 0, 283, 26, 20, 14},
    {{"Mp45VideoLabel"}, IDD_RGBTOYUV420P, 5, -1, L"Static", L"视频：", kLabel, 0, 7, 9, 25, 8},
    {{"Mp46SoundLabel"}, IDD_RGBTOYUV420P, 6, -1, L"Static", L"音频：", kLabel, 0, 8, 28, 25, 8},
    {{"Mp47Hint"}, IDD_RGBTOYUV420P, 7, -1, L"Static",
     L"提示：输出格式为mp4，视频部分格式为H.264（yuv420p）码率不定，尽量保证画质，文件可能很大，音频为AAC，码率320k。"
     L"。用此功能转换的视频可以用其他傻瓜软件转码或者用后期编辑软件编辑了。帧率设为0即自动但可能不准。",
     kLabel, 0, 7, 59, 287, 26},
    {{"Mp48Rates"}, IDD_RGBTOYUV420P, 8, 1006, L"ComboBox", L"", kSortedList, 0, 35, 44, 48, 30},
    {{"Mp49RateLabel"}, IDD_RGBTOYUV420P, 9, -1, L"Static", L"帧率：", kLabel, 0, 7, 46, 25, 8},
};

// The style and extended style as hexadecimal words, so that a failure shows
// which bits differ.
std::string Styles(DWORD style, DWORD exStyle)
{
    char text[48];
    snprintf(text, sizeof text, "style 0x%08lX, extended 0x%08lX", static_cast<unsigned long>(style),
             static_cast<unsigned long>(exStyle));
    return text;
}

// Place and size in dialog units.
using Box = std::array<int, 4>;

class TemplateControlTest : public testing::TestWithParam<ControlRow>
{
};

TEST_P(TemplateControlTest, StandsInTheTemplateAsTheTableSays)
{
    const ControlRow& row = GetParam();
    const DialogTemplate& dialog = Template(row.dialog);
    ASSERT_TRUE(dialog.extended) << "template " << row.dialog << " is missing or not a DIALOGEX";
    ASSERT_LT(row.index, dialog.controls.size());
    const TemplateControl& c = dialog.controls[row.index];
    EXPECT_EQ(c.id, row.id);
    EXPECT_EQ(Utf8(c.cls), Utf8(row.cls));
    EXPECT_EQ(Utf8(c.text), Utf8(row.text));
    EXPECT_EQ(Styles(c.style, c.exStyle), Styles(row.style, row.exStyle));
    EXPECT_EQ((Box{c.x, c.y, c.cx, c.cy}), (Box{row.x, row.y, row.cx, row.cy}));
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateControlTest, testing::ValuesIn(kControls), CaseName());

// A template's own frame.
struct TemplateRow : NamedCase
{
    UINT dialog;
    const wchar_t* caption;
    DWORD style;
    DWORD exStyle;
    short cx, cy;
    WORD pointSize;
};

constexpr DWORD kToolStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT | DS_FIXEDSYS;

const TemplateRow kTemplates[] = {
    {{"Main"}, IDD_MAIN_DIALOG, L"Glintcast",
     WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | DS_MODALFRAME | DS_CENTER | DS_SETFONT |
         DS_FIXEDSYS,
     WS_EX_APPWINDOW, 250, 100, 9},
    {{"Mix"}, IDD_AUDIOMUX, L"将系统输出声音和麦克风声音混成一个音频", kToolStyle, 0, 311, 68, 8},
    {{"Mkv"}, IDD_MKVMUX, L"封装视音频为MKV格式文件", kToolStyle, 0, 311, 85, 8},
    {{"Mp4"}, IDD_RGBTOYUV420P, L"简单地将录制出来的视音频转码成通用的主流格式", kToolStyle, 0, 309, 92, 8},
};

class TemplateFrameTest : public testing::TestWithParam<TemplateRow>
{
};

TEST_P(TemplateFrameTest, HasItsCaptionStyleSizeFontAndTheTablesControlsAlone)
{
    const TemplateRow& row = GetParam();
    const DialogTemplate& dialog = Template(row.dialog);
    ASSERT_TRUE(dialog.extended) << "template " << row.dialog << " is missing or not a DIALOGEX";
    EXPECT_EQ(Utf8(dialog.caption), Utf8(row.caption));
    EXPECT_EQ(Styles(dialog.style, dialog.exStyle), Styles(row.style, row.exStyle));
    EXPECT_EQ(dialog.cx, row.cx);
    EXPECT_EQ(dialog.cy, row.cy);
    EXPECT_EQ(Utf8(dialog.font), "MS Shell Dlg");
    EXPECT_EQ(dialog.pointSize, row.pointSize);
    size_t rows = 0;
    for (const ControlRow& control : kControls)
        rows += control.dialog == row.dialog;
    EXPECT_EQ(dialog.controls.size(), rows) << "a control that the table does not list, or one missing";
}

INSTANTIATE_TEST_SUITE_P(Templates, TemplateFrameTest, testing::ValuesIn(kTemplates), CaseName());

} // namespace
