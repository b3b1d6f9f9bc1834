#pragma once
// The channel from the copy worker to the main dialog.
//
// News that the worker makes many times a second goes over without the
// worker waiting: the newest status and statistics texts are kept, and the
// folder and not-copied notices are queued in walk order; one posted
// WM_COPY_NEWS wakes the dialog when a not-copied notice is waiting, and the
// dialog takes everything waiting on each wake-up and on its report timer.
// What the user must see or answer before the copy goes on is synchronous:
// the worker pushes its text and sends WM_COPY_ERROR (an alert), or pushes
// its question and sends WM_COPY_QUESTION (replace an existing file?), and
// WM_COPY_DONE (no text) ends the copy. The dialog takes the waiting news before it handles any of
// these three, so an alert comes after every report line that came before it.

#include "CopyStatistics.h"
#include "CriticalSection.h"
#include "ReplaceQuestion.h"

#include <windows.h>

#include <deque>
#include <optional>
#include <string>
#include <vector>

constexpr UINT WM_COPY_NOT_COPIED = WM_USER + 1; // queued: a path that was not copied
constexpr UINT WM_COPY_DONE = WM_USER + 2;       // sent: the copy has ended (no text)
constexpr UINT WM_COPY_STATUS = WM_USER + 3;     // newest: the status line
constexpr UINT WM_COPY_FOLDER = WM_USER + 4;     // queued: the source folder being walked
constexpr UINT WM_COPY_ERROR = WM_USER + 5;      // sent: an error to show in an alert
constexpr UINT WM_COPY_STATISTICS = WM_USER + 6; // newest: the statistics line
constexpr UINT WM_COPY_NEWS = WM_USER + 7;       // posted: news is waiting
constexpr UINT WM_COPY_QUESTION = WM_USER + 8;   // sent: replace a file? a replace_answer

// One queued notice: WM_COPY_FOLDER or WM_COPY_NOT_COPIED with its text.
struct CopyNotice {
    UINT message;
    std::string text;
    bool operator==(const CopyNotice&) const = default;
};

// What the worker has sent since the last take.
struct CopyNews {
    std::vector<CopyNotice> notices;     // in walk order
    std::optional<std::string> status;     // the newest status line, if it changed
    std::optional<std::string> statistics; // the newest statistics line, if it changed
    std::optional<copy_statistics> counters; // the counters behind that line
};

// Shared by the worker (which writes) and the dialog's thread (which takes).
// The lock is held only while a text is stored or the news is swapped out,
// never while a message is sent or handled.
class MessageQueue {
public:
    MessageQueue() = default;
    virtual ~MessageQueue() = default;
    MessageQueue(const MessageQueue&) = delete;
    MessageQueue& operator=(const MessageQueue&) = delete;

    // The text of a synchronous notification: pushed right before it is
    // sent, popped by its handler. pop() gives "" when nothing is there.
    void push(std::string text);
    std::string pop();
    // The same for the replace question.
    void push_question(replace_question question);
    std::optional<replace_question> pop_question();

    // The worker's news. `window` is woken by one WM_COPY_NEWS when a
    // not-copied notice arrives and no wake-up is pending.
    void post(HWND window, UINT message, std::string text);
    // The newest statistics line with the counters it was made of.
    void post_statistics(std::string text, const copy_statistics& counters);
    // Everything waiting, oldest first; the next not-copied notice wakes the
    // dialog again.
    CopyNews take_news();

private:
    std::deque<std::string> items;
    std::optional<replace_question> question;
    CopyNews news;
    bool wake_pending = false;
    CCriticalSection lock;
};

// The sender's half of the protocol: a status or statistics text replaces
// the newest one, a folder or not-copied notice is queued, and an error is
// pushed and sent, so that the worker waits until the alert is closed.
void notify(MessageQueue* queue, HWND window, UINT message, std::string text);

// The statistics line and its counters, as the newest (the worker does not
// wait).
void notify_statistics(MessageQueue* queue, std::string text, const copy_statistics& counters);

// Asks the dialog whether an existing file may be replaced; the worker waits
// for the answer.
replace_answer ask_replace(MessageQueue* queue, HWND window, replace_question question);

// Hands news gathered in another queue (a copy thread's own, which has no
// window) on to `queue`, in its order.
void pass_on(CopyNews news, MessageQueue* queue, HWND window);
