#pragma once
// One file copied to its place in the destination, with its status line and,
// when it was not copied, its not-copied notification.

#include "FileSystem.h"

#include <windows.h>

#include <shellapi.h>

#include <string>

class MessageQueue;

// What the walk already knows of a file's place in the destination, from a
// folder it has just made or listed: with `known` false, nothing (the step
// looks); with a null entry, that nothing is there; otherwise what is there.
struct known_destination {
    bool known = false;
    const find_entry* entry = nullptr;
};

class file_copier {
public:
    file_copier() = default;
    virtual ~file_copier() = default;

    // Copies source_file to destination_file (full paths as the user knows
    // them). Returns true when the file was copied. With
    // destination_unavailable nothing is tried and the file is reported as
    // not copied. With `known` the destination is not looked at, unless
    // the copy finds something there after all. A new file is never written
    // over one that is there, and nothing over a file that merely answers to
    // the destination's name by its short 8.3 name.
    //
    // The copy itself is CopyFileExW on the long forms of the paths. Only
    // when the user asked to be asked (overwrite_silently false) and a file
    // is already there does the shell's copy run, with its own question;
    // where the shell cannot reach the paths, the dialog asks instead.
    bool copy_file(std::string source_file, std::string destination_file, bool overwrite_silently,
                   MessageQueue* message_queue, HWND notify_window, bool destination_unavailable,
                   file_system* fs = nullptr, const known_destination& known = {});
};

// True when the shell's file operation can take `path` whole: it keeps
// paths in buffers of MAX_PATH characters.
bool shell_can_reach(const std::string& path);
