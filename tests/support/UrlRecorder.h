#pragma once
// Observes what Veltra asks the shell to open: registers url_recorder.exe
// (built beside the UI tests) for HTML files and web addresses in the test
// run's Wine prefix, and reads back the command lines it recorded.

#include "TempFolder.h"

#include <string>
#include <vector>

class UrlRecorder {
public:
    UrlRecorder();
    // The environment entry Veltra must be started with.
    std::string Environment() const { return "VELTRA_URL_LOG=" + m_log; }
    // Every command line recorded so far (waits up to `ms` for at least
    // `count` of them).
    std::vector<std::string> Wait(size_t count, unsigned ms = 20000) const;

private:
    TempFolder m_folder;
    std::string m_log;
};
