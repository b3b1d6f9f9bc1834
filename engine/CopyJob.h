#pragma once
// One copy request, carried from the main dialog to the worker thread and
// back: the two folders, the overwrite choice, where notifications go, the
// counters the copy accumulates and the stop flag.

#include "CopyStatistics.h"
#include "FileSystem.h"
#include "ReplaceQuestion.h"
#include "SourceCount.h"
#include "WinThread.h"

class copy_window;

#include <windows.h>

#include <atomic>
#include <memory>
#include <optional>
#include <string>

class MessageQueue;

// The statistics line: "Statistics: %.2fMb copied in %d files", followed by
// ", %d up to date" once a file was left as it was.
std::string statistics_line(const copy_statistics& statistics);

class copy_job {
public:
    // Both folders fully qualified and ending in a backslash. The job sends
    // every notification to notify_window through message_queue. fs is the
    // operating-system seam; null means the real one.
    copy_job(std::string source_folder, std::string destination_folder, bool overwrite_silently,
             HWND notify_window, MessageQueue* message_queue, file_system* fs = nullptr);
    // Waits for the worker to end: delete a job only where its worker cannot
    // be waiting on the deleting thread (not inside its WM_COPY_DONE).
    virtual ~copy_job();
    copy_job(const copy_job&) = delete;
    copy_job& operator=(const copy_job&) = delete;

    // Starts the worker thread and its copy threads. Returns true when a
    // thread could not be created; then none is left running and no
    // WM_COPY_DONE will ever come. The caller tells the user.
    // With count_ahead, a counting walk (source_count) lists the source
    // beside the copy, for the share done and the time left; it stops with
    // the copy. Its thread calls the seam too.
    bool start(bool count_ahead = false);
    static UINT __cdecl copy_thread_proc(LPVOID param);
    // The worker's body: the whole walk, then WM_COPY_DONE. The handler of
    // WM_COPY_DONE may delete the job; nothing of it is touched afterwards.
    unsigned run();

    // Asks the worker to stop after the file it is copying, and the
    // counting walk at once. Returns at once.
    void request_stop();
    bool is_stop_requested() const { return stop_requested; }

    // Files copied at once unless set otherwise, chosen by measurement
    // (bench/run.sh): on a share, where each file costs round trips, more
    // threads hide them; on a local disk more than this gains nothing.
    static constexpr unsigned kCopyThreads = 4;
    // How many files are copied at once (chosen before start()); 0 copies
    // each file on the worker thread in its turn.
    void set_copy_threads(unsigned count) { copy_threads = count; }
    // The window of copies in flight, while the worker runs; null without one.
    copy_window* get_window() const { return window.get(); }

    // "Skip files already up to date": chosen before start(), kept for the
    // whole copy.
    void skip_files_up_to_date(bool skip) { skip_up_to_date = skip; }
    bool is_skipping_up_to_date() const { return skip_up_to_date; }
    copy_statistics get_statistics() const { return statistics; }

    // Whether the existing file the question names may be replaced. An
    // "All" answer holds for the rest of this copy; otherwise the dialog is
    // asked, one question at a time, and the worker waits. Stop asks the
    // copy to stop; it and a stop already asked for keep the file unasked.
    bool may_replace(replace_question question);

    // True when the walk left something of the source unvisited: the source
    // or a folder could not be entered or listed, a listing ended early, a
    // folder link that loops was refused, or the copy was stopped. Read it in
    // the WM_COPY_DONE handler, beside the counters.
    bool is_incomplete() const { return incomplete; }
    void mark_incomplete() { incomplete = true; }

    // The worker thread's handle, valid as long as the job, to wait on.
    // Null before start() and when start() failed.
    HANDLE worker_handle() const { return worker_thread ? worker_thread->m_hThread : nullptr; }

    file_system* get_file_system() const { return fs; }

    // What the counting walk found, once it has listed the whole source;
    // nothing before, and nothing when the job does not count ahead.
    std::optional<source_totals> source_size() const;

private:
    std::string destination_folder;
    copy_statistics statistics;
    MessageQueue* message_queue;
    HWND notify_window;
    bool overwrite_silently;
    // Destroyed after the worker (declared before it): the worker stops the
    // counting walk as it ends.
    std::unique_ptr<source_count> counter;
    std::unique_ptr<copy_window> window; // its copy threads end before WM_COPY_DONE
    std::unique_ptr<CWinThread> worker_thread; // the job's own worker, waited for by ~copy_job
    std::string source_folder;
    std::atomic<bool> stop_requested{false};

    bool incomplete = false; // written by the worker only
    bool skip_up_to_date = false;
    unsigned copy_threads;
    // Replace All (true) or Skip All (false), for the rest of this copy.
    std::optional<bool> replace_every_file; // the worker's only
    file_system* fs;
};
