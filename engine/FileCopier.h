#pragma once
// One file copied to its place in the destination, with its status line and,
// when it was not copied, its not-copied notification.

#include "FileSystem.h"

#include <windows.h>

#include <string>

class MessageQueue;
class copy_job;

class file_copier {
public:
    file_copier() = default;
    virtual ~file_copier() = default;

    // Copies source_file to destination_file (full paths as the user knows
    // them). Returns true when the file was copied. With
    // destination_unavailable nothing is tried and the file is reported as
    // not copied. With destination_known_absent the caller knows of nothing
    // at destination_file, and the destination is not looked at unless the
    // copy finds something there after all. A new file is never written
    // over one that is there.
    //
    // The copy itself is CopyFileExW on the long forms of the paths. When
    // the user asked to be asked (overwrite_silently false) and a file is
    // already there, the dialog asks first, through `job` (which holds the
    // "All" answers and the stop; without one, every file is asked about
    // and Stop keeps the file). A file the user chose to keep is reported
    // with its reason, and `kept` (when given) says so.
    bool copy_file(std::string source_file, std::string destination_file, bool overwrite_silently,
                   MessageQueue* message_queue, HWND notify_window, bool destination_unavailable,
                   file_system* fs = nullptr, bool destination_known_absent = false,
                   copy_job* job = nullptr, bool* kept = nullptr);

    // Set for a copy on a copy thread: where the user would have to be
    // asked, nothing is done or said and question_left says so; the walk
    // then copies the file in its turn, where it may ask.
    bool leave_question = false;
    bool question_left = false;
};
