#include "MessageBoxWatcher.h"

namespace {

// The ids the system gives the parts of a message box: the text and the icon.
constexpr int kTextId = 0xFFFF;
constexpr int kIconId = 0x440;

std::wstring WindowText(HWND window)
{
    wchar_t text[4096] = {};
    GetWindowTextW(window, text, 4096);
    return text;
}

bool IsMessageBox(HWND window)
{
    wchar_t cls[16] = {};
    GetClassNameW(window, cls, 16);
    return wcscmp(cls, L"#32770") == 0 && IsWindowVisible(window) && GetDlgItem(window, kTextId) &&
           GetDlgItem(window, kIconId);
}

MessageBoxRecord Describe(HWND window)
{
    MessageBoxRecord box;
    box.window = window;
    box.text = WindowText(GetDlgItem(window, kTextId));
    box.caption = WindowText(window);
    box.owner = GetWindow(window, GW_OWNER);
    box.threadId = GetWindowThreadProcessId(window, nullptr);
    box.hasIcon = SendMessageW(GetDlgItem(window, kIconId), STM_GETICON, 0, 0) != 0;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        wchar_t cls[16] = {};
        GetClassNameW(child, cls, 16);
        if (_wcsicmp(cls, L"Button") == 0 && IsWindowVisible(child))
            box.buttons.push_back(GetDlgCtrlID(child));
    }
    return box;
}

int DefaultReply(const MessageBoxRecord& box)
{
    for (int id : box.buttons)
        if (id == IDOK)
            return IDOK;
    return box.buttons.empty() ? IDCANCEL : box.buttons.front();
}

} // namespace

MessageBoxWatcher::MessageBoxWatcher(Policy policy)
    : m_policy(policy ? std::move(policy) : Policy(DefaultReply))
{
    m_thread = std::thread([this] { Run(); });
}

MessageBoxWatcher::~MessageBoxWatcher()
{
    m_stop = true;
    m_thread.join();
}

void MessageBoxWatcher::SetPolicy(Policy policy)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    m_policy = policy ? std::move(policy) : Policy(DefaultReply);
}

std::vector<MessageBoxRecord> MessageBoxWatcher::Boxes() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_boxes;
}

bool MessageBoxWatcher::WaitForBoxes(size_t count, std::chrono::milliseconds limit) const
{
    std::unique_lock<std::mutex> lock(m_mutex);
    return m_changed.wait_for(lock, limit, [&] { return m_boxes.size() >= count; });
}

void MessageBoxWatcher::Press(HWND box, int buttonId)
{
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, buttonId)));
}

void MessageBoxWatcher::Run()
{
    while (!m_stop) {
        Scan();
        Sleep(5);
    }
}

void MessageBoxWatcher::Scan()
{
    std::vector<HWND> windows;
    EnumWindows(
        [](HWND window, LPARAM param) -> BOOL {
            DWORD pid = 0;
            GetWindowThreadProcessId(window, &pid);
            if (pid == GetCurrentProcessId())
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(window);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));

    for (HWND window : windows) {
        if (!IsMessageBox(window))
            continue;
        Policy policy;
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            if (!m_seen.insert(window).second)
                continue;
            policy = m_policy;
        }
        MessageBoxRecord box = Describe(window);
        const int reply = policy(box);
        {
            std::lock_guard<std::mutex> lock(m_mutex);
            m_boxes.push_back(box);
        }
        m_changed.notify_all();
        if (reply != 0)
            Press(window, reply);
    }
    // Forget boxes that are gone, so a reused handle counts as a new box.
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto it = m_seen.begin(); it != m_seen.end();)
        it = IsWindow(*it) ? std::next(it) : m_seen.erase(it);
}
