#include "NotificationRecorder.h"

namespace {
const char* const kClassName = "VeltraNotificationRecorder";
}

NotificationRecorder::NotificationRecorder(Progress progress) : m_progress(progress) {
    m_done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this, ready] { run(ready); });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

NotificationRecorder::~NotificationRecorder() {
    PostMessageA(m_window, WM_CLOSE, 0, 0);
    m_thread.join();
    CloseHandle(m_done);
}

void NotificationRecorder::run(HANDLE ready) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &NotificationRecorder::WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = kClassName;
    RegisterClassA(&wc); // fails harmlessly when a second recorder registers it again
    m_window = CreateWindowExA(0, kClassName, "Veltra test receiver", WS_OVERLAPPEDWINDOW, 0, 0,
                               600, 200, nullptr, nullptr, wc.hInstance, this);
    if (m_progress == Progress::RecordAndShow) {
        m_status = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 600, 20, m_window,
                                   nullptr, wc.hInstance, nullptr);
        m_statistics = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 30, 600, 20,
                                       m_window, nullptr, wc.hInstance, nullptr);
    }
    if (m_progress == Progress::RecordAndShow)
        SetTimer(m_window, 1, 200, nullptr);
    SetEvent(ready);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

LRESULT CALLBACK NotificationRecorder::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                  LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
        SetWindowLongPtrA(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<NotificationRecorder*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && (message == WM_COPY_NEWS || message == WM_TIMER)) {
        self->take_news();
        return 0;
    }
    if (self && (message == WM_COPY_ERROR || message == WM_COPY_QUESTION ||
                 message == WM_COPY_DONE)) {
        self->take_news();
        if (message == WM_COPY_QUESTION)
            return self->answer();
        self->record({message, message == WM_COPY_DONE ? std::string() : self->m_queue.pop()});
        if (message == WM_COPY_DONE)
            SetEvent(self->m_done);
        return 0;
    }
    if (message == WM_DESTROY)
        PostQuitMessage(0);
    return DefWindowProcA(window, message, wParam, lParam);
}

LRESULT NotificationRecorder::answer() {
    std::optional<replace_question> question = m_queue.pop_question();
    record({WM_COPY_QUESTION, question ? question->destination_file : "<no question>"});
    std::lock_guard<std::mutex> hold(m_mutex);
    replace_answer given = replace_answer::skip;
    if (!m_answers.empty()) {
        given = m_answers.back();
        m_answers.pop_back();
    }
    return static_cast<LRESULT>(given);
}

void NotificationRecorder::set_answers(std::vector<replace_answer> answers) {
    std::lock_guard<std::mutex> hold(m_mutex);
    m_answers.assign(answers.rbegin(), answers.rend());
}

void NotificationRecorder::take_news() {
    CopyNews news = m_queue.take_news();
    for (const CopyNotice& notice : news.notices)
        record(notice);
    if (news.status)
        record({WM_COPY_STATUS, *news.status});
    if (news.statistics)
        record({WM_COPY_STATISTICS, *news.statistics});
}

void NotificationRecorder::record(const Notification& n) {
    Hook hook;
    {
        std::lock_guard<std::mutex> hold(m_mutex);
        m_received.push_back(n);
        hook = m_hook;
    }
    if (hook)
        hook(n);
    if (HWND line = n.message == WM_COPY_STATUS       ? m_status
                    : n.message == WM_COPY_STATISTICS ? m_statistics
                                                      : nullptr)
        SetWindowTextA(line, n.text.c_str());
}

void NotificationRecorder::set_hook(Hook hook) {
    std::lock_guard<std::mutex> hold(m_mutex);
    m_hook = std::move(hook);
}

bool NotificationRecorder::wait_done(DWORD milliseconds) {
    return WaitForSingleObject(m_done, milliseconds) == WAIT_OBJECT_0;
}

std::vector<Notification> NotificationRecorder::notifications() {
    // News still waiting in the queue is taken first: whatever was sent
    // before this call is in the result.
    SendMessageA(m_window, WM_COPY_NEWS, 0, 0);
    std::lock_guard<std::mutex> hold(m_mutex);
    return m_received;
}

std::vector<Notification> NotificationRecorder::without_progress() {
    std::vector<Notification> result;
    for (const Notification& n : notifications())
        if (n.message != WM_COPY_STATUS && n.message != WM_COPY_STATISTICS)
            result.push_back(n);
    return result;
}

std::vector<Notification> NotificationRecorder::of(UINT message) {
    std::vector<Notification> result;
    for (const Notification& n : notifications())
        if (n.message == message)
            result.push_back(n);
    return result;
}

std::string NotificationRecorder::last_status() {
    auto all = of(WM_COPY_STATUS);
    return all.empty() ? std::string() : all.back().text;
}

std::string NotificationRecorder::last_statistics() {
    auto all = of(WM_COPY_STATISTICS);
    return all.empty() ? std::string() : all.back().text;
}

void NotificationRecorder::clear() {
    m_queue.take_news();
    std::lock_guard<std::mutex> hold(m_mutex);
    m_received.clear();
    ResetEvent(m_done);
}

const char* NotificationName(UINT message) {
    switch (message) {
    case WM_COPY_NOT_COPIED:
        return "NOT_COPIED";
    case WM_COPY_DONE:
        return "DONE";
    case WM_COPY_STATUS:
        return "STATUS";
    case WM_COPY_FOLDER:
        return "FOLDER";
    case WM_COPY_ERROR:
        return "ERROR";
    case WM_COPY_STATISTICS:
        return "STATISTICS";
    case WM_COPY_QUESTION:
        return "QUESTION";
    }
    return "?";
}

std::string Describe(const std::vector<Notification>& sequence) {
    std::string text;
    for (const Notification& n : sequence)
        text += std::string(NotificationName(n.message)) + " [" + n.text + "]\n";
    return text;
}
