#pragma once
// The channel from the copy worker to the main dialog: the worker pushes one
// text onto the dialog's MessageQueue and then sends one of these messages
// with SendMessageA (synchronously); the dialog's handler pops that text.
// WM_COPY_DONE carries no text.

#include "CriticalSection.h"

#include <windows.h>

#include <deque>
#include <string>

constexpr UINT WM_COPY_NOT_COPIED = WM_USER + 1; // a path that was not copied
constexpr UINT WM_COPY_DONE = WM_USER + 2;       // the copy has ended (no text)
constexpr UINT WM_COPY_STATUS = WM_USER + 3;     // the new status line
constexpr UINT WM_COPY_FOLDER = WM_USER + 4;     // the source folder being walked
constexpr UINT WM_COPY_ERROR = WM_USER + 5;      // an error to show in an alert
constexpr UINT WM_COPY_STATISTICS = WM_USER + 6; // the new statistics line

// First-in, first-out queue of texts, shared by the worker (push) and the
// dialog's thread (pop). The lock is held only for the one deque operation.
class MessageQueue {
public:
    MessageQueue() = default;
    virtual ~MessageQueue() = default;
    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;

    void push(std::string text);
    // The oldest text, or "" when the queue is empty.
    std::string pop();

private:
    std::deque<std::string> items;
    CCriticalSection lock;
};

// Pushes `text` and sends `message` to `window`: the sender's half of the
// protocol for every text-carrying notification.
void notify(MessageQueue* queue, HWND window, UINT message, std::string text);
