// Times one copy of a tree and prints one line of figures:
//   veltra_bench <mode> <source\> <destination\>
// engine      a real copy_job on its worker thread, notifying a receiving window
// counting    the same, with the counting walk beside it (as the dialog runs it)
// again       the same with "Skip files already up to date" checked
// shell       a bare walker calling the shell's file operation once per file
// copyfile    a bare walker calling CopyFileA once per file
// copyfileex  a bare wide walker on \\?\ paths, listing each folder in one
//             large fetch and calling CopyFileExW once per file: the least a
//             copy of the tree through the system costs, which nothing of
//             ours can go below (long paths included)
// An optional fourth argument gives the copy threads: the engine's, and for
// copyfileex a window of that many CopyFileExW calls in flight (the bare
// walker's floor with threads).
#include "CopyJob.h"
#include "CopyWindow.h"
#include "NotificationRecorder.h"
#include "PathOps.h"
#include "ReplaceWhole.h"

#include <windows.h>

#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Totals {
    int files = 0;
    int failed = 0;
    double bytes = 0;
};

template <class CopyOne>
void Walk(const std::string& from, const std::string& to, Totals& totals, CopyOne copy_one) {
    CreateDirectoryA(to.c_str(), nullptr);
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((from + "*.*").c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::string name = entry.cFileName;
        if (name == "." || name == "..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            Walk(from + name + "\\", to + name + "\\", totals, copy_one);
        } else if (copy_one(from + name, to + name)) {
            ++totals.files;
            totals.bytes += entry.nFileSizeHigh * 4294967296.0 + entry.nFileSizeLow;
        } else {
            ++totals.failed;
        }
    } while (FindNextFileA(find, &entry));
    FindClose(find);
}

// A path in the \\?\ form, in which the system takes it as it is and no
// length limit applies: \\?\C:\... for a drive path, \\?\UNC\server\share\...
// for a \\server\share path. The text arrives in the process code page
// (UTF-8). Made absolute first: the form allows no relative paths, no "."
// or ".." and no forward slashes.
std::wstring LongForm(const std::string& path) {
    int size = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, nullptr, 0);
    std::wstring wide(size, L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide.data(), size);
    wide.resize(wide.size() - 1);
    if (wide.rfind(L"\\\\?\\", 0) == 0)
        return wide;
    DWORD full_size = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    std::wstring full(full_size, L'\0');
    full.resize(GetFullPathNameW(wide.c_str(), full_size, full.data(), nullptr));
    if (full.rfind(L"\\\\", 0) == 0)
        return L"\\\\?\\UNC\\" + full.substr(2);
    return L"\\\\?\\" + full;
}

// Walk in wide characters on \\?\ paths: the folders listed in one large
// fetch each, without the short names nobody here reads.
template <class CopyOne>
void WalkWide(const std::wstring& from, const std::wstring& to, Totals& totals,
              CopyOne copy_one) {
    // Without the closing backslash: a \\?\ path goes to the system unchanged.
    CreateDirectoryW(to.substr(0, to.size() - 1).c_str(), nullptr);
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileExW((from + L"*").c_str(), FindExInfoBasic, &entry,
                                   FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH);
    if (find == INVALID_HANDLE_VALUE)
        return;
    do {
        std::wstring name = entry.cFileName;
        if (name == L"." || name == L"..")
            continue;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            WalkWide(from + name + L"\\", to + name + L"\\", totals, copy_one);
        } else if (copy_one(from + name, to + name)) {
            ++totals.files;
            totals.bytes += entry.nFileSizeHigh * 4294967296.0 + entry.nFileSizeLow;
        } else {
            ++totals.failed;
        }
    } while (FindNextFileW(find, &entry));
    FindClose(find);
}

HWND g_owner = nullptr; // the shell's owner window in the shell-hwnd mode

bool ShellCopy(const std::string& from, const std::string& to) {
    std::vector<char> a(from.size() + 2, '\0'), b(to.size() + 2, '\0');
    std::memcpy(a.data(), from.data(), from.size());
    std::memcpy(b.data(), to.data(), to.size());
    SHFILEOPSTRUCTA op = {};
    op.hwnd = g_owner;
    op.wFunc = FO_COPY;
    op.pFrom = a.data();
    op.pTo = b.data();
    op.fFlags = 0x2614;
    return SHFileOperationA(&op) == 0 && !op.fAnyOperationsAborted;
}

// Where the time of one shell copy goes: the same files copied by the shell,
// by CopyFileA alone, and the shell's change notice alone, in microseconds
// per file.
void PrintParts(const std::string& from, const std::string& to) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    HANDLE find = FindFirstFileA((from + "*.*").c_str(), &entry);
    do {
        if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(entry.cFileName);
    } while (FindNextFileA(find, &entry));
    FindClose(find);
    auto time_each = [&](const char* label, auto one) {
        std::string folder = to + label + "\\";
        CreateDirectoryA(to.c_str(), nullptr);
        CreateDirectoryA(folder.c_str(), nullptr);
        auto t0 = std::chrono::steady_clock::now();
        for (const std::string& name : names)
            one(from + name, folder + name);
        double us = std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0)
                        .count() /
                    names.size();
        std::printf("%-24s %8.0f us per file (%zu files)\n", label, us, names.size());
    };
    SetCurrentDirectoryA(from.c_str());
    for (int round = 0; round < 2; ++round) {
        time_each(round ? "shell-2" : "shell",
                  [](const std::string& a, const std::string& b) { ShellCopy(a, b); });
        time_each(round ? "shell-relative-from-2" : "shell-relative-from",
                  [&](const std::string& a, const std::string& b) {
                      ShellCopy(a.substr(from.size()), b);
                  });
    }
    {
        WIN32_FIND_DATAA keep;
        HANDLE open_listing = FindFirstFileA((from + "*.*").c_str(), &keep);
        time_each("shell-listing-open",
                  [](const std::string& a, const std::string& b) { ShellCopy(a, b); });
        FindClose(open_listing);
    }
    SetCurrentDirectoryA("C:\\");
    time_each("shell-cwd-elsewhere",
              [](const std::string& a, const std::string& b) { ShellCopy(a, b); });
    time_each("copyfile", [](const std::string& a, const std::string& b) {
        CopyFileA(a.c_str(), b.c_str(), FALSE);
    });
    // Replacing the files of a full folder, through the wide calls: in
    // place, a new copy beside each file that then takes its place
    // (MoveFileExW), and the engine's replace_whole, against copying them
    // fresh.
    {
        auto wide = [](const std::string& path) {
            std::wstring w(path.size(), L'\0');
            w.resize(MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()),
                                         w.data(), static_cast<int>(w.size())));
            return w;
        };
        std::string folder;
        auto per_file = [&](const char* label, auto one) {
            auto t0 = std::chrono::steady_clock::now();
            for (const std::string& name : names)
                one(wide(from + name), wide(folder + name));
            std::printf("%-24s %8.0f us per file\n", label,
                        std::chrono::duration<double, std::micro>(
                            std::chrono::steady_clock::now() - t0)
                                .count() /
                            names.size());
        };
        for (int round = 0; round < 2; ++round) {
            folder = to + (round ? "replace-2\\" : "replace\\");
            CreateDirectoryA(folder.c_str(), nullptr);
            per_file("wide-fresh", [](const std::wstring& a, const std::wstring& b) {
                CopyFileExW(a.c_str(), b.c_str(), nullptr, nullptr, nullptr, 0);
            });
            per_file("wide-in-place", [](const std::wstring& a, const std::wstring& b) {
                CopyFileExW(a.c_str(), b.c_str(), nullptr, nullptr, nullptr, 0);
            });
            per_file("wide-beside-and-move", [](const std::wstring& a, const std::wstring& b) {
                std::wstring beside = b + L".tmp";
                CopyFileExW(a.c_str(), beside.c_str(), nullptr, nullptr, nullptr,
                            COPY_FILE_FAIL_IF_EXISTS);
                MoveFileExW(beside.c_str(), b.c_str(), MOVEFILE_REPLACE_EXISTING);
            });
            // The engine's own step: ReplaceFileW with the old file set
            // aside and deleted, the source's attributes set again.
            per_file("replace-whole", [](const std::wstring& a, const std::wstring& b) {
                DWORD error;
                replace_whole(real_file_system(), a, b, FILE_ATTRIBUTE_ARCHIVE, &error);
            });
        }
    }
    time_each("change-notice", [](const std::string&, const std::string& b) {
        SHChangeNotify(SHCNE_CREATE, SHCNF_PATHA, b.c_str(), nullptr);
    });
    // The engine's existence check before each copy, against the same copy
    // without it: file by file in turn, so that load from elsewhere falls on
    // both alike. A name that is not there makes Wine read the whole folder,
    // looking for it in another letter case.
    {
        std::string plain = to + "ab-shell\\", checked = to + "ab-check-shell\\";
        CreateDirectoryA(plain.c_str(), nullptr);
        CreateDirectoryA(checked.c_str(), nullptr);
        double us[2] = {0, 0};
        for (const std::string& name : names) {
            for (int way = 0; way < 2; ++way) {
                auto t0 = std::chrono::steady_clock::now();
                if (way)
                    GetFileAttributesA((checked + name).c_str());
                ShellCopy(from + name, (way ? checked : plain) + name);
                us[way] +=
                    std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0)
                        .count();
            }
        }
        std::printf("%-24s %8.0f us per file, in turn with\n%-24s %8.0f us per file\n",
                    "shell (in turn)", us[0] / names.size(), "check+shell (in turn)",
                    us[1] / names.size());
    }
    time_each("attributes-missing-empty",
              [](const std::string&, const std::string& b) { GetFileAttributesA(b.c_str()); });
    std::string full = to + "shell\\";
    time_each("attributes-missing-full", [&](const std::string& a, const std::string&) {
        GetFileAttributesA((full + a.substr(from.size()) + ".not").c_str());
    });
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr,
                     "usage: veltra_bench engine|counting|shell|copyfile|copyfileex|parts SRC DST "
                     "[THREADS]\n");
        return 2;
    }
    std::string mode = argv[1], from = argv[2], to = argv[3];
    int threads = argc > 4 ? std::atoi(argv[4]) : -1;
    add_trailing_backslash(from);
    add_trailing_backslash(to);
    Totals totals;
    auto start = std::chrono::steady_clock::now();
    if (mode == "engine" || mode == "counting" || mode == "again") {
        NotificationRecorder receiver(NotificationRecorder::Progress::RecordAndShow);
        auto* job = new copy_job(from, to, true, receiver.window(), receiver.queue());
        job->skip_files_up_to_date(mode == "again");
        if (threads >= 0)
            job->set_copy_threads(static_cast<unsigned>(threads));
        start = std::chrono::steady_clock::now();
        if (job->start(mode == "counting"))
            return 1;
        receiver.wait_done(INFINITE);
        WaitForSingleObject(job->worker_handle(), INFINITE);
        for (const Notification& n : receiver.without_progress())
            if (n.message == WM_COPY_NOT_COPIED || n.message == WM_COPY_ERROR)
                std::fprintf(stderr, "%s: %s\n",
                             n.message == WM_COPY_ERROR ? "error" : "not copied", n.text.c_str());
        copy_statistics s = job->get_statistics();
        totals = {s.files_copied, s.files_failed, s.bytes_copied};
        delete job;
    } else if (mode == "shell" || mode == "shell-com" || mode == "shell-hwnd") {
        if (mode == "shell-com")
            CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        NotificationRecorder receiver(NotificationRecorder::Progress::RecordAndShow);
        if (mode == "shell-hwnd")
            g_owner = receiver.window();
        Walk(from, to, totals, ShellCopy);
    } else if (mode == "copyfile") {
        Walk(from, to, totals, [](const std::string& a, const std::string& b) {
            return CopyFileA(a.c_str(), b.c_str(), FALSE) != 0;
        });
    } else if (mode == "copyfileex" && threads > 0) {
        copy_window window(static_cast<unsigned>(threads), 4 * threads + 16, nullptr);
        if (!window.start())
            return 1;
        WalkWide(LongForm(from), LongForm(to), totals,
                 [&](const std::wstring& a, const std::wstring& b) {
                     auto ok = std::make_shared<bool>(false);
                     window.add_copy(
                         0,
                         [a, b, ok] {
                             *ok = CopyFileExW(a.c_str(), b.c_str(), nullptr, nullptr, nullptr,
                                               0) != 0;
                         },
                         [&totals, ok] { totals.failed += *ok ? 0 : 1; });
                     return true; // counted as copied; a failure is taken back when applied
                 });
        window.drain();
        totals.files -= totals.failed;
    } else if (mode == "copyfileex") {
        WalkWide(LongForm(from), LongForm(to), totals,
                 [](const std::wstring& a, const std::wstring& b) {
                     return CopyFileExW(a.c_str(), b.c_str(), nullptr, nullptr, nullptr, 0) != 0;
                 });
    } else if (mode == "parts") {
        PrintParts(from, to);
        return 0;
    } else {
        std::fprintf(stderr, "unknown mode %s\n", mode.c_str());
        return 2;
    }
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("mode=%s files=%d failed=%d bytes=%.0f seconds=%.3f\n", mode.c_str(), totals.files,
                totals.failed, totals.bytes, seconds);
    return totals.failed ? 1 : 0;
}
