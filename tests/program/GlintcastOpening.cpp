#include "GlintcastOpening.h"

#include "RemoteWindow.h"

#include <algorithm>

GlintcastOpening GoThroughOpening(const ProgramProcess& program, std::chrono::milliseconds limit)
{
    GlintcastOpening opening;
    std::vector<HWND> answered;
    HWND about = nullptr;
    WaitUntil(
        [&] {
            if (HWND box = program.WaitForMessageBox(answered, std::chrono::milliseconds(0))) {
                const RemoteWindow window(box);
                const std::vector<int> buttons = window.Buttons();
                opening.boxes.push_back({window.Caption(), window.MessageText(), buttons});
                const bool hasOk = std::find(buttons.begin(), buttons.end(), IDOK) != buttons.end();
                window.Press(hasOk || buttons.empty() ? IDOK : buttons.front());
                answered.push_back(box);
                return false;
            }
            if (!about && (about = program.FindWindow(kAboutCaption, L"#32770")) != nullptr) {
                opening.aboutShown = true;
                opening.boxesBeforeAbout = opening.boxes.size();
                RemoteWindow(about).PostClose();
                return false;
            }
            opening.mainWindow = program.FindWindow(kMainCaption, L"#32770");
            return opening.mainWindow != nullptr || !program.IsRunning();
        },
        limit);
    return opening;
}
