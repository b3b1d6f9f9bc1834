// What a level hands to the window of copies in flight: its files' copies,
// their counts and statistics lines, and its subfolders' attributes and
// times, each applied on the walk thread in walk order. A copy made on a
// copy thread gathers its notices in a queue of its own, passed on to the
// dialog when its outcome is applied.
#include "FolderCopier.h"

#include "AnsiText.h"
#include "CopyChannel.h"
#include "CopyReasons.h"
#include "CopyWindow.h"
#include "FileCopier.h"

#include <cstdint>
#include <optional>

namespace {

double size_of(const find_entry& entry) {
    return static_cast<double>(entry.nFileSizeHigh) * 4294967296.0 +
           static_cast<double>(entry.nFileSizeLow);
}

// What one file's copy came to, filled in by whichever thread copied it.
struct file_outcome {
    MessageQueue news; // without a window: kept until the outcome is applied
    bool copied = false;
    bool kept = false;
    bool question_left = false;
};

void count_file(copy_statistics* statistics, bool copied, bool kept, double size,
                MessageQueue* queue) {
    if (copied) {
        statistics->files_copied += 1;
        statistics->bytes_copied += size;
    } else if (kept) {
        statistics->files_kept += 1;
        statistics->bytes_kept += size;
    } else {
        statistics->files_failed += 1;
        statistics->bytes_failed += size;
    }
    notify_statistics(queue, statistics_line(*statistics), *statistics);
}

} // namespace

void folder_copier::in_turn(std::function<void()> step, bool after_stop) {
    if (window)
        window->add_step(std::move(step), after_stop);
    else
        step();
}

void folder_copier::count_failed(const find_entry& entry, copy_statistics* statistics) {
    MessageQueue* queue = message_queue;
    double size = size_of(entry);
    in_turn([=] { count_file(statistics, false, false, size, queue); });
}

void folder_copier::copy_file_entry(const find_entry& entry, const std::string& source_file,
                                    const std::string& destination_file,
                                    copy_statistics* statistics, bool destination_unavailable) {
    const std::string& name = entry.name;
    if (!destination_unavailable && leave_up_to_date(entry, destination_file, statistics)) {
        claim_name(name);
        return;
    }
    // What the level knows is in the file's place, kept with the copy: the
    // level may be gone by the time a copy thread takes it.
    bool listed = destination_created || destination_entries.is_read();
    std::optional<find_entry> there;
    if (const find_entry* found = destination_entries.find(name))
        there = *found;
    bool known_absent = listed && !there;
    MessageQueue* queue = message_queue;
    HWND to = notify_window;
    double size = size_of(entry);
    std::wstring wide = WideFromAnsi(name);
    bool silently = overwrite_silently;
    file_system* system = fs;
    copy_job* asking = job;
    copy_window* turns = window;
    // The copy in its turn on the walk thread, where the user may be asked.
    auto copy_here = [=] {
        bool kept = false;
        known_destination known{listed, there ? &*there : nullptr};
        bool copied = file_copier().copy_file(source_file, destination_file, silently, queue, to,
                                              destination_unavailable, system, known, asking,
                                              &kept);
        count_file(statistics, copied, kept, size, queue);
        return copied;
    };
    // A file that is or may be there when the user asked to be asked is
    // copied here, after every copy before it: questions come one at a
    // time, in walk order, and nothing new starts while one is up.
    if (!window || (!overwrite_silently && !known_absent && !destination_unavailable)) {
        if (window)
            window->drain();
        if (copy_here())
            names->copied.insert(wide);
        return;
    }
    auto outcome = std::make_shared<file_outcome>();
    auto copy = [=] {
        file_copier copier;
        copier.leave_question = true;
        known_destination known{listed, there ? &*there : nullptr};
        outcome->copied =
            copier.copy_file(source_file, destination_file, silently, &outcome->news, nullptr,
                             destination_unavailable, system, known, nullptr, &outcome->kept);
        outcome->question_left = copier.question_left;
    };
    std::shared_ptr<level_names> level = names;
    auto apply = [=] {
        level->in_flight.erase(wide);
        bool copied = outcome->copied;
        if (outcome->question_left) {
            // Something appeared in its place since the listing: asked now.
            turns->hold_starts(true);
            copied = copy_here();
            turns->hold_starts(false);
        } else {
            pass_on(outcome->news.take_news(), queue, to);
            count_file(statistics, copied, outcome->kept, size, queue);
        }
        if (copied)
            level->copied.insert(wide);
    };
    names->in_flight.insert(wide);
    window->add_copy(static_cast<std::uint64_t>(size), std::move(copy), std::move(apply));
}

bool folder_copier::leave_up_to_date(const find_entry& entry, const std::string& destination_file,
                                     copy_statistics* statistics) {
    if (!job || !job->is_skipping_up_to_date())
        return false;
    const find_entry* there = destination_entries.find(entry.name);
    if (!there || !is_up_to_date(entry, *there))
        return false;
    if (DWORD differ = attributes_to_take(entry, *there)) {
        // No data is written: the file only takes the source's attributes.
        // Where it cannot, it is copied as any other file.
        DWORD attributes = there->dwFileAttributes ^ differ;
        attributes &= FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                      FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
        if (!fs->set_file_attributes(long_path(destination_file).c_str(),
                                     attributes ? attributes : FILE_ATTRIBUTE_NORMAL))
            return false;
    }
    MessageQueue* queue = message_queue;
    double size = size_of(entry);
    in_turn([=] {
        statistics->files_up_to_date += 1;
        statistics->bytes_up_to_date += size;
        notify_statistics(queue, statistics_line(*statistics), *statistics);
    });
    return true;
}

void folder_copier::restore_folder(const find_entry& entry, const std::string& child_source,
                                   const std::string& child_destination, bool created) {
    // After its contents: every file written into a folder changes its time.
    // Only the attributes a person sets; never the folder or link bits.
    constexpr DWORD kKept = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                            FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
    DWORD kept = entry.dwFileAttributes & kKept;
    FILETIME written = entry.ftLastWriteTime;
    file_system* system = fs;
    MessageQueue* queue = message_queue;
    HWND to = notify_window;
    // Kept past a stop: a folder whose files were copied takes its time.
    in_turn([=] {
        std::wstring path = long_path(child_destination);
        // A file that stood in the folder's place keeps what it had.
        if (!created) {
            DWORD there = system->file_attributes(path.c_str());
            if (there == INVALID_FILE_ATTRIBUTES || !(there & FILE_ATTRIBUTE_DIRECTORY))
                return;
        }
        if (system->set_folder_details(path.c_str(), written,
                                       kept ? kept : FILE_ATTRIBUTE_NORMAL))
            return;
        // Its files arrived: one line says what the folder itself lacks.
        DWORD error = system->last_error();
        notify(queue, to, WM_COPY_FOLDER, child_source);
        notify(queue, to, WM_COPY_NOT_COPIED, child_source +
                                                   "  (its attributes and date could not be set: " +
                                                   copy_failure_reason(error) + ")");
    }, true);
}
