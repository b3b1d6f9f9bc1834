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

void notify(MessageQueue* queue, HWND window, UINT message, std::string text) {
    queue->push(std::move(text));
    SendMessageA(window, message, 0, 0);
}
