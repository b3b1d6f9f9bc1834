// How the report panel's cost per line grows with the report: 20,000
// not-copied files reported through the real Veltra.exe (a tree whose
// destination cannot be created, so every file is reported without a shell
// copy), and, for comparison, the same lines appended to an edit control of
// the report's styles the literal way (read the whole text, add the line,
// set the whole text) and the way Veltra does it (replace the empty
// selection at the end). Prints microseconds per line at the start and at
// the end of each run. Figures only: nothing passes or fails.
//   report_append.exe <work folder (Windows path, ending in \)> [files]
#include "FormatText.h"
#include "TempFolder.h"
#include "Trees.h"
#include "UiDriver.h"
#include "Wnd.h"
#include "resource.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kWindow = 1000;        // lines per measured window
constexpr double kLiteralCapS = 120; // the literal way is stopped after this

double Now() {
    LARGE_INTEGER f, t;
    QueryPerformanceFrequency(&f);
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / static_cast<double>(f.QuadPart);
}

struct Sample {
    int lines;
    double seconds;
};

// Microseconds per line between the first sample at or after `from` lines
// and the first at or after `to`.
double PerLine(const std::vector<Sample>& samples, int from, int to) {
    const Sample* a = nullptr;
    const Sample* b = nullptr;
    for (const auto& s : samples) {
        if (!a && s.lines >= from)
            a = &s;
        if (!b && s.lines >= to)
            b = &s;
    }
    if (!a || !b || b->lines == a->lines)
        return -1;
    return (b->seconds - a->seconds) * 1e6 / (b->lines - a->lines);
}

void PrintRow(const char* way, const std::vector<Sample>& samples, int total) {
    int reached = samples.empty() ? 0 : samples.back().lines;
    int endFrom = (reached >= total ? total : reached) - kWindow;
    std::printf("%-34s %8d lines  start %9.1f us/line  end %9.1f us/line  total %7.1f s\n", way,
                reached, PerLine(samples, 0, kWindow), PerLine(samples, endFrom, endFrom + kWindow),
                samples.empty() ? 0.0 : samples.back().seconds);
}

// The item line Veltra writes for one failed file.
std::string ItemLine(int i) {
    return FormatText("+ file-%05d-of-the-report-benchmark.txt", i);
}

// Appends `total` lines to a fresh edit control of the report's styles.
std::vector<Sample> AppendToEdit(int total, bool literal) {
    HWND edit = CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "",
                                WS_OVERLAPPEDWINDOW | ES_MULTILINE | ES_AUTOVSCROLL |
                                    ES_AUTOHSCROLL | ES_WANTRETURN | WS_VSCROLL | WS_HSCROLL,
                                0, 0, 480, 90, nullptr, nullptr, nullptr, nullptr);
    SendMessageA(edit, EM_SETLIMITTEXT, 0, 0);
    ShowWindow(edit, SW_SHOW);
    std::vector<Sample> samples{{0, 0.0}};
    double start = Now();
    for (int i = 0; i < total; ++i) {
        std::string line = ItemLine(i) + "\r\n";
        if (literal) {
            std::string text = GetWindowTextString(edit) + line;
            SetWindowTextA(edit, text.c_str());
            int n = static_cast<int>(text.size());
            SendMessageA(edit, EM_SETSEL, n, n);
        } else {
            int n = GetWindowTextLengthA(edit);
            SendMessageA(edit, EM_SETSEL, n, n);
            SendMessageA(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(line.c_str()));
        }
        SendMessageA(edit, EM_SCROLLCARET, 0, 0);
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&msg);
        if ((i + 1) % 100 == 0) {
            samples.push_back({i + 1, Now() - start});
            if (samples.back().seconds > kLiteralCapS)
                break;
        }
    }
    DestroyWindow(edit);
    return samples;
}

// The real dialog: every file of `total` in a subfolder whose destination
// cannot be created is reported; the line count is sampled as it grows.
std::vector<Sample> ThroughTheDialog(const std::string& work, int total) {
    std::string source = work + FormatText("report-src-%d\\", total);
    std::vector<TreeEntry> tree;
    for (int i = 0; i < total; ++i)
        tree.push_back({FormatText("all\\file-%05d-of-the-report-benchmark.txt", i), "x"});
    if (!FolderExists(source + "all"))
        MakeTree(source, tree);
    WriteFileBytes(work + "report-blocker", "not a folder");

    VeltraProcess app;
    SetTextOf(app.item(IDC_SOURCE_EDIT), source);
    SetTextOf(app.item(IDC_DESTINATION_EDIT), work + "report-blocker\\dest");
    HWND report = app.item(IDC_REPORT_EDIT);
    std::vector<Sample> samples{{0, 0.0}};
    double start = Now();
    Press(app.dialog(), IDC_START_COPY);
    for (;;) {
        DWORD_PTR lines = 0;
        SendMessageTimeoutA(report, EM_GETLINECOUNT, 0, 0, SMTO_NORMAL, 5000, &lines);
        // The panel starts with one empty line, then a heading per folder.
        int items = static_cast<int>(lines) - 2;
        if (items > samples.back().lines)
            samples.push_back({items, Now() - start});
        if (items >= total || Now() - start > 1200)
            break;
        Sleep(5);
    }
    Press(app.dialog(), IDOK);
    app.WaitForExit(30000);
    return samples;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: report_append <work folder\\> [files]\n");
        return 2;
    }
    std::string work = argv[1];
    int total = argc > 2 ? std::atoi(argv[2]) : 20000;
    std::printf("Report panel: %d not-copied lines, microseconds per line over %d lines\n", total,
                kWindow);
    PrintRow("edit control, whole text rewritten", AppendToEdit(total, true), total);
    PrintRow("edit control, appended at the end", AppendToEdit(total, false), total);
    PrintRow("Veltra.exe, real copy", ThroughTheDialog(work, total), total);
    return 0;
}
