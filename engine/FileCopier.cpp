#include "FileCopier.h"

#include "AnsiText.h"
#include "CopyReasons.h"
#include "CopyChannel.h"
#include "CopyJob.h"
#include "FormatText.h"
#include "PathOps.h"
#include "ReplaceWhole.h"

#include <vector>

namespace {

const char* const kFolderInTheWay =
    "  (not copied: a folder of the same name is in its place in the destination)";

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

const char* const kShortNameAlias =
    "  (not copied: another file in the destination has this name as its short name)";

bool is_taken(DWORD error) {
    return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

// True when what answers to the path `to` is a file of another name, whose
// short 8.3 name is `to`'s name: replacing it would lose that file.
bool is_short_name_alias(file_system& fs, const std::wstring& to, const std::string& name) {
    find_entry entry;
    HANDLE find = fs.find_first_file(to.c_str(), &entry);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    fs.find_close(find);
    return !same_path_ignoring_case(entry.name, name);
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
                            const known_destination& known, copy_job* job, bool* kept) {
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
    // where the walk knows the place (a folder it has just made or listed):
    // for a name that is not there, Wine reads the whole folder, which grows
    // with every file copied into it.
    DWORD attributes = known.entry ? known.entry->dwFileAttributes : INVALID_FILE_ATTRIBUTES;
    bool existed = known.entry != nullptr;
    if (!known.known) {
        attributes = fs->file_attributes(to.c_str());
        existed = attributes != INVALID_FILE_ATTRIBUTES || !is_absent(fs->last_error());
    }
    // Copied there, the file would land inside that folder.
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        notify(message_queue, notify_window, WM_COPY_NOT_COPIED, source_file + kFolderInTheWay);
        return false;
    }
    std::string name = destination_file.substr(find_last_backslash(destination_file) + 1);
    DWORD error = ERROR_SUCCESS;
    bool copied = false, declined = false, alias = false;
    if (!existed) {
        // Nothing to lose: written in place, but never over a file. A copy
        // cut short (a disk that fills up) leaves a partly written file,
        // which is removed.
        copied = fs->copy_file(from.c_str(), to.c_str(), true);
        if (!copied) {
            error = fs->last_error();
            // Something the caller did not know of is there (put there since
            // its listing, or another file reached by its short name): looked
            // at now.
            if (is_taken(error) && known.known)
                return copy_file(source_file, destination_file, overwrite_silently,
                                 message_queue, notify_window, false, fs, {}, job, kept);
            alias = is_taken(error) && is_short_name_alias(*fs, to, name);
            if (!is_taken(error))
                discard_temporary(*fs, to);
        }
    } else if (!known.entry && is_short_name_alias(*fs, to, name)) {
        alias = true;
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
    std::string why = alias       ? kShortNameAlias
                      : !declined ? not_copied_because(error)
                      : job && job->is_stop_requested() ? kStoppedAt
                                                        : kDeclined;
    // "Not found" may be either side: a source still there means that the
    // file's folder in the destination is missing.
    if (is_absent(error) && fs->file_attributes(from.c_str()) != INVALID_FILE_ATTRIBUTES)
        why = kNoFolder;
    notify(message_queue, notify_window, WM_COPY_NOT_COPIED, source_file + why);
    return false;
}
