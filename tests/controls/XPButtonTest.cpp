// The flat button, read back from the screen in its states, and its GDI objects.
#include "ButtonHost.h"
#include "GeometryPrinters.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr COLORREF kBlueFrame = RGB(86, 157, 229);
constexpr COLORREF kGreyFrame = RGB(128, 128, 128);

// What a button looks like on the screen.
struct Look
{
    COLORREF fill = 0;
    COLORREF frame = 0;
    bool frameWhole = true;  // every edge pixel has the frame's colour
    CRect caption;                           // pixels that are neither frame nor fill
    COLORREF darkest = RGB(255, 255, 255);  // the caption's darkest pixel
};

int Brightness(COLORREF c)
{
    return GetRValue(c) + GetGValue(c) + GetBValue(c);
}

Look Read(CWnd& button)
{
    button.UpdateWindow();
    CRect client;
    button.GetClientRect(client);
    HDC dc = GetDC(button);
    Look look;
    look.frame = GetPixel(dc, 0, 0);
    look.fill = GetPixel(dc, 2, 2);
    look.caption = CRect(client.right, client.bottom, 0, 0);
    for (int y = 0; y < client.bottom; ++y) {
        for (int x = 0; x < client.right; ++x) {
            const COLORREF c = GetPixel(dc, x, y);
            const bool edge = x == 0 || y == 0 || x == client.right - 1 || y == client.bottom - 1;
            if (edge) {
                look.frameWhole = look.frameWhole && c == look.frame;
                continue;
            }
            if (c == look.fill)
                continue;
            look.caption.left = std::min<LONG>(look.caption.left, x);
            look.caption.top = std::min<LONG>(look.caption.top, y);
            look.caption.right = std::max<LONG>(look.caption.right, x + 1);
            look.caption.bottom = std::max<LONG>(look.caption.bottom, y + 1);
            if (Brightness(c) < Brightness(look.darkest))
                look.darkest = c;
        }
    }
    ReleaseDC(button, dc);
    return look;
}

struct Step
{
    const char* what;
    std::function<void(ButtonHost&)> act;
    InspectableButton ButtonHost::*button;
    COLORREF fill;
    COLORREF frame;
    int sink;  // the caption's offset right and down from where it stood unpressed
    bool embossed;
};

void Press(CWnd& button, BOOL down)
{
    button.SendMessage(BM_SETSTATE, down);
}

TEST(XPButtonTest, LooksOfEachStateOnTheScreen)
{
    const COLORREF face = GetSysColor(COLOR_BTNFACE);
    const COLORREF factoryHighlight = RGB(41, 88, 122);
    const Step steps[] = {
        {"standard, shown", [](ButtonHost&) {}, &ButtonHost::standard, RGB(255, 255, 255), kGreyFrame, 0, false},
        {"standard, pressed", [](ButtonHost& h) { Press(h.standard, TRUE); }, &ButtonHost::standard,
         RGB(250, 250, 250), kBlueFrame, 1, false},
        {"standard, released", [](ButtonHost& h) { Press(h.standard, FALSE); }, &ButtonHost::standard,
         RGB(255, 255, 255), kGreyFrame, 0, false},
        {"standard, disabled", [](ButtonHost& h) { h.standard.EnableWindow(FALSE); }, &ButtonHost::standard,
         RGB(255, 255, 255), kGreyFrame, 0, true},
        {"standard, pressed while disabled", [](ButtonHost& h) { Press(h.standard, TRUE); }, &ButtonHost::standard,
         RGB(250, 250, 250), kBlueFrame, 1, true},
        {"standard, recoloured while shown",
         [](ButtonHost& h) {
             Press(h.standard, FALSE);
             h.standard.EnableWindow(TRUE);
             h.standard.SetNormalBkColor(RGB(0, 160, 0));
         },
         &ButtonHost::standard, RGB(0, 160, 0), kGreyFrame, 0, false},
        {"as constructed, shown", [](ButtonHost&) {}, &ButtonHost::factory, face, kGreyFrame, 0, false},
        {"as constructed, pressed", [](ButtonHost& h) { Press(h.factory, TRUE); }, &ButtonHost::factory,
         factoryHighlight, kBlueFrame, 1, false},
        {"as constructed, released: the highlight sticks", [](ButtonHost& h) { Press(h.factory, FALSE); },
         &ButtonHost::factory, factoryHighlight, kBlueFrame, 0, false},
    };
    ButtonHost host;
    ASSERT_TRUE(host.Create(IDD_BUTTON_HOST));
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    // Where each button's caption stands unpressed, plain and embossed: the
    // system draws embossed text without smoothing, so its extent differs a little.
    const CRect standardPlain = Read(host.standard).caption;
    CRect standardEmbossed;
    const CRect factoryPlain = Read(host.factory).caption;
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        s.act(host);
        InspectableButton& button = host.*s.button;
        const Look look = Read(button);
        EXPECT_EQ(look.fill, s.fill);
        EXPECT_EQ(look.frame, s.frame);
        EXPECT_TRUE(look.frameWhole);
        CRect expected = s.button == &ButtonHost::standard ? standardPlain : factoryPlain;
        if (s.embossed) {
            EXPECT_EQ(look.darkest, shadow) << "an embossed caption has no darker pixel than its shadow";
            if (standardEmbossed.IsRectNull()) {
                ASSERT_EQ(s.sink, 0);
                standardEmbossed = look.caption;
                EXPECT_NEAR(look.caption.left, expected.left, 1);
                EXPECT_NEAR(look.caption.top, expected.top, 1);
            }
            expected = standardEmbossed;
        } else {
            EXPECT_LT(Brightness(look.darkest), Brightness(shadow) - 90) << "a black caption";
        }
        expected.OffsetRect(s.sink, s.sink);
        if (s.embossed)  // its highlight copy shows on a grey fill and widens it
            EXPECT_EQ(look.caption.TopLeft(), expected.TopLeft());
        else
            EXPECT_EQ(look.caption, expected);
    }
    // The caption stands in the middle of the button.
    CRect client;
    host.standard.GetClientRect(client);
    EXPECT_NEAR(standardPlain.CenterPoint().x, client.CenterPoint().x, 2);
    EXPECT_NEAR(standardPlain.CenterPoint().y, client.CenterPoint().y, 3);
}

TEST(XPButtonTest, ColourSetBeforeTheButtonHasAWindowIsUsedWhenItIsShown)
{
    ButtonHost host;
    host.factory.SetNormalBkColor(RGB(200, 0, 200));
    ASSERT_TRUE(host.Create(IDD_BUTTON_HOST));
    EXPECT_EQ(Read(host.factory).fill, RGB(200, 0, 200));
}

TEST(XPButtonTest, EachDrawReplacesItsPenAndBrushAndTheButtonFreesThem)
{
    auto host = std::make_unique<ButtonHost>();
    ASSERT_TRUE(host->Create(IDD_BUTTON_HOST));
    InspectableButton& button = host->standard;
    button.Invalidate();
    button.UpdateWindow();
    const HGDIOBJ pen = button.Pen();
    const HGDIOBJ brush = button.NormalBrush();
    EXPECT_EQ(GetObjectType(pen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));
    EXPECT_EQ(button.HighlightBrush(), nullptr) << "no highlight drawn yet";

    button.Invalidate();
    button.UpdateWindow();
    EXPECT_EQ(GetObjectType(pen), 0u) << "the previous pen is deleted";
    EXPECT_EQ(GetObjectType(brush), 0u) << "the previous brush is deleted";
    Press(button, TRUE);
    button.UpdateWindow();
    const HGDIOBJ held[] = {button.Pen(), button.NormalBrush(), button.HighlightBrush()};
    for (HGDIOBJ object : held)
        EXPECT_NE(GetObjectType(object), 0u);

    host.reset();
    for (HGDIOBJ object : held)
        EXPECT_EQ(GetObjectType(object), 0u) << "the button deletes what it holds";
}

// The pixels of a caption drawn into a memory bitmap.
std::vector<DWORD> Render(InspectableButton& button, const std::wstring& caption)
{
    constexpr int kWidth = 3000, kHeight = 32;
    button.SetWindowText(caption.c_str());
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item = {ODT_BUTTON, IDC_STANDARD_BUTTON, 0, ODA_DRAWENTIRE, 0, button.m_hWnd, dc,
                           {0, 0, kWidth, kHeight}, 0};
    button.DrawItem(&item);
    GdiFlush();
    std::vector<DWORD> pixels(static_cast<const DWORD*>(bits), static_cast<const DWORD*>(bits) + kWidth * kHeight);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return pixels;
}

TEST(XPButtonTest, CaptionIsCutAfter259Characters)
{
    ButtonHost host;
    ASSERT_TRUE(host.Create(IDD_BUTTON_HOST));
    const std::wstring full(259, L'i');
    EXPECT_TRUE(Render(host.standard, full) == Render(host.standard, full + L"WWWW"));
    const std::wstring shorter(258, L'i');
    EXPECT_FALSE(Render(host.standard, shorter) == Render(host.standard, shorter + L"W"));
}

} // namespace
