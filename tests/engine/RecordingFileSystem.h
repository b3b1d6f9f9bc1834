#pragma once
// A seam for the engine tests: forwards every call to the real one, records
// what was asked, and fails a chosen call with a chosen error code.

#include "FileSystem.h"

#include <cerrno>
#include <functional>
#include <string>
#include <vector>

class RecordingFileSystem : public file_system {
public:
    std::vector<std::string> created;       // create_directory paths, in order
    std::vector<std::string> shell_sources; // pFrom of every shell call
    int find_first_calls = 0;
    int find_close_calls = 0;
    int find_next_calls = 0;

    // Each returns the error code to fail with, or 0 to let the call through.
    std::function<DWORD(const std::string&)> fail_create;
    std::function<DWORD(const std::string&)> fail_set_current;
    std::function<DWORD(int call)> fail_find_next; // 1 for the first call
    DWORD fail_find_close = 0;
    bool fail_get_current = false;
    // Changes every folder identity found, e.g. to the zeros that some
    // network redirectors report.
    std::function<void(folder_identity&)> alter_identity;

    DWORD get_current_directory(DWORD size, char* buffer) override {
        if (fail_get_current)
            return error = ERROR_NOT_ENOUGH_MEMORY, 0;
        return file_system::get_current_directory(size, buffer);
    }
    BOOL set_current_directory(const char* path) override {
        if (fail_set_current)
            if (DWORD e = fail_set_current(path))
                return error = e, FALSE;
        return pass(file_system::set_current_directory(path));
    }
    HANDLE find_first_file(const char* pattern, find_entry* entry) override {
        ++find_first_calls;
        HANDLE h = file_system::find_first_file(pattern, entry);
        error = ::GetLastError();
        return h;
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
    BOOL create_directory(const char* path) override {
        created.push_back(path);
        if (fail_create)
            if (DWORD e = fail_create(path))
                return error = e, FALSE;
        return pass(file_system::create_directory(path));
    }
    int file_operation(SHFILEOPSTRUCTA* operation) override {
        shell_sources.push_back(operation->pFrom);
        return file_system::file_operation(operation);
    }
    DWORD file_attributes(const char* path) override {
        return pass(file_system::file_attributes(path));
    }
    bool identify_folder(const char* path, folder_identity* identity) override {
        if (!file_system::identify_folder(path, identity))
            return false;
        if (alter_identity)
            alter_identity(*identity);
        return true;
    }
    DWORD last_error() override { return error; }

private:
    template <class Result> Result pass(Result result) {
        error = ::GetLastError();
        return result;
    }
    DWORD error = 0;
};
