#pragma once
// One file copied to its place in the destination, with its status line and,
// when it was not copied, its not-copied notification.

#include "FileSystem.h"

#include <windows.h>

#include <string>

class MessageQueue;
class copy_job;

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
    // The copy itself is CopyFileExW on the long forms of the paths. When
    // the user asked to be asked (overwrite_silently false) and a file is
    // already there, the dialog asks first, through `job` (which holds the
    // "All" answers and the stop; without one, every file is asked about
    // and Stop keeps the file). A file the user chose to keep is reported
    // with its reason, and `kept` (when given) says so.
    bool copy_file(std::string source_file, std::string destination_file, bool overwrite_silently,
                   MessageQueue* message_queue, HWND notify_window, bool destination_unavailable,
                   file_system* fs = nullptr, const known_destination& known = {},
                   copy_job* job = nullptr, bool* kept = nullptr);

    // Set for a copy on a copy thread: where the user would have to be
    // asked, nothing is done or said and question_left says so; the walk
    // then copies the file in its turn, where it may ask.
    bool leave_question = false;
    bool question_left = false;
};
