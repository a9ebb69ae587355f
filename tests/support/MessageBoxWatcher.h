#pragma once

#include <windows.h>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

// What a message box of this process showed.
struct MessageBoxRecord
{
    HWND window = nullptr;
    std::wstring text;
    std::wstring caption;
    HWND owner = nullptr;
    std::vector<int> buttons;  // control ids: IDOK, IDYES, IDNO, ...
    bool hasIcon = false;
    DWORD threadId = 0;

    // MB_OK with no icon: one OK button and nothing else.
    bool IsPlainOk() const { return buttons == std::vector<int>{IDOK} && !hasIcon; }
};

// Watches for message boxes of this process, records them, and answers them as a
// user would: by pressing the button that the reply policy names. A policy
// returning 0 leaves the box open until Press is called.
class MessageBoxWatcher
{
public:
    using Policy = std::function<int(const MessageBoxRecord&)>;

    // By default every box is answered with OK, or its first button without OK.
    explicit MessageBoxWatcher(Policy policy = {});
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    void SetPolicy(Policy policy);
    std::vector<MessageBoxRecord> Boxes() const;
    // Waits until at least count boxes have been seen; false on time-out.
    bool WaitForBoxes(size_t count, std::chrono::milliseconds limit = std::chrono::seconds(10)) const;
    static void Press(HWND box, int buttonId);

private:
    void Run();
    void Scan();

    mutable std::mutex m_mutex;
    mutable std::condition_variable m_changed;
    Policy m_policy;
    std::vector<MessageBoxRecord> m_boxes;
    std::set<HWND> m_seen;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};
