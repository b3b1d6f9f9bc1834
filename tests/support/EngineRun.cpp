#include "EngineRun.h"

#include "ReportGrouping.h"

#include <map>

namespace {

double SecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart - start.QuadPart) / frequency.QuadPart;
}

void Collect(EngineRun& run, const copy_job& job, NotificationRecorder& recorder,
             const LARGE_INTEGER& start) {
    run.seconds = SecondsSince(start);
    run.statistics = job.get_statistics();
    run.incomplete = job.is_incomplete();
    run.notices = recorder.without_progress();
}

} // namespace

std::vector<std::string> EngineRun::NotCopied() const {
    std::vector<std::string> texts;
    for (const Notification& n : notices)
        if (n.message == WM_COPY_NOT_COPIED)
            texts.push_back(n.text);
    return texts;
}

EngineRun RunEngine(const std::string& source, const std::string& destination,
                    NotificationRecorder& recorder, bool overwriteSilently, file_system* fs,
                    bool skipUpToDate, unsigned copyThreads) {
    EngineRun run;
    recorder.clear();
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    copy_job job(source, destination, overwriteSilently, recorder.window(), recorder.queue(), fs);
    job.skip_files_up_to_date(skipUpToDate);
    job.set_copy_threads(copyThreads);
    job.run();
    // The notices are sent, not posted: the last one has arrived by now.
    run.finished = recorder.wait_done(0);
    Collect(run, job, recorder, start);
    return run;
}

EngineRun RunEngineOnWorker(const std::string& source, const std::string& destination,
                            NotificationRecorder& recorder, DWORD timeoutMs) {
    EngineRun run;
    recorder.clear();
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    copy_job job(source, destination, true, recorder.window(), recorder.queue());
    if (job.start())
        return run;
    run.finished = recorder.wait_done(timeoutMs);
    if (!run.finished) {
        // The worker still reads the job: stop it and wait before it goes.
        job.request_stop();
        recorder.wait_done(INFINITE);
    }
    WaitForSingleObject(job.worker_handle(), INFINITE);
    Collect(run, job, recorder, start);
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

std::string ReportOfNotices(const std::vector<Notification>& notices) {
    ReportGrouping grouping;
    std::string report;
    for (const Notification& n : notices) {
        if (n.message == WM_COPY_FOLDER)
            grouping.EnterFolder(n.text);
        else if (n.message == WM_COPY_NOT_COPIED)
            for (const std::string& line : grouping.NotCopied(n.text))
                report += line + "\r\n";
    }
    return report;
}

std::string SummaryLine(const std::string& report) {
    std::string text = report;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    size_t at = text.rfind('\n');
    return at == std::string::npos ? text : text.substr(at + 1);
}
