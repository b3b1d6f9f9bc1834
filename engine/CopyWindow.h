#pragma once
// A window of file copies in flight. The walk hands each file's copy to a
// small pool of copy threads and goes on; what a copy found (its notices,
// whether it was copied) is kept with it and applied on the walk thread in
// the order the walk added it, beside the walk's own steps (a folder's
// heading, a guard's line, a folder's attributes). Whatever the threads'
// timing, the walk thread therefore sees every outcome in walk order, as if
// each file had been copied in its turn.
//
// Copies start in the order they were added, at most `threads` at a time
// and within a budget of bytes in flight, so that large files do not split
// one disk or link into competing streams. Once the stop flag is seen,
// nothing new starts: the copies in flight finish, and the first copy not
// started is the stop point: it is dropped with every entry after it (the
// steps kept for a stop aside), so that what was applied is exactly a
// prefix in walk order.

#include "WinThread.h"

#include <atomic>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <vector>

class copy_window {
public:
    // Bytes a copy may have in flight beside others: a larger file starts
    // only when nothing else is in flight, and nothing starts beside it.
    static constexpr std::uint64_t kBytesInFlight = 32ull << 20;

    // `threads` copy threads (0: each copy runs on the walk thread when it
    // is added); at most `capacity` entries are held before the walk waits.
    // `stop` is the job's stop flag (may be null).
    copy_window(unsigned threads, std::size_t capacity, const std::atomic<bool>* stop);
    // Ends the threads and waits for them; entries not applied are dropped.
    ~copy_window();
    copy_window(const copy_window&) = delete;
    copy_window& operator=(const copy_window&) = delete;

    // Starts the copy threads. False when one could not be started; then
    // none is left running and the window copies nothing.
    bool start();

    // A file's copy: `copy` runs on a copy thread, `apply` on the walk
    // thread once it and every entry before it are done. Waits (applying
    // what is done) while the window is full.
    void add_copy(std::uint64_t bytes, std::function<void()> copy, std::function<void()> apply);
    // A step of the walk's own, applied in its turn. `after_stop` keeps it
    // when a stop drops the entries around it.
    void add_step(std::function<void()> apply, bool after_stop = false);
    // Applies the finished entries at the front, without waiting.
    void apply_ready();
    // Waits for every copy in flight or waiting and applies everything.
    // The walk calls it before it asks the user anything.
    void drain();

    // While held, no copy starts (those in flight go on): the walk holds
    // the window while the user answers a question in an outcome's turn.
    void hold_starts(bool held);

    // True once a stop dropped a copy that had not started. The walk may
    // have added its last file before the stop came, and see no stop of its
    // own: the job is incomplete all the same.
    bool dropped_copies();

    unsigned thread_count() const { return threads; }

private:
    enum class state { waiting, running, done, dropped };
    struct entry {
        std::function<void()> copy; // empty for a step
        std::function<void()> apply;
        std::uint64_t bytes = 0;
        state now = state::done;
        bool after_stop = false;
    };

    void add(entry item);
    // Applies the finished entries at the front, and waits for the front
    // one while more than `most` entries are held.
    void apply_until(std::size_t most);
    // Under the lock: the next copy that may start, or null.
    entry* take_next();
    // Under the lock: once the stop flag is up, drops what has not started.
    void notice_stop();
    static UINT __cdecl thread_proc(LPVOID self);
    void serve();

    unsigned threads;
    std::size_t capacity;
    const std::atomic<bool>* stop;
    std::vector<std::unique_ptr<CWinThread>> pool;

    // Windows' own lock and conditions: the copy threads are Windows
    // threads, and these need nothing set up or torn down with them.
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE work_ready = CONDITION_VARIABLE_INIT; // a copy may start, or the threads end
    CONDITION_VARIABLE copy_done = CONDITION_VARIABLE_INIT;  // a copy finished
    std::deque<entry> entries;           // in walk order, the front applied first
    std::size_t next = 0;                // entries before it are started or steps
    unsigned running = 0;
    std::uint64_t bytes_running = 0;
    bool stopping = false;               // the stop was seen: nothing more starts
    bool cut = false;                    // a copy was dropped: what follows goes too
    bool held = false;
    bool ending = false;
};
