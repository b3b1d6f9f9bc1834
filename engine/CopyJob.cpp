#include "CopyJob.h"

#include "CopyChannel.h"
#include "CopyWindow.h"
#include "FolderCopier.h"
#include "FormatText.h"
#include "WinThread.h"

std::string statistics_line(const copy_statistics& statistics) {
    std::string line = FormatText("Statistics: %.2fMb copied in %d files",
                                  statistics.bytes_copied / 1048576.0, statistics.files_copied);
    if (statistics.files_up_to_date != 0)
        line += FormatText(", %d up to date", statistics.files_up_to_date);
    return line;
}

copy_job::copy_job(std::string source_folder, std::string destination_folder,
                   bool overwrite_silently, HWND notify_window, MessageQueue* message_queue,
                   file_system* fs)
    : destination_folder(std::move(destination_folder)), message_queue(message_queue),
      notify_window(notify_window), overwrite_silently(overwrite_silently),
      source_folder(std::move(source_folder)), copy_threads(kCopyThreads),
      fs(fs ? fs : &real_file_system()) {}

namespace {
// The walk takes about 1 KB of stack a folder level, and a path of 32,767
// characters can hold over 16,000 levels, eight times what the default 2 MB
// holds: the worker reserves room for them (address space only; pages are
// committed as they are used).
constexpr UINT kWorkerStackReserve = 64u << 20;

// Entries the window holds before the walk waits: enough for the walk to
// run ahead across a few folders, little enough for any tree.
std::size_t window_capacity(unsigned threads) {
    return 64 + 4 * static_cast<std::size_t>(threads);
}
} // namespace

copy_job::~copy_job() {
    worker_thread.reset(); // the worker ends its copy threads before it ends
    window.reset();        // a window that never had a worker
}

bool copy_job::start(bool count_ahead) {
    window = std::make_unique<copy_window>(copy_threads, window_capacity(copy_threads),
                                           &stop_requested);
    if (!window->start()) {
        window.reset();
        return true;
    }
    if (count_ahead) {
        // Made before the worker, which stops it; when it has no thread,
        // the copy goes on without a share.
        counter = std::make_unique<source_count>(source_folder, destination_folder, fs);
        if (!counter->start())
            counter.reset();
    }
    worker_thread = AfxBeginThread(&copy_job::copy_thread_proc, this, THREAD_PRIORITY_NORMAL,
                                   kWorkerStackReserve, STACK_SIZE_PARAM_IS_A_RESERVATION);
    if (!worker_thread) {
        window.reset();
        counter.reset(); // stops the counting walk and waits for it
    }
    return worker_thread == nullptr;
}

UINT __cdecl copy_job::copy_thread_proc(LPVOID param) {
    return static_cast<copy_job*>(param)->run();
}

void copy_job::request_stop() {
    stop_requested = true;
    if (counter)
        counter->stop();
}

std::optional<source_totals> copy_job::source_size() const {
    return counter ? counter->totals() : std::nullopt;
}

unsigned copy_job::run() {
    statistics = copy_statistics{};
    incomplete = false;
    replace_every_file.reset();
    HWND done_window = notify_window;
    // Run without start() (on the caller's thread), the job makes its
    // window here; one whose threads cannot start copies in place.
    if (!window) {
        window = std::make_unique<copy_window>(copy_threads, window_capacity(copy_threads),
                                               &stop_requested);
        if (!window->start())
            window = std::make_unique<copy_window>(0, 1, &stop_requested);
    }
    {
        folder_copier top(overwrite_silently, this, message_queue, notify_window);
        top.copy_folder(source_folder, destination_folder, &statistics, destination_folder, false,
                        true);
    }
    // Every outcome applied, the copy threads end with the copy.
    window->drain();
    if (window->dropped_copies())
        incomplete = true;
    window.reset();
    // The count is of no use once the copy has ended.
    if (counter)
        counter->stop();
    // The handler deletes this job: from here on only locals are used.
    ::SendMessageA(done_window, WM_COPY_DONE, 0, 0);
    return 0;
}

bool copy_job::may_replace(replace_question question) {
    if (is_stop_requested())
        return false;
    if (replace_every_file)
        return *replace_every_file;
    switch (ask_replace(message_queue, notify_window, std::move(question))) {
    case replace_answer::replace:
        return true;
    case replace_answer::replace_all:
        replace_every_file = true;
        return true;
    case replace_answer::skip_all:
        replace_every_file = false;
        return false;
    case replace_answer::stop:
        request_stop();
        return false;
    case replace_answer::skip:
        break;
    }
    return false;
}
