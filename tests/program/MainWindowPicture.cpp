// Pictures the real program's main window, for people to look at:
//   main_window_picture.exe GLINTCAST IMPORT OUTFILE
// GLINTCAST is the Linux path of Glintcast.exe, IMPORT that of ImageMagick's
// import, OUTFILE the Linux path of the PNG. It starts the program in a fresh
// folder, answers its opening messages, closes the about box, pictures the main
// window with a margin and closes it again. scripts/screenshots.sh runs it; the
// exit code is 0 when the picture was taken and the program ended cleanly.
#include "GlintcastOpening.h"
#include "NativeTool.h"
#include "ProgramProcess.h"
#include "RemoteWindow.h"
#include "TempDir.h"

#include <cstdio>
#include <string>

namespace {

bool Picture(HWND window, const std::string& import, const std::string& file)
{
    constexpr int kMargin = 8;
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Sleep(400);
    RECT rect;
    GetWindowRect(window, &rect);
    return PictureScreen(import, file, rect, kMargin);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 4) {
        fprintf(stderr, "usage: main_window_picture.exe GLINTCAST IMPORT OUTFILE\n");
        return 2;
    }
    TempDir folder;
    ProgramProcess program(WindowsPathOf(argv[1]), folder.Path());
    if (!program.Started()) {
        fprintf(stderr, "cannot start %s\n", argv[1]);
        return 1;
    }
    const GlintcastOpening opening = GoThroughOpening(program);
    for (const ShownBox& box : opening.boxes)
        printf("answered \"%s\": %s\n", Utf8(box.caption).c_str(), Utf8(box.text).c_str());
    if (!opening.mainWindow) {
        fprintf(stderr, "the main window did not show\n");
        return 1;
    }
    const bool pictured = Picture(opening.mainWindow, argv[2], argv[3]);
    RemoteWindow(opening.mainWindow).PostClose();
    const std::optional<DWORD> code = program.WaitForExit();
    if (!code || *code != 0)
        fprintf(stderr, "the program did not end cleanly\n");
    printf("%s main\n", pictured ? "pictured" : "FAILED  ");
    return pictured && code && *code == 0 ? 0 : 1;
}
