#include "CopyChannel.h"

void MessageQueue::push(std::string text) {
    CSingleLock hold(lock);
    items.push_back(std::move(text));
}

std::string MessageQueue::pop() {
    std::string result;
    CSingleLock hold(lock);
    if (!items.empty()) {
        result = std::move(items.front());
        items.pop_front();
    }
    return result;
}

void MessageQueue::push_question(replace_question asked) {
    CSingleLock hold(lock);
    question = std::move(asked);
}

std::optional<replace_question> MessageQueue::pop_question() {
    CSingleLock hold(lock);
    std::optional<replace_question> result;
    std::swap(result, question);
    return result;
}

void MessageQueue::post(HWND window, UINT message, std::string text) {
    bool wake = false;
    {
        CSingleLock hold(lock);
        if (message == WM_COPY_STATUS) {
            news.status = std::move(text);
        } else if (message == WM_COPY_STATISTICS) {
            news.statistics = std::move(text);
        } else {
            news.notices.push_back({message, std::move(text)});
            wake = message == WM_COPY_NOT_COPIED && !wake_pending;
            wake_pending = wake_pending || wake;
        }
    }
    // A queue without a window (a copy thread's own) keeps its news for
    // whoever takes it.
    if (wake && window)
        PostMessageA(window, WM_COPY_NEWS, 0, 0);
}

void MessageQueue::post_statistics(std::string text, const copy_statistics& counters) {
    CSingleLock hold(lock);
    news.statistics = std::move(text);
    news.counters = counters;
}

CopyNews MessageQueue::take_news() {
    CopyNews taken;
    CSingleLock hold(lock);
    std::swap(taken, news);
    wake_pending = false;
    return taken;
}

void notify(MessageQueue* queue, HWND window, UINT message, std::string text) {
    if (message == WM_COPY_ERROR) {
        queue->push(std::move(text));
        SendMessageA(window, message, 0, 0);
        return;
    }
    queue->post(window, message, std::move(text));
}

void notify_statistics(MessageQueue* queue, std::string text, const copy_statistics& counters) {
    queue->post_statistics(std::move(text), counters);
}

replace_answer ask_replace(MessageQueue* queue, HWND window, replace_question question) {
    queue->push_question(std::move(question));
    LRESULT answer = SendMessageA(window, WM_COPY_QUESTION, 0, 0);
    // Anything but a known answer keeps the file.
    bool known = answer >= 0 && answer <= static_cast<LRESULT>(replace_answer::stop);
    return known ? static_cast<replace_answer>(answer) : replace_answer::skip;
}

void pass_on(CopyNews news, MessageQueue* queue, HWND window) {
    if (news.status)
        queue->post(window, WM_COPY_STATUS, std::move(*news.status));
    for (CopyNotice& notice : news.notices)
        queue->post(window, notice.message, std::move(notice.text));
    // The counters travel with their line, so the share shown stays true.
    if (news.statistics && news.counters)
        queue->post_statistics(std::move(*news.statistics), *news.counters);
    else if (news.statistics)
        queue->post(window, WM_COPY_STATISTICS, std::move(*news.statistics));
}
