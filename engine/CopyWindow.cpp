#include "CopyWindow.h"

#include <limits>

copy_window::copy_window(unsigned threads, std::size_t capacity, const std::atomic<bool>* stop)
    : threads(threads), capacity(capacity > 0 ? capacity : 1), stop(stop) {}

copy_window::~copy_window() {
    {
        std::lock_guard<std::mutex> hold(lock);
        ending = true;
    }
    work_ready.notify_all();
    pool.clear(); // each owner waits for its thread: the copies in flight finish
}

bool copy_window::start() {
    for (unsigned i = 0; i < threads; ++i) {
        std::unique_ptr<CWinThread> thread = AfxBeginThread(&copy_window::thread_proc, this);
        if (!thread) {
            {
                std::lock_guard<std::mutex> hold(lock);
                ending = true;
            }
            work_ready.notify_all();
            pool.clear();
            return false;
        }
        pool.push_back(std::move(thread));
    }
    return true;
}

void copy_window::add_copy(std::uint64_t bytes, std::function<void()> copy,
                           std::function<void()> apply) {
    entry item;
    item.copy = std::move(copy);
    item.apply = std::move(apply);
    item.bytes = bytes;
    item.now = state::waiting;
    add(std::move(item));
}

void copy_window::add_step(std::function<void()> apply, bool after_stop) {
    entry item;
    item.apply = std::move(apply);
    item.after_stop = after_stop;
    add(std::move(item));
}

void copy_window::add(entry item) {
    apply_until(capacity - 1); // room for one more, and the news flowing
    bool in_place = false;
    {
        std::lock_guard<std::mutex> hold(lock);
        notice_stop();
        // Past the stop point: a copy that would start now, and what
        // follows a copy that did not.
        if (stopping && item.copy)
            cut = true;
        if (cut && (item.copy || !item.after_stop))
            item.now = state::dropped;
        // Without copy threads, the copy is made now, in its turn.
        in_place = item.now == state::waiting && pool.empty();
        if (!in_place)
            entries.push_back(std::move(item));
    }
    if (in_place) {
        item.copy();
        item.now = state::done;
        std::lock_guard<std::mutex> hold(lock);
        entries.push_back(std::move(item));
    } else {
        work_ready.notify_one();
    }
    apply_ready();
}

void copy_window::apply_ready() {
    apply_until(std::numeric_limits<std::size_t>::max());
}

void copy_window::drain() {
    apply_until(0);
}

void copy_window::apply_until(std::size_t most) {
    for (;;) {
        std::function<void()> apply;
        {
            std::unique_lock<std::mutex> hold(lock);
            notice_stop();
            if (entries.empty())
                return;
            entry& front = entries.front();
            if (front.now == state::waiting || front.now == state::running) {
                if (entries.size() <= most)
                    return;
                copy_done.wait(hold);
                continue;
            }
            if (front.now == state::done)
                apply = std::move(front.apply);
            entries.pop_front();
            if (next > 0)
                --next;
        }
        // Outside the lock: applying notifies the dialog and may wait on it.
        if (apply)
            apply();
    }
}

void copy_window::hold_starts(bool hold) {
    {
        std::lock_guard<std::mutex> guard(lock);
        held = hold;
    }
    work_ready.notify_all();
}

bool copy_window::dropped_copies() {
    std::lock_guard<std::mutex> hold(lock);
    return cut;
}

copy_window::entry* copy_window::take_next() {
    notice_stop();
    if (stopping || ending || held)
        return nullptr;
    while (next < entries.size() && entries[next].now != state::waiting)
        ++next;
    if (next == entries.size() || running >= threads)
        return nullptr;
    entry& first = entries[next];
    // A large file goes alone; small ones share the budget.
    if (running > 0 && bytes_running + first.bytes > kBytesInFlight)
        return nullptr;
    first.now = state::running;
    ++running;
    bytes_running += first.bytes;
    ++next;
    return &first;
}

void copy_window::notice_stop() {
    if (stopping || !stop || !stop->load())
        return;
    stopping = true;
    // Copies start in order: the first one not started is the stop point,
    // and everything after it goes (steps before it were the walk's before
    // that file). With none waiting, the walk itself stops at its next entry.
    std::size_t first = next;
    while (first < entries.size() && entries[first].now != state::waiting)
        ++first;
    cut = first < entries.size();
    for (std::size_t i = first; i < entries.size(); ++i)
        if (entries[i].now == state::waiting || !entries[i].after_stop)
            entries[i].now = state::dropped;
    copy_done.notify_all();
}

UINT __cdecl copy_window::thread_proc(LPVOID self) {
    static_cast<copy_window*>(self)->serve();
    return 0;
}

void copy_window::serve() {
    std::unique_lock<std::mutex> hold(lock);
    for (;;) {
        entry* item = take_next();
        if (!item) {
            if (ending)
                return;
            work_ready.wait(hold);
            continue;
        }
        hold.unlock();
        item->copy();
        item->copy = nullptr;
        hold.lock();
        item->now = state::done;
        --running;
        bytes_running -= item->bytes;
        copy_done.notify_all();
        work_ready.notify_all(); // the budget it held may let the next one start
    }
}
