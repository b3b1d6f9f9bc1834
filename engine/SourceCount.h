#pragma once
// Counting ahead: while a copy runs, a second walk on a thread of its own
// lists the source (listing only: no file is opened) and counts the files
// and bytes the copy will meet, entering exactly the folders the copy
// enters (walk_level's guards). It never holds the copy back: it takes no
// lock the copy takes and writes nothing but its own totals, which show
// only once the whole source has been listed. It stops when asked, between
// two entries.

#include "FileSystem.h"
#include "WinThread.h"

#include <atomic>
#include <memory>
#include <optional>
#include <string>

struct source_totals {
    long long files = 0;
    double bytes = 0; // whole bytes, exact up to 2^53
    bool operator==(const source_totals&) const = default;
};

class source_count {
public:
    // Both folders fully qualified and ending in a backslash, as the copy
    // takes them. The seam is called from the counting thread: it must be
    // safe to call from two threads at once (the real one is).
    source_count(std::string source_folder, std::string destination_folder, file_system* fs);
    // Stops the walk and waits for its thread.
    ~source_count();
    source_count(const source_count&) = delete;
    source_count& operator=(const source_count&) = delete;

    // Starts the counting thread, below the copy's priority. False when no
    // thread could be made: then no totals ever come, and the copy goes on.
    bool start();
    // The walk itself, on the calling thread (the counting thread's body).
    void run();
    // Asks the walk to stop; returns at once.
    void stop() { stop_requested = true; }
    // The totals once the whole source is listed; nothing before, and
    // nothing when the walk was stopped.
    std::optional<source_totals> totals() const;

private:
    static UINT __cdecl count_thread_proc(LPVOID param);

    std::string source_folder;
    std::string destination_folder;
    file_system* fs;
    std::atomic<bool> stop_requested{false};
    std::atomic<bool> finished{false};
    source_totals counted; // written by the counting thread until `finished`
    std::unique_ptr<CWinThread> thread;
};
