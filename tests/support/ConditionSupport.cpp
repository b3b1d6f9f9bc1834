#include "ConditionSupport.h"

#include "TempFolder.h"

#include <atomic>
#include <cstdio>
#include <sstream>

namespace {
std::atomic<unsigned> g_scratchCounter{0};

void CollectFiles(const std::string& root, const std::string& relative,
                  std::vector<std::string>& files) {
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((root + relative + "*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(root, relative + name + "\\", files);
        else
            files.push_back(relative + name);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

} // namespace

ScratchFolder::ScratchFolder(const std::string& root) {
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, "veltra-scratch-%lu-%u\\", GetCurrentProcessId(),
                      g_scratchCounter.fetch_add(1));
        m_path = root + name;
        if (CreateDirectoryA(m_path.c_str(), nullptr) || GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
}

ScratchFolder::~ScratchFolder() {
    RemoveTree(m_path);
}

std::vector<std::string> FilesBelow(const std::string& root) {
    std::vector<std::string> files;
    CollectFiles(root, "", files);
    return files;
}

std::vector<std::string> EngineRun::NotCopied() const {
    std::vector<std::string> texts;
    for (const auto& n : notifications)
        if (n.message == WM_COPY_NOT_COPIED)
            texts.push_back(n.text);
    return texts;
}

EngineRun RunEngine(const std::string& source, const std::string& destination,
                    bool overwriteSilently, NotificationRecorder& recorder) {
    recorder.clear();
    copy_job job(source, destination, overwriteSilently, recorder.window(), recorder.queue());
    job.run();
    recorder.wait_done(10000);
    EngineRun run;
    run.statistics = job.get_statistics();
    run.incomplete = job.is_incomplete();
    run.notifications = recorder.notifications();
    return run;
}

std::set<std::string> ReportedPaths(const std::string& report) {
    std::set<std::string> paths;
    std::istringstream lines(report);
    std::string line, folder;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.rfind("* Folder ", 0) == 0)
            folder = line.substr(9);
        else if (line.rfind("+ ", 0) == 0)
            paths.insert(folder + line.substr(2));
    }
    return paths;
}

std::string SummaryLine(const std::string& report) {
    std::string text = report;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    size_t at = text.rfind('\n');
    return at == std::string::npos ? text : text.substr(at + 1);
}
