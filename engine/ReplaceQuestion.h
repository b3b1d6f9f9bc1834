#pragma once
// The question asked before a file is replaced, when the user asked to be
// asked: the two files as the dialog shows them, and the answers it gives.

#include <windows.h>

#include <string>

// What the question shows of one of the two files.
struct file_facts {
    bool known = false; // false when the file could not be looked at
    double size = 0;    // whole bytes
    FILETIME written = {};
};

struct replace_question {
    std::string source_file; // full paths as the user knows them
    std::string destination_file;
    file_facts source;
    file_facts destination;
};

// The dialog's answer, as the result of its WM_COPY_QUESTION. Zero is Skip:
// a dialog that is gone keeps the existing file.
enum class replace_answer : int { skip = 0, replace, replace_all, skip_all, stop };
