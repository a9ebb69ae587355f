// Shows each dialog of the program in turn and takes a picture of the screen
// around it with ImageMagick's import, for people to look at:
//   dialog_gallery.exe IMPORT OUTDIR
// IMPORT is the Linux path of ImageMagick's import, OUTDIR a Linux folder; one
// PNG per dialog goes there. scripts/screenshots.sh runs it under Xvfb. The exit
// code is the number of dialogs that could not be pictured.
#include "AUDIOMUX.h"
#include "AboutDlg.h"
#include "DialogDriver.h"
#include "MKVMUX.h"
#include "NativeTool.h"
#include "RGBtoYUV420p.h"
#include "RegionDlg.h"
#include "SetResolutionDlg.h"
#include "SetTimeDlg.h"

#include <functional>
#include <string>
#include <vector>

namespace {

// A window full of stripes and text, so that what the overlay lets through shows.
class Backdrop
{
public:
    Backdrop(int cx, int cy)
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = Paint;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"GlintcastGalleryBackdrop";
        RegisterClassW(&wc);
        m_window = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE, 0, 0, cx, cy, nullptr, nullptr,
                                   wc.hInstance, nullptr);
        UpdateWindow(m_window);
    }
    ~Backdrop() { DestroyWindow(m_window); }

private:
    static LRESULT CALLBACK Paint(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message != WM_PAINT)
            return DefWindowProcW(window, message, wParam, lParam);
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        for (int x = 0; x < client.right; x += 40) {
            const RECT stripe = {x, 0, x + 40, client.bottom};
            const BYTE shade = static_cast<BYTE>(x / 40 % 2 ? 70 : 110);
            HBRUSH brush = CreateSolidBrush(RGB(shade / 2, shade, shade + 60));
            FillRect(dc, &stripe, brush);
            DeleteObject(brush);
        }
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, RGB(255, 230, 120));
        const wchar_t* text = L"透过录制区域看到的桌面 — the desktop under the region";
        for (int y = 20; y < client.bottom; y += 60)
            TextOutW(dc, 30, y, text, lstrlenW(text));
        EndPaint(window, &ps);
        return 0;
    }

    HWND m_window;
};

// A recording's files as the main window names them.
const std::wstring kRecording = L"D:\\Glintcast_Output\\Glintcast_Record - 2024_05_01_20_30_00";

class GalleryApp : public CWinApp
{
public:
    BOOL InitInstance() override;
    int ExitInstance() override
    {
        AfxOleTerm();
        CWinApp::ExitInstance();
        return m_failures;
    }

private:
    // Pictures the screen around window (a margin included) into OUTDIR/name.png.
    bool Picture(HWND window, const char* name, int margin);
    bool ShowModal(const char* name, const std::wstring& caption, const std::function<INT_PTR()>& show);
    bool ShowRegion();
    // A converter tool as its system-menu entry opens it, with a recording's
    // files chosen.
    bool ShowTool(const char* name, CDialog& tool, UINT templateId, const std::wstring& first,
                  const std::wstring& second);

    std::string m_import;
    std::string m_outDir;
    int m_failures = 0;
};

GalleryApp theApp;

bool GalleryApp::Picture(HWND window, const char* name, int margin)
{
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    // Wine hands what a thread has painted to the X server when that thread
    // waits for messages: a modeless dialog's painting would otherwise be late.
    PumpUntil([] { return false; }, std::chrono::milliseconds(400));
    RECT rect;
    GetWindowRect(window, &rect);
    return PictureScreen(m_import, m_outDir + "/" + name + ".png", rect, margin);
}

bool GalleryApp::ShowModal(const char* name, const std::wstring& caption, const std::function<INT_PTR()>& show)
{
    bool pictured = false;
    const ModalRun run = RunModal(caption, show, [&](const DialogWindow& dialog) {
        pictured = Picture(dialog.Handle(), name, 8);
        dialog.Close();
    });
    if (!run.appeared)
        fprintf(stderr, "%s: the dialog \"%s\" did not come up\n", name, Utf8(caption).c_str());
    return run.appeared && pictured;
}

bool GalleryApp::ShowRegion()
{
    Backdrop backdrop(900, 520);
    RegionDlg overlay;
    if (!overlay.Create(IDD_REGION))
        return false;
    overlay.ShowWindow(SW_SHOW);
    overlay.SetClientSize(640, 360);
    PumpUntil([] { return false; }, std::chrono::milliseconds(300));
    const bool pictured = Picture(overlay.m_hWnd, "region", 24);
    overlay.DestroyWindow();
    return pictured;
}

bool GalleryApp::ShowTool(const char* name, CDialog& tool, UINT templateId, const std::wstring& first,
                          const std::wstring& second)
{
    if (!tool.Create(templateId))
        return false;
    tool.SetDlgItemText(IDC_TOOL_FIRST_PATH, first.c_str());
    tool.SetDlgItemText(IDC_TOOL_SECOND_PATH, second.c_str());
    tool.ShowWindow(SW_SHOW);
    PumpUntil([] { return false; }, std::chrono::milliseconds(300));
    const bool pictured = Picture(tool.m_hWnd, name, 8);
    tool.DestroyWindow();
    return pictured;
}

BOOL GalleryApp::InitInstance()
{
    CWinApp::InitInstance();
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_LINK_CLASS};
    InitCommonControlsEx(&controls);
    AfxOleInit();

    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (argc == 3) {
        m_import = Utf8(argv[1]);
        m_outDir = Utf8(argv[2]);
    }
    LocalFree(argv);
    if (m_outDir.empty()) {
        fprintf(stderr, "usage: dialog_gallery.exe IMPORT OUTDIR\n");
        m_failures = 1;
        return FALSE;
    }

    const struct
    {
        const char* name;
        std::function<bool()> show;
    } dialogs[] = {
        {"about", [this] {
             CAboutDlg dlg;
             dlg.SetBackgroundColor(RGB(255, 255, 255), TRUE);
             return ShowModal("about", L"关于 Glintcast（V4.0）", [&] { return dlg.DoModal(); });
         }},
        {"region", [this] { return ShowRegion(); }},
        {"set-resolution", [this] {
             SetResolutionDlg dlg;
             return ShowModal("set-resolution", L"选择预设分辨率", [&] { return dlg.DoModal(); });
         }},
        {"set-time", [this] {
             SetTimeDlg dlg;
             return ShowModal("set-time", L"设置时间", [&] { return dlg.DoModal(); });
         }},
        {"audiomux", [this] {
             AUDIOMUX tool;
             return ShowTool("audiomux", tool, IDD_AUDIOMUX, kRecording + L".flac", kRecording + L".MIC.flac");
         }},
        {"mkvmux", [this] {
             MKVMUX tool;
             return ShowTool("mkvmux", tool, IDD_MKVMUX, kRecording + L".264", kRecording + L"_Mux.flac");
         }},
        {"rgbtoyuv420p", [this] {
             RGBtoYUV420p tool;
             return ShowTool("rgbtoyuv420p", tool, IDD_RGBTOYUV420P, kRecording + L".264", kRecording + L"_Mux.flac");
         }},
    };
    for (const auto& dialog : dialogs) {
        const bool pictured = dialog.show();
        printf("%s %s\n", pictured ? "pictured" : "FAILED  ", dialog.name);
        fflush(stdout);
        m_failures += pictured ? 0 : 1;
    }
    return FALSE;
}

} // namespace
