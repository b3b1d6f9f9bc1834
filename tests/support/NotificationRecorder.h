#pragma once
// A real window on a thread of its own that receives the copy notifications
// the way the main dialog does: for every message that carries a text it pops
// exactly one text from the queue, and it records the (message, text)
// sequence. WM_COPY_DONE pops nothing. Asked to, it also shows the status
// and statistics texts in two text controls, as the dialog does (the
// benchmark measures that cost too).

#include "CopyChannel.h"

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

struct Notification {
    UINT message;
    std::string text;
    bool operator==(const Notification&) const = default;
};

class NotificationRecorder {
public:
    // Called on the window's thread inside the handler, after recording,
    // while the sender waits in SendMessageA.
    using Hook = std::function<void(const Notification&)>;

    enum class Progress { Record, RecordAndShow };
    explicit NotificationRecorder(Progress progress = Progress::Record);
    ~NotificationRecorder();
    NotificationRecorder(const NotificationRecorder&) = delete;
    NotificationRecorder& operator=(const NotificationRecorder&) = delete;

    HWND window() const { return m_window; }
    MessageQueue* queue() { return &m_queue; }
    void set_hook(Hook hook);

    // Waits for WM_COPY_DONE; false on time-out.
    bool wait_done(DWORD milliseconds = 120000);
    std::vector<Notification> notifications();
    // The recorded sequence without WM_COPY_STATUS and WM_COPY_STATISTICS.
    std::vector<Notification> without_progress();
    // The recorded notifications of one kind.
    std::vector<Notification> of(UINT message);
    void clear();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void run(HANDLE ready);

    MessageQueue m_queue;
    std::mutex m_mutex;
    std::vector<Notification> m_received;
    Hook m_hook;
    HANDLE m_done = nullptr;
    HWND m_window = nullptr;
    Progress m_progress;
    HWND m_status = nullptr;
    HWND m_statistics = nullptr;
    std::thread m_thread;
};

// A readable name of a notification, for test failure messages.
const char* NotificationName(UINT message);
std::string Describe(const std::vector<Notification>& sequence);
