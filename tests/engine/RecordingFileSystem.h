#pragma once
// A seam for the engine tests: forwards every call to the real one, records
// what was asked (paths as the user knows them, without the long form), and
// fails a chosen call with a chosen error code. File copies come from the
// copy threads too: the records are kept under a lock, and the last error
// is each thread's own.

#include "AnsiText.h"
#include "FileSystem.h"
#include "PathOps.h"

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

class RecordingFileSystem : public file_system {
public:
    std::vector<std::string> created;      // create_directory paths, in order
    std::vector<std::string> copy_sources; // the source of every file copy
    std::vector<std::string> looked_at;    // file_attributes paths, in order
    int find_first_calls = 0;
    std::atomic<int> find_close_calls{0}; // read by copy threads in some cases
    int find_next_calls = 0;

    // Each returns the error code to fail with, or 0 to let the call through.
    std::function<DWORD(const std::string&)> fail_create;
    std::function<DWORD(const std::string& folder)> fail_find_first;
    std::function<DWORD(int call)> fail_find_next; // 1 for the first call
    DWORD fail_find_close = 0;
    // Runs before each file copy, with its source path.
    std::function<void(const std::string&)> before_copy;
    std::function<DWORD(const std::string& source)> fail_copy;
    std::function<DWORD(const std::string& folder)> fail_folder_details;
    // Fails ReplaceFileW's swap, by call (1 for the first), before it is tried.
    std::function<DWORD(int call)> fail_replace;
    int replace_calls = 0;
    std::vector<std::string> moved_to; // the target of every plain move
    // Changes every folder identity found, e.g. to the zeros that some
    // network redirectors report.
    std::function<void(folder_identity&)> alter_identity;

    // copy_sources as it stands, while copies may still be running.
    std::vector<std::string> sources_now() {
        std::lock_guard<std::mutex> hold(records);
        return copy_sources;
    }

    // A path of a call as the user knows it.
    static std::string Plain(const wchar_t* path) { return plain_path(AnsiFromWide(path)); }

    HANDLE find_first_file(const wchar_t* pattern, find_entry* entry) override {
        ++find_first_calls;
        if (fail_find_first) {
            std::string folder = Plain(pattern);
            folder.resize(folder.size() - 3); // without "*.*"
            if (DWORD e = fail_find_first(folder))
                return error = e, INVALID_HANDLE_VALUE;
        }
        return pass(file_system::find_first_file(pattern, entry));
    }
    BOOL find_next_file(HANDLE find, find_entry* entry) override {
        ++find_next_calls;
        if (fail_find_next)
            if (DWORD e = fail_find_next(find_next_calls))
                return error = e, FALSE;
        return pass(file_system::find_next_file(find, entry));
    }
    BOOL find_close(HANDLE find) override {
        ++find_close_calls;
        BOOL ok = pass(file_system::find_close(find));
        if (fail_find_close)
            return error = fail_find_close, FALSE;
        return ok;
    }
    BOOL create_directory(const wchar_t* path) override {
        created.push_back(Plain(path));
        if (fail_create)
            if (DWORD e = fail_create(created.back()))
                return error = e, FALSE;
        return pass(file_system::create_directory(path));
    }
    BOOL copy_file(const wchar_t* from, const wchar_t* to, bool fail_if_exists) override {
        std::string source = Plain(from);
        {
            std::lock_guard<std::mutex> hold(records);
            copy_sources.push_back(source);
        }
        if (before_copy)
            before_copy(source);
        if (fail_copy)
            if (DWORD e = fail_copy(source))
                return error = e, FALSE;
        return pass(file_system::copy_file(from, to, fail_if_exists));
    }
    BOOL move_replacing(const wchar_t* from, const wchar_t* to) override {
        {
            std::lock_guard<std::mutex> hold(records);
            moved_to.push_back(Plain(to));
        }
        return pass(file_system::move_replacing(from, to));
    }
    BOOL replace_file(const wchar_t* replaced, const wchar_t* replacement,
                      const wchar_t* backup) override {
        int call;
        {
            std::lock_guard<std::mutex> hold(records);
            call = ++replace_calls;
        }
        if (fail_replace)
            if (DWORD e = fail_replace(call))
                return error = e, FALSE;
        return pass(file_system::replace_file(replaced, replacement, backup));
    }
    BOOL set_folder_details(const wchar_t* path, const FILETIME& written,
                            DWORD attributes) override {
        if (fail_folder_details)
            if (DWORD e = fail_folder_details(Plain(path)))
                return error = e, FALSE;
        return pass(file_system::set_folder_details(path, written, attributes));
    }
    DWORD file_attributes(const wchar_t* path) override {
        {
            std::lock_guard<std::mutex> hold(records);
            looked_at.push_back(Plain(path));
        }
        return pass(file_system::file_attributes(path));
    }
    BOOL set_file_attributes(const wchar_t* path, DWORD attributes) override {
        return pass(file_system::set_file_attributes(path, attributes));
    }
    BOOL delete_file(const wchar_t* path) override { return pass(file_system::delete_file(path)); }
    bool identify_folder(const wchar_t* path, folder_identity* identity) override {
        if (!file_system::identify_folder(path, identity))
            return false;
        if (alter_identity)
            alter_identity(*identity);
        return true;
    }
    bool final_path(const wchar_t* path, std::wstring* final) override {
        return pass(file_system::final_path(path, final));
    }
    DWORD last_error() override { return error; }

private:
    template <class Result> Result pass(Result result) {
        error = ::GetLastError();
        return result;
    }
    static inline thread_local DWORD error = 0;
    std::mutex records;
};
