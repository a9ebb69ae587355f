#include "DialogDriver.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kSendTimeoutMs = 5000;

std::wstring WindowText(HWND window)
{
    const int n = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    GetWindowTextW(window, &text[0], n + 1);
    text.resize(wcslen(text.c_str()));
    return text;
}

bool IsDialogOfThisProcess(HWND window)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    return pid == GetCurrentProcessId() && wcscmp(cls, L"#32770") == 0;
}

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds limit)
{
    const auto end = Clock::now() + limit;
    while (!done()) {
        if (Clock::now() > end)
            return false;
        Sleep(5);
    }
    return true;
}

LPARAM KeyData(UINT virtualKey, bool up)
{
    const UINT scan = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    return 1 | (static_cast<LPARAM>(scan) << 16) | (up ? (3LL << 30) : 0);
}

} // namespace

LRESULT DialogWindow::Send(HWND target, UINT message, WPARAM wParam, LPARAM lParam) const
{
    DWORD_PTR result = 0;
    SendMessageTimeoutW(target, message, wParam, lParam, SMTO_NORMAL, kSendTimeoutMs, &result);
    return static_cast<LRESULT>(result);
}

std::wstring DialogWindow::Caption() const
{
    return WindowText(m_window);
}

std::wstring DialogWindow::Text(int id) const
{
    return WindowText(Control(id));
}

bool DialogWindow::IsOpen() const
{
    return IsWindow(m_window) && IsWindowVisible(m_window);
}

bool DialogWindow::Type(int id, const std::wstring& text) const
{
    HWND edit = Control(id);
    Send(edit, EM_SETSEL, 0, -1);
    if (text.empty())
        PostMessageW(edit, WM_CHAR, VK_BACK, 1);
    for (wchar_t c : text)
        PostMessageW(edit, WM_CHAR, c, 1);
    return WaitFor([&] { return WindowText(edit) == text; }, std::chrono::seconds(5));
}

void DialogWindow::Click(int id) const
{
    Send(Control(id), BM_CLICK, 0, 0);
}

HWND DialogWindow::Focus() const
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    if (!GetGUIThreadInfo(GetWindowThreadProcessId(m_window, nullptr), &info))
        return nullptr;
    return info.hwndFocus;
}

void DialogWindow::PressKey(UINT virtualKey) const
{
    HWND target = Focus();
    if (!target || (target != m_window && !IsChild(m_window, target)))
        target = m_window;
    PostMessageW(target, WM_KEYDOWN, virtualKey, KeyData(virtualKey, false));
    PostMessageW(target, WM_KEYUP, virtualKey, KeyData(virtualKey, true));
}

void DialogWindow::Close() const
{
    PostMessageW(m_window, WM_SYSCOMMAND, SC_CLOSE, 0);
}

void DialogWindow::Pick(int comboId, int index) const
{
    HWND combo = Control(comboId);
    Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Send(m_window, WM_COMMAND, MAKEWPARAM(comboId, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

std::vector<std::wstring> DialogWindow::Items(int comboId) const
{
    HWND combo = Control(comboId);
    std::vector<std::wstring> items;
    const auto count = static_cast<int>(Send(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const auto n = static_cast<int>(Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0));
        std::wstring item(static_cast<size_t>(n > 0 ? n : 0) + 1, L'\0');
        Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item[0]));
        item.resize(wcslen(item.c_str()));
        items.push_back(item);
    }
    return items;
}

int DialogWindow::Selection(int comboId) const
{
    return static_cast<int>(Send(Control(comboId), CB_GETCURSEL, 0, 0));
}

bool DialogWindow::WaitUntilClosed(std::chrono::milliseconds limit) const
{
    return WaitFor([&] { return !IsOpen(); }, limit);
}

HWND FindDialog(const std::wstring& caption)
{
    struct Search
    {
        const std::wstring* caption;
        HWND found;
    } search{&caption, nullptr};
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<Search*>(param);
            if (IsDialogOfThisProcess(window) && IsWindowVisible(window) && IsWindowEnabled(window) &&
                WindowText(window) == *s->caption) {
                s->found = window;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForDialog(const std::wstring& caption, std::chrono::milliseconds limit)
{
    HWND found = nullptr;
    WaitFor([&] { return (found = FindDialog(caption)) != nullptr; }, limit);
    return found;
}

bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit,
               const std::function<bool(MSG&)>& preTranslate)
{
    const auto end = Clock::now() + limit;
    for (;;) {
        MSG msg;
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (preTranslate && preTranslate(msg))
                continue;
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        if (done())
            return true;
        if (Clock::now() > end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    }
}

namespace {

std::vector<HWND> VisibleDialogs()
{
    std::vector<HWND> dialogs;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            if (IsDialogOfThisProcess(window) && IsWindowVisible(window))
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&dialogs));
    return dialogs;
}

} // namespace

ModalRun RunModal(const std::wstring& caption, const std::function<INT_PTR()>& show,
                  const std::function<void(const DialogWindow&)>& act, std::chrono::milliseconds limit)
{
    ModalRun run;
    std::atomic<bool> shown{false};
    std::atomic<bool> returned{false};
    std::atomic<bool> leftOpen{false};
    const std::vector<HWND> before = VisibleDialogs();
    std::thread helper([&] {
        HWND window = nullptr;
        WaitFor([&] { return returned || (window = FindDialog(caption)) != nullptr; }, limit);
        if (window) {
            shown = true;
            const DialogWindow dialog(window);
            act(dialog);
            if (!dialog.WaitUntilClosed(limit)) {
                leftOpen = true;
                dialog.Close();
            }
        }
        // Whatever else came up meanwhile (the wrong dialog, say) is closed too, so
        // that show returns.
        while (!returned) {
            for (HWND other : VisibleDialogs())
                if (std::find(before.begin(), before.end(), other) == before.end())
                    PostMessageW(other, WM_SYSCOMMAND, SC_CLOSE, 0);
            WaitFor([&] { return returned.load(); }, std::chrono::seconds(1));
        }
    });
    run.result = show();
    returned = true;
    helper.join();
    run.appeared = shown;
    run.leftOpen = leftOpen;
    return run;
}
