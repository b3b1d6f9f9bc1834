#include "FolderCopier.h"

#include "CopyReasons.h"
#include "CopyChannel.h"
#include "CopyWindow.h"
#include "FormatText.h"
#include "PathOps.h"

namespace {

const char* const kPattern = "*.*";
const char* const kAccessDenied = "Unable to access the folder. It's contents was not copied.";
const char* const kLinkRefused =
    "This folder link leads back into a folder being copied. It was not followed.";
const char* const kCaseClash = "  (not copied: a file or folder of the same name, differing only "
                               "in letter case, was already copied here)";

} // namespace

folder_copier::folder_copier(bool overwrite_silently, copy_job* job, MessageQueue* message_queue,
                             HWND notify_window, const folder_copier* parent_level)
    : walk_level(job ? job->get_file_system() : &real_file_system(), parent_level), job(job),
      window(job ? job->get_window() : nullptr), notify_window(notify_window),
      overwrite_silently(overwrite_silently), message_queue(message_queue) {}

void folder_copier::send(UINT message, std::string text) {
    // An alert comes after every copy before it, and nothing new starts
    // while it is up: the walk waits on it.
    if (window && message == WM_COPY_ERROR)
        window->drain();
    if (!window || message == WM_COPY_ERROR)
        return notify(message_queue, notify_window, message, std::move(text));
    MessageQueue* queue = message_queue;
    HWND to = notify_window;
    window->add_step([queue, to, message, text = std::move(text)]() mutable {
        notify(queue, to, message, std::move(text));
    });
}

void folder_copier::mark_incomplete() {
    if (job)
        job->mark_incomplete();
}

void folder_copier::copy_folder(std::string source_folder, std::string destination_folder,
                                copy_statistics* statistics, std::string root_destination,
                                bool destination_unavailable, bool top_level) {
    // The folder is listed on its own long path: no current folder (which
    // every thread of the process shares, and which stops at 260
    // characters) is set or needed.
    std::wstring source_long = long_path(source_folder);
    find_entry entry;
    find_handle.reset(fs->find_first_file((source_long + L"*.*").c_str(), &entry));
    DWORD list_error = find_handle ? 0 : fs->last_error();
    if (!find_handle && !is_listable_failure(source_long, list_error)) {
        if (top_level) {
            send(WM_COPY_ERROR, FormatText("Source folder does not exist (%s)(%d)",
                                           source_folder.c_str(), static_cast<int>(list_error)));
        } else if (list_error == ERROR_ACCESS_DENIED) {
            send(WM_COPY_FOLDER, source_folder);
            send(WM_COPY_NOT_COPIED, source_folder + kAccessDenied);
        } else {
            send(WM_COPY_ERROR,
                 FormatText("Error: Couldn't select folder - Check source folder exists (%s)(%d)",
                            source_folder.c_str(), static_cast<int>(list_error)));
        }
        mark_incomplete();
        return;
    }
    level_source = source_folder;

    if (!destination_unavailable) {
        std::wstring destination_long = long_path(destination_folder);
        if (top_level)
            destination_made = create_folder(destination_folder, &destination_created);
        else if (fs->create_directory(destination_long.c_str()))
            destination_made = destination_created = true;
        else
            destination_made =
                fs->last_error() == ERROR_ALREADY_EXISTS || folder_exists(destination_long);
    }
    // A folder that was there before: one listing tells which names it
    // holds, so that no file needs a look-up of its own.
    if (destination_made && !destination_created)
        destination_entries.read(*fs, destination_folder);

    send(WM_COPY_FOLDER, source_folder);
    if (job && job->is_skipping_up_to_date() && destination_entries.is_read())
        send(WM_COPY_STATUS, "Status: comparing folder " + source_folder);

    if (!find_handle) {
        send(WM_COPY_ERROR, FormatText("Error: Find first file failed (%s)(%d)", kPattern,
                                       static_cast<int>(list_error)));
        mark_incomplete();
        return;
    }
    try {
        for (;;) {
            if (job->is_stop_requested())
                throw stop_copy;
            copy_entry(entry, source_folder, destination_folder, statistics, root_destination,
                       destination_unavailable, destination_made);
            if (!fs->find_next_file(find_handle.get(), &entry)) {
                DWORD error = fs->last_error();
                if (error != ERROR_NO_MORE_FILES) {
                    send(WM_COPY_ERROR, FormatText("Error: Find next file failed (%d)",
                                                   static_cast<int>(error)));
                    mark_incomplete();
                }
                break;
            }
        }
    } catch (copy_exceptions) {
        mark_incomplete();
    }
    // Closed through the seam, so that its failure is reported; the owner
    // closes it only on a way out that no report covers.
    if (!fs->find_close(find_handle.release())) {
        DWORD error = fs->last_error();
        send(WM_COPY_ERROR, FormatText("Error: Find close failed (%d)", static_cast<int>(error)));
    }
}

bool folder_copier::is_listable_failure(const std::wstring& folder, DWORD error) const {
    // A folder that is there without a single entry (the root of an empty
    // drive) is a listing that found nothing; any other failure means the
    // folder could not be entered (missing, denied, held by another
    // program), and its message names the folder.
    if (error != ERROR_FILE_NOT_FOUND)
        return false;
    DWORD attributes = fs->file_attributes(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void folder_copier::copy_entry(const find_entry& entry, const std::string& source_folder,
                               const std::string& destination_folder, copy_statistics* statistics,
                               const std::string& root_destination, bool destination_unavailable,
                               bool destination_ready) {
    const std::string& name = entry.name;
    if (name == "." || name == "..")
        return;

    if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        std::string child_source = source_folder + name;
        add_trailing_backslash(child_source);
        std::string child_destination = destination_folder + name;
        add_trailing_backslash(child_destination);
        if (is_destination_folder(entry, child_source, root_destination)) {
            send(WM_COPY_ERROR, "skipped destination folder as a copy source");
            return;
        }
        if (const char* why = unusable_name(name)) {
            send(WM_COPY_NOT_COPIED, child_source + why);
            mark_incomplete(); // its contents cannot even be listed
            return;
        }
        if (const char* note = left_out_at_root(entry)) {
            send(WM_COPY_NOT_COPIED, child_source + note);
            return;
        }
        // A link to a folder of the tree (a profile's compatibility
        // junctions, which deny listing) would copy that folder twice: it is
        // named once, not followed, and misses nothing.
        if (std::optional<std::string> target = target_inside_tree(entry, child_source)) {
            send(WM_COPY_NOT_COPIED, child_source + "  (not followed: a link to the folder " +
                                         *target + ", copied at its own place)");
            return;
        }
        // Copied there, its files would land on the source's own files.
        if (const char* why = place_in_source(child_source, child_destination)) {
            send(WM_COPY_NOT_COPIED, child_source + why);
            mark_incomplete();
            return;
        }
        // A second folder whose name differs only in letter case would be
        // merged into the first: its files are reported, not copied.
        bool clash = !claim_name(name);
        if (clash)
            send(WM_COPY_NOT_COPIED, child_source + kCaseClash);
        // A folder link that leads back to this folder or one above it would
        // be walked again and again until the path grew too long.
        if (is_looping_link(entry, child_source)) {
            send(WM_COPY_FOLDER, child_source);
            send(WM_COPY_NOT_COPIED, child_source + kLinkRefused);
            send(WM_COPY_FOLDER, source_folder);
            mark_incomplete();
            return;
        }
        folder_copier child(overwrite_silently, job, message_queue, notify_window, this);
        child.copy_folder(child_source, child_destination, statistics, root_destination,
                          !destination_ready || clash, false);
        if (child.destination_made)
            restore_folder(entry, child_source, child_destination, child.destination_created);
        send(WM_COPY_FOLDER, source_folder);
        return;
    }

    std::string source_file = source_folder + name;
    const char* why = unusable_name(name);
    if (why || name_claimed(name)) {
        send(WM_COPY_NOT_COPIED, source_file + (why ? why : kCaseClash));
        count_failed(entry, statistics);
        return;
    }
    copy_file_entry(entry, source_file, destination_folder + name, statistics,
                    destination_unavailable);
}
