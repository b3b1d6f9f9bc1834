// Times one copy through the real Veltra.exe, the way a user makes it: types
// the two folders, presses Start Copy and waits for the status line to read
// "Status: Folder copy complete". Prints one line in veltra_bench's format:
//   dialog_copy <source\> <destination\>
// The time runs from the press to the completed status; the program's
// start-up and exit are not counted.
#include "UiDriver.h"
#include "resource.h"

#include <windows.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// The text of a window of another process, as Wine's server holds it: read
// without sending the program a message, so waiting costs it nothing.
std::string ServerTextOf(HWND window) {
    char text[1024] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Types `text` into an edit control and reads it back: on a busy machine a
// message to the program can time out, and a copy of empty folders would
// only end in an alert.
bool Type(HWND edit, const std::string& text) {
    return WaitUntil(
        [&] {
            SetTextOf(edit, text);
            return TextOf(edit) == text;
        },
        60000);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: dialog_copy <source\\> <destination\\> [skip]\n");
        return 2;
    }
    VeltraProcess app;
    if (argc > 3 && std::string(argv[3]) == "skip") {
        if (HWND skip = app.item(IDC_SKIP_UP_TO_DATE))
            SetChecked(skip, true);
        else
            std::fprintf(stderr, "no \"Skip files already up to date\" box: a plain copy\n");
    }
    if (!Type(app.item(IDC_SOURCE_EDIT), argv[1]) ||
        !Type(app.item(IDC_DESTINATION_EDIT), argv[2])) {
        std::fprintf(stderr, "the folders could not be typed\n");
        return 1;
    }
    HWND status = app.item(IDC_STATUS_TEXT);
    auto start = std::chrono::steady_clock::now();
    Press(app.dialog(), IDC_START_COPY);
    // An alert ends the wait: a copy of the benchmark's trees has none.
    int polls = 0;
    bool complete = false, alert = false;
    WaitUntil(
        [&] {
            complete = ServerTextOf(status) == "Status: Folder copy complete";
            if (!complete && ++polls % 50 == 0)
                alert = app.WaitForWindow("Veltra Alert", 0) != nullptr;
            return complete || alert;
        },
        3600 * 1000);
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();

    // "Statistics: 12.34Mb copied in 567 files[, 89 up to date]"; the
    // summary names failures.
    int files = 0, up_to_date = 0;
    double megabytes = 0;
    std::sscanf(TextOf(app.item(IDC_STATISTICS_TEXT)).c_str(),
                "Statistics: %lfMb copied in %d files, %d up to date", &megabytes, &files,
                &up_to_date);
    std::string report = TextOf(app.item(IDC_REPORT_EDIT));
    // The summary goes to the timing log: a copy is whole only when it
    // says so.
    std::string summary = report.substr(0, report.find_last_not_of("\r\n") + 1);
    summary = summary.substr(summary.find_last_of('\n') + 1);
    std::fprintf(stderr, "summary: %s\n", summary.c_str());
    size_t unable = report.find("unable to copy ");
    int failed = unable == std::string::npos ? 0 : std::atoi(report.c_str() + unable + 15);
    Press(app.dialog(), IDOK);
    app.WaitForExit(30000);
    std::printf("mode=veltra files=%d failed=%d up_to_date=%d bytes=%.0f seconds=%.3f%s\n", files,
                failed, up_to_date, megabytes * 1048576.0, seconds,
                complete ? ""
                : alert  ? " (ended by an alert)"
                         : " (not complete)");
    return complete && !failed ? 0 : 1;
}
