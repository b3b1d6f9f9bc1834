#include "FileCopier.h"

#include "AnsiText.h"
#include "CopyReasons.h"
#include "CopyChannel.h"
#include "CopyJob.h"
#include "FormatText.h"
#include "PathOps.h"

#include <atomic>
#include <cwchar>
#include <vector>

namespace {

const char* const kFolderInTheWay =
    "  (not copied: a folder of the same name is in its place in the destination)";

// Attributes that make Windows refuse to overwrite a file in place.
constexpr DWORD kProtecting =
    FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// Only these errors say that nothing is there; any other failure to look
// (a network hiccup, a sharing violation) leaves the file possibly there.
bool is_absent(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// The tails of a declined replacement's report line.
const char* const kDeclined = "  (not replaced: you chose to keep the existing file)";
const char* const kStoppedAt = "  (not replaced: you stopped the copy here)";
const char* const kNoFolder =
    "  (not copied: its folder could not be made in the destination)";

// A name for the new copy beside `to`, in the same folder, short enough
// for any folder that holds `to`.
std::wstring temporary_beside(const std::wstring& to, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    wchar_t name[48];
    swprintf(name, sizeof name / sizeof name[0], L"~veltra-%lx-%x-%x.tmp",
             ::GetCurrentProcessId(), counter.fetch_add(1), attempt);
    return to.substr(0, to.rfind(L'\\') + 1) + name;
}

// Replaces the file at `to` so that it is never lost: the new copy is
// written beside it under a temporary name and takes its place only when
// it is whole. A failed or stopped copy leaves the old file as it was and
// no temporary file behind. The new file keeps the source's attributes and
// time; a read-only, hidden or system old file is replaced as any other.
bool replace_whole(file_system& fs, const std::wstring& from, const std::wstring& to,
                   DWORD existing_attributes, DWORD* error) {
    std::wstring temporary;
    for (unsigned attempt = 0;; ++attempt) {
        temporary = temporary_beside(to, attempt);
        if (fs.copy_file(from.c_str(), temporary.c_str(), true))
            break;
        *error = fs.last_error();
        // A name taken by chance is tried again; nothing was written to it.
        if ((*error == ERROR_FILE_EXISTS || *error == ERROR_ALREADY_EXISTS) && attempt < 16)
            continue;
        fs.delete_file(temporary.c_str()); // whatever part of it was written
        return false;
    }
    // Windows refuses to rename over a read-only file.
    bool unprotected = false;
    if (existing_attributes != INVALID_FILE_ATTRIBUTES && (existing_attributes & kProtecting))
        unprotected = fs.set_file_attributes(to.c_str(), existing_attributes & ~kProtecting) != 0;
    if (fs.move_replacing(temporary.c_str(), to.c_str()))
        return true;
    *error = fs.last_error();
    if (unprotected)
        fs.set_file_attributes(to.c_str(), existing_attributes);
    fs.delete_file(temporary.c_str());
    return false;
}

// The size and last-write time the replace question shows of a file.
file_facts facts_of(file_system& fs, const std::wstring& path) {
    file_facts facts;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!fs.file_details(path.c_str(), &data))
        return facts;
    facts.known = true;
    facts.size = static_cast<double>(data.nFileSizeHigh) * 4294967296.0 + data.nFileSizeLow;
    facts.written = data.ftLastWriteTime;
    return facts;
}

// Asks the user through the job (which holds the "All" answers and the
// stop), or, with no job, through the channel alone.
bool may_replace(copy_job* job, MessageQueue* queue, HWND window, replace_question question) {
    if (job)
        return job->may_replace(std::move(question));
    return ask_replace(queue, window, std::move(question)) == replace_answer::replace;
}

} // namespace

bool file_copier::copy_file(std::string source_file, std::string destination_file,
                            bool overwrite_silently, MessageQueue* message_queue,
                            HWND notify_window, bool destination_unavailable, file_system* fs,
                            bool destination_known_absent, copy_job* job, bool* kept) {
    if (!fs)
        fs = &real_file_system();

    notify(message_queue, notify_window, WM_COPY_STATUS, "Status: copying file " + source_file);

    if (destination_unavailable) {
        notify(message_queue, notify_window, WM_COPY_NOT_COPIED, source_file + kNoFolder);
        return false;
    }
    std::wstring from = long_path(source_file);
    std::wstring to = long_path(destination_file);
    // One look at the destination serves every check below. It is skipped
    // where the caller knows the place is free (a folder this copy has just
    // created): for a name that is not there, Wine reads the whole folder,
    // which grows with every file copied into it.
    DWORD attributes = INVALID_FILE_ATTRIBUTES;
    bool existed = false;
    if (!destination_known_absent) {
        attributes = fs->file_attributes(to.c_str());
        existed = attributes != INVALID_FILE_ATTRIBUTES || !is_absent(fs->last_error());
    }
    // Copied there, the file would land inside that folder.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        notify(message_queue, notify_window, WM_COPY_NOT_COPIED, source_file + kFolderInTheWay);
        return false;
    }
    DWORD error = ERROR_SUCCESS;
    bool copied = false, declined = false;
    if (!existed) {
        // Nothing to lose: written in place, but never over a file. A copy
        // cut short (a disk that fills up) leaves a partly written file,
        // which is removed.
        copied = fs->copy_file(from.c_str(), to.c_str(), true);
        if (!copied) {
            error = fs->last_error();
            bool taken = error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
            // Something the caller did not know of is there (put there since
            // its listing, or reached by its short name): looked at now.
            if (taken && destination_known_absent)
                return copy_file(source_file, destination_file, overwrite_silently,
                                 message_queue, notify_window, false, fs, false, job, kept);
            if (!taken)
                fs->delete_file(to.c_str());
        }
    } else if (!overwrite_silently && leave_question) {
        question_left = true;
        return false;
    } else if (!overwrite_silently &&
               !may_replace(job, message_queue, notify_window,
                            {source_file, destination_file, facts_of(*fs, from),
                             facts_of(*fs, to)})) {
        declined = true;
    } else {
        copied = replace_whole(*fs, from, to, attributes, &error);
    }
    if (copied)
        return true;
    if (kept)
        *kept = declined;
    std::string why = !declined                             ? not_copied_because(error)
                      : job && job->is_stop_requested()     ? kStoppedAt
                                                            : kDeclined;
    // "Not found" may be either side: a source still there means that the
    // file's folder in the destination is missing.
    if (is_absent(error) && fs->file_attributes(from.c_str()) != INVALID_FILE_ATTRIBUTES)
        why = kNoFolder;
    notify(message_queue, notify_window, WM_COPY_NOT_COPIED, source_file + why);
    return false;
}
