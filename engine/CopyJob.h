#pragma once
// One copy request, carried from the main dialog to the worker thread and
// back: the two folders, the overwrite choice, where notifications go, the
// counters the copy accumulates and the stop flag.

#include "FileSystem.h"
#include "Handle.h"

#include <windows.h>

#include <atomic>
#include <string>

class CWinThread;
class MessageQueue;

struct copy_statistics {
    int files_failed = 0;
    int files_copied = 0;
    double bytes_failed = 0; // whole bytes, exact up to 2^53
    double bytes_copied = 0;
};

class copy_job {
public:
    // Both folders fully qualified and ending in a backslash. The job sends
    // every notification to notify_window through message_queue. fs is the
    // operating-system seam; null means the real one.
    copy_job(std::string source_folder, std::string destination_folder, bool overwrite_silently,
             HWND notify_window, MessageQueue* message_queue, file_system* fs = nullptr);
    virtual ~copy_job() = default;
    copy_job(const copy_job&) = delete;
    copy_job& operator=(const copy_job&) = delete;

    // Starts the worker thread. Returns true when no thread could be created
    // (after telling the user); then no WM_COPY_DONE will ever come.
    bool start();
    static UINT __cdecl copy_thread_proc(LPVOID param);
    // The worker's body: the whole walk, then WM_COPY_DONE. The handler of
    // WM_COPY_DONE may delete the job; nothing of it is touched afterwards.
    unsigned run();

    // Asks the worker to stop after the file it is copying. Returns at once.
    void request_stop() { stop_requested = true; }
    bool is_stop_requested() const { return stop_requested; }
    copy_statistics get_statistics() const { return statistics; }

    // True when the walk left something of the source unvisited: the source
    // or a folder could not be entered or listed, a listing ended early, a
    // folder link that loops was refused, or the copy was stopped. Read it in
    // the WM_COPY_DONE handler, beside the counters.
    bool is_incomplete() const { return incomplete; }
    void mark_incomplete() { incomplete = true; }

    // A handle of the worker thread that stays valid after the thread has
    // ended, until the job is deleted (or the handle is taken). Null before
    // start() and when start() failed.
    HANDLE worker_wait_handle() const { return worker_wait.get(); }
    // Hands the wait handle over to the caller, who then closes it: use this
    // to wait past the job's deletion in the WM_COPY_DONE handler.
    OwnedHandle take_worker_wait_handle() { return std::move(worker_wait); }

    file_system* get_file_system() const { return fs; }

private:
    std::string destination_folder;
    copy_statistics statistics;
    MessageQueue* message_queue;
    HWND notify_window;
    bool overwrite_silently;
    CWinThread* worker_thread = nullptr; // deletes itself when the thread ends
    std::string source_folder;
    std::atomic<bool> stop_requested{false};

    bool incomplete = false; // written by the worker only
    file_system* fs;
    OwnedHandle worker_wait;
};
