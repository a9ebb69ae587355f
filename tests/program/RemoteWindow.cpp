#include "RemoteWindow.h"

#include <algorithm>

namespace {

// Long enough for a busy program, short enough that a click opening a modal loop
// does not hold the caller.
constexpr UINT kClickTimeoutMs = 300;

} // namespace

bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done()) {
        if (std::chrono::steady_clock::now() > end)
            return false;
        Sleep(20);
    }
    return true;
}

LRESULT RemoteWindow::Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs) const
{
    // No SMTO_ABORTIFHUNG: a program counts as hung when its thread has not asked
    // for a message for 5 s, which a loaded machine gives a program that has just
    // shown a box after a long opening; the send would then fail at once, and a
    // text read would come back empty.
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(target, message, wParam, lParam, SMTO_NORMAL, timeoutMs, &result))
        return -1;
    return static_cast<LRESULT>(result);
}

std::wstring RemoteWindow::TextOf(HWND window) const
{
    // WM_GETTEXT rather than GetWindowTextW: for another process's window the
    // latter reads only the caption the system keeps, not an edit control's text.
    const LRESULT n = Send(window, WM_GETTEXTLENGTH, 0, 0);
    if (n < 0)
        return L"";
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]));
    text.resize(wcslen(text.c_str()));
    return text;
}

bool RemoteWindow::IsOpen() const
{
    return IsWindow(m_window) && IsWindowVisible(m_window);
}

std::wstring RemoteWindow::Caption() const
{
    return TextOf(m_window);
}

std::wstring RemoteWindow::Text(int id) const
{
    HWND control = Control(id);
    return control ? TextOf(control) : L"";
}

std::wstring RemoteWindow::SelectedItem(int id) const
{
    const LRESULT index = Send(Control(id), CB_GETCURSEL, 0, 0);
    if (index < 0)
        return L"";
    const LRESULT n = Send(Control(id), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (n < 0)
        return L"";
    std::wstring item(static_cast<size_t>(n) + 1, L'\0');
    Send(Control(id), CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item[0]));
    item.resize(wcslen(item.c_str()));
    return item;
}

std::vector<std::wstring> RemoteWindow::Items(int id) const
{
    std::vector<std::wstring> items;
    const LRESULT count = Send(Control(id), CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        const LRESULT n = Send(Control(id), CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
        std::wstring item(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
        Send(Control(id), CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item[0]));
        item.resize(wcslen(item.c_str()));
        items.push_back(item);
    }
    return items;
}

bool RemoteWindow::IsEnabled(int id) const
{
    HWND control = Control(id);
    return control && IsWindowEnabled(control);
}

bool RemoteWindow::IsChecked(int id) const
{
    return Send(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void RemoteWindow::Click(int id) const
{
    Send(Control(id), BM_CLICK, 0, 0, kClickTimeoutMs);
}

bool RemoteWindow::SetCheck(int id, bool on) const
{
    if (IsChecked(id) != on)
        Click(id);
    return WaitUntil([&] { return IsChecked(id) == on; }, std::chrono::seconds(5));
}

void RemoteWindow::SetText(int id, const std::wstring& text) const
{
    Send(Control(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void RemoteWindow::Type(int id, const std::wstring& text) const
{
    HWND target = Control(id);
    // An editable combo box takes keys in its edit field, its only child.
    if (HWND edit = FindWindowExW(target, nullptr, L"Edit", nullptr))
        target = edit;
    Send(target, EM_SETSEL, 0, -1);
    if (text.empty())
        Send(target, WM_CHAR, VK_BACK, 0);
    for (wchar_t c : text)
        Send(target, WM_CHAR, c, 0);
}

void RemoteWindow::Pick(int id, int index) const
{
    Send(Control(id), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Control(id)));
}

void RemoteWindow::PostSystemCommand(UINT command) const
{
    PostMessageW(m_window, WM_SYSCOMMAND, command, 0);
}

void RemoteWindow::Press(int buttonId) const
{
    PostMessageW(m_window, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Control(buttonId)));
}

void RemoteWindow::PostClose() const
{
    PostMessageW(m_window, WM_CLOSE, 0, 0);
}

std::vector<int> RemoteWindow::Buttons() const
{
    std::vector<int> ids;
    for (HWND child = GetWindow(m_window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(child, cls, 16);
        if (_wcsicmp(cls, L"Button") == 0 && IsWindowVisible(child))
            ids.push_back(GetDlgCtrlID(child));
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}
