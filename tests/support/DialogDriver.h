#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// A dialog window of this process, driven the way a user would drive it but by
// window messages, from any thread: the dialog's own thread must be pumping
// messages (a modal loop, say). Waits give up after a few seconds.
class DialogWindow
{
public:
    explicit DialogWindow(HWND window) : m_window(window) {}

    HWND Handle() const { return m_window; }
    HWND Control(int id) const { return GetDlgItem(m_window, id); }
    std::wstring Caption() const;
    std::wstring Text(int id) const;
    bool IsOpen() const;

    // Replaces the text of edit control id by typing: selects all, then one
    // WM_CHAR per character; returns once the control shows the text.
    bool Type(int id, const std::wstring& text) const;
    // A mouse click on button id (BM_CLICK: press, release, BN_CLICKED).
    void Click(int id) const;
    // A key pressed and released on the window that has the keyboard focus in the
    // dialog (the dialog itself when none of its controls has it).
    void PressKey(UINT virtualKey) const;
    void PressEnter() const { PressKey(VK_RETURN); }
    void PressEscape() const { PressKey(VK_ESCAPE); }
    // The caption's close box.
    void Close() const;

    // A pick in combo box id, as the user makes it from the list: the selection
    // changes and the dialog hears CBN_SELCHANGE.
    void Pick(int comboId, int index) const;
    std::vector<std::wstring> Items(int comboId) const;
    int Selection(int comboId) const;

    // The window that has the keyboard focus on the dialog's thread (or null).
    HWND Focus() const;
    // Waits until the dialog's window is gone or hidden.
    bool WaitUntilClosed(std::chrono::milliseconds limit = std::chrono::seconds(5)) const;

private:
    LRESULT Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const;

    HWND m_window;
};

// A visible, enabled dialog window (class #32770) of this process with this caption.
HWND FindDialog(const std::wstring& caption);
// Waits for one: null on time-out.
HWND WaitForDialog(const std::wstring& caption, std::chrono::milliseconds limit = std::chrono::seconds(10));

// Waits while pumping this thread's messages until done() holds; each message is
// first offered to preTranslate (a framework's dialog keys, say), which returns
// true when it has dealt with it. False on time-out.
bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(5),
               const std::function<bool(MSG&)>& preTranslate = {});

// What became of a dialog run by RunModal.
struct ModalRun
{
    INT_PTR result = 0;     // what the show function returned
    bool appeared = false;  // the dialog came up, and act ran on it
    bool leftOpen = false;  // act did not end it: RunModal closed it with the close box
};

// Calls show (which runs a modal dialog, DoModal say) on this thread; once a
// dialog with the caption is up, act runs on a helper thread with it. When act
// leaves it open, or another dialog comes up instead, it is closed with the close
// box, so that a test does not hang.
ModalRun RunModal(const std::wstring& caption, const std::function<INT_PTR()>& show,
                  const std::function<void(const DialogWindow&)>& act,
                  std::chrono::milliseconds limit = std::chrono::seconds(10));
