#include "TrustCopy.h"

#include "Handle.h"

#include <map>

CopyRun CopyOnWorker(const std::string& source, const std::string& destination,
                     NotificationRecorder& recorder, DWORD timeout_ms) {
    CopyRun run;
    recorder.clear();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    copy_job job(source, destination, true, recorder.window(), recorder.queue());
    if (job.start())
        return run;
    run.finished = recorder.wait_done(timeout_ms);
    if (!run.finished) {
        // The worker still reads the job: stop it and wait before it goes.
        job.request_stop();
        recorder.wait_done(INFINITE);
    }
    WaitForSingleObject(job.worker_wait_handle(), INFINITE);
    QueryPerformanceCounter(&end);
    run.seconds = static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart;
    run.statistics = job.get_statistics();
    run.incomplete = job.is_incomplete();
    run.notices = recorder.without_progress();
    return run;
}

std::string NoticeCounts(const std::vector<Notification>& notices) {
    std::map<std::string, int> counts;
    for (const Notification& n : notices)
        counts[NotificationName(n.message)] += 1;
    std::string text;
    for (const auto& [name, count] : counts)
        text += (text.empty() ? "" : ", ") + name + " " + std::to_string(count);
    return text;
}
