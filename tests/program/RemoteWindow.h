#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

// A window of another process, read and driven by window messages as a user
// would drive it. Every message that needs an answer is sent with a time-out,
// so a program that hangs makes a check fail instead of the test hanging.
class RemoteWindow
{
public:
    explicit RemoteWindow(HWND window) : m_window(window) {}

    HWND Handle() const { return m_window; }
    HWND Control(int id) const { return GetDlgItem(m_window, id); }
    // The window exists and is shown.
    bool IsOpen() const;

    std::wstring Caption() const;
    std::wstring Text(int id) const;
    // The selected item's text of combo box id (a drop-down list has no window
    // text); empty when nothing is selected.
    std::wstring SelectedItem(int id) const;
    std::vector<std::wstring> Items(int id) const;
    bool IsEnabled(int id) const;
    bool IsChecked(int id) const;

    // A mouse click on button id (BM_CLICK). It does not wait for what the click
    // starts, so a click that opens a modal loop returns all the same.
    void Click(int id) const;
    // Clicks check box id when its state differs from on; true once it shows on.
    bool SetCheck(int id, bool on) const;
    // Puts text into control id whole (WM_SETTEXT), as a paste over its old text would.
    void SetText(int id, const std::wstring& text) const;
    // Types text into control id (a combo box: into its edit field) over what it
    // held, one WM_CHAR per character, as the keyboard would.
    void Type(int id, const std::wstring& text) const;
    // Picks item index of combo box id as a click in its list would: the
    // selection, then CBN_SELCHANGE to the window.
    void Pick(int id, int index) const;
    // A pick of command in the window's system menu (WM_SYSCOMMAND, posted).
    void PostSystemCommand(UINT command) const;
    // Presses a button of a message box or dialog: WM_COMMAND with its id.
    void Press(int buttonId) const;
    void PostClose() const;

    // A message box's text (its static control 0xFFFF) and its shown buttons' ids.
    std::wstring MessageText() const { return Text(0xFFFF); }
    std::vector<int> Buttons() const;

private:
    LRESULT Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs = 5000) const;
    std::wstring TextOf(HWND window) const;

    HWND m_window;
};

// Polls done until it holds; false once the limit has passed.
bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(10));
