#include "CopyWindow.h"

#include <limits>

namespace {

// Holds the window's lock for a scope; `wait` sleeps on a condition with
// the lock let go, and has it again on waking.
class held_lock {
public:
    explicit held_lock(SRWLOCK& lock) : lock(lock) { AcquireSRWLockExclusive(&lock); }
    ~held_lock() {
        if (held)
            ReleaseSRWLockExclusive(&lock);
    }
    held_lock(const held_lock&) = delete;
    held_lock& operator=(const held_lock&) = delete;

    void wait(CONDITION_VARIABLE& condition) {
        SleepConditionVariableSRW(&condition, &lock, INFINITE, 0);
    }
    void unlock() {
        ReleaseSRWLockExclusive(&lock);
        held = false;
    }
    void relock() {
        AcquireSRWLockExclusive(&lock);
        held = true;
    }

private:
    SRWLOCK& lock;
    bool held = true;
};

} // namespace

copy_window::copy_window(unsigned threads, std::size_t capacity, const std::atomic<bool>* stop)
    : threads(threads), capacity(capacity > 0 ? capacity : 1), stop(stop) {}

copy_window::~copy_window() {
    {
        held_lock hold(lock);
        ending = true;
    }
    WakeAllConditionVariable(&work_ready);
    pool.clear(); // each owner waits for its thread: the copies in flight finish
}

bool copy_window::start() {
    for (unsigned i = 0; i < threads; ++i) {
        std::unique_ptr<CWinThread> thread = AfxBeginThread(&copy_window::thread_proc, this);
        if (!thread) {
            {
                held_lock hold(lock);
                ending = true;
            }
            WakeAllConditionVariable(&work_ready);
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
        held_lock hold(lock);
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
        held_lock hold(lock);
        entries.push_back(std::move(item));
    } else {
        WakeConditionVariable(&work_ready);
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
            held_lock hold(lock);
            notice_stop();
            if (entries.empty())
                return;
            entry& front = entries.front();
            if (front.now == state::waiting || front.now == state::running) {
                if (entries.size() <= most)
                    return;
                hold.wait(copy_done);
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
        held_lock guard(lock);
        held = hold;
    }
    WakeAllConditionVariable(&work_ready);
}

bool copy_window::dropped_copies() {
    held_lock hold(lock);
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
    WakeAllConditionVariable(&copy_done);
}

UINT __cdecl copy_window::thread_proc(LPVOID self) {
    static_cast<copy_window*>(self)->serve();
    return 0;
}

void copy_window::serve() {
    held_lock hold(lock);
    for (;;) {
        entry* item = take_next();
        if (!item) {
            if (ending)
                return;
            hold.wait(work_ready);
            continue;
        }
        hold.unlock();
        item->copy();
        item->copy = nullptr;
        hold.relock();
        item->now = state::done;
        --running;
        bytes_running -= item->bytes;
        WakeAllConditionVariable(&copy_done);
        WakeAllConditionVariable(&work_ready); // the budget it held may let the next one start
    }
}
