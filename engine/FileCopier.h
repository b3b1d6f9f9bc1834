#pragma once
// One file copied through the shell's file operation, with its status line
// and, when it was not copied, its not-copied notification.

#include "FileSystem.h"

#include <windows.h>

#include <string>

class MessageQueue;

// Shell flags when existing files are replaced without a question:
// FOF_SILENT | FOF_NOCONFIRMATION | FOF_NOCONFIRMMKDIR | FOF_NOERRORUI |
// FOF_NO_CONNECTED_ELEMENTS.
constexpr FILEOP_FLAGS silent_copy_flags = 0x2614;

class file_copier {
public:
    file_copier() = default;
    virtual ~file_copier() = default;

    // Copies source_file to destination_file (full paths). Returns true when
    // the file was copied. With destination_unavailable the shell is not
    // called and the file is reported as not copied. With
    // destination_known_absent the caller vouches that nothing is at
    // destination_file, and the destination is not looked at first.
    bool copy_file(std::string source_file, std::string destination_file, bool overwrite_silently,
                   MessageQueue* message_queue, HWND notify_window, bool destination_unavailable,
                   file_system* fs = nullptr, bool destination_known_absent = false);
};
