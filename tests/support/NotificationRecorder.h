#pragma once
// A real window on a thread of its own that receives the copy notifications
// the way the main dialog does: it takes the worker's news on every
// WM_COPY_NEWS and before every synchronous notification (an error, a
// question, the completion), whose text it then pops, and records the
// (message, text) sequence: the queued notices in walk order, then the
// newest status and statistics texts of that take. Asked to, it also shows
// those texts in two text controls, refreshed on a 200 ms timer as the
// dialog does (the benchmark measures that cost too).

#include "CopyChannel.h"

#include <windows.h>

#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

using Notification = CopyNotice;

class NotificationRecorder {
public:
    // Called on the window's thread for each notification recorded; for a
    // synchronous one, while the sender waits in SendMessageA.
    using Hook = std::function<void(const Notification&)>;

    enum class Progress { Record, RecordAndShow };
    explicit NotificationRecorder(Progress progress = Progress::Record);
    ~NotificationRecorder();
    NotificationRecorder(const NotificationRecorder&) = delete;
    NotificationRecorder& operator=(const NotificationRecorder&) = delete;

    HWND window() const { return m_window; }
    MessageQueue* queue() { return &m_queue; }
    void set_hook(Hook hook);
    // The answers to the worker's replace questions, in order; once they
    // are used up, every question is answered Skip. A question is recorded
    // with the file it would replace as its text.
    void set_answers(std::vector<replace_answer> answers);

    // Waits for WM_COPY_DONE; false on time-out.
    bool wait_done(DWORD milliseconds = 120000);
    // Everything recorded, after taking the news still waiting.
    std::vector<Notification> notifications();
    // The recorded sequence without WM_COPY_STATUS and WM_COPY_STATISTICS.
    std::vector<Notification> without_progress();
    // The recorded notifications of one kind.
    std::vector<Notification> of(UINT message);
    // The last status and statistics texts received ("" before any).
    std::string last_status();
    std::string last_statistics();
    void clear();

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void run(HANDLE ready);
    void record(const Notification& n);
    void take_news();
    LRESULT answer(); // a replace question's

    MessageQueue m_queue;
    std::mutex m_mutex;
    std::vector<Notification> m_received;
    Hook m_hook;
    HANDLE m_done = nullptr;
    std::vector<replace_answer> m_answers; // still to give, first at the back
    HWND m_window = nullptr;
    Progress m_progress;
    HWND m_status = nullptr;
    HWND m_statistics = nullptr;
    std::thread m_thread;
};

// A readable name of a notification, for test failure messages.
const char* NotificationName(UINT message);
std::string Describe(const std::vector<Notification>& sequence);
