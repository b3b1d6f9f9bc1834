#pragma once
// The recursive folder walk: one folder_copier per folder level copies that
// folder's files and walks each subfolder with a new instance, depth first,
// on the job's worker thread. Paths are kept as the user knows them; every
// call to Windows takes their long form (long_path), so a tree may be as
// deep as Windows allows.

#include "CopyJob.h"
#include "DestinationListing.h"
#include "FileSystem.h"
#include "Handle.h"
#include "PathOps.h"
#include "WalkLevel.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <set>
#include <string>

class MessageQueue;
class copy_window;

// The names copied into one destination folder, compared as the file
// system compares them, and those whose copy is still in flight. Shared
// by a level and its copies' outcomes, which may be applied after the
// level's walk is over.
struct level_names {
    std::set<std::wstring, names_ordered_ignoring_case> copied;
    std::set<std::wstring, names_ordered_ignoring_case> in_flight;
};

class folder_copier : public walk_level {
public:
    // Thrown (value 0) to abandon a listing when a stop was requested, and
    // caught at the same level.
    enum copy_exceptions { stop_copy = 0 };

    // parent_level is the level whose walk created this one (null at the
    // top); it lets a folder link be checked against the folders above.
    folder_copier(bool overwrite_silently, copy_job* job, MessageQueue* message_queue,
                  HWND notify_window, const folder_copier* parent_level = nullptr);
    virtual ~folder_copier() = default;
    folder_copier(const folder_copier&) = delete;
    folder_copier& operator=(const folder_copier&) = delete;

    // Copies source_folder's contents into destination_folder (both fully
    // qualified, ending in a backslash) and walks every subfolder.
    void copy_folder(std::string source_folder, std::string destination_folder,
                     copy_statistics* statistics, std::string root_destination,
                     bool destination_unavailable, bool top_level);

    // Makes sure the folder `path` (ending in a backslash) exists, creating
    // every missing level from the top down. A drive root and the server
    // level of a network path are taken for granted. `created` says whether
    // this call made `path` itself.
    bool create_folder(const std::string& path, bool* created = nullptr);

private:
    // A notice in its turn: through the window of copies in flight, after
    // every copy before it; an alert once those are all done.
    void send(UINT message, std::string text);
    // Runs `step` after every copy before it (at once without a window);
    // `after_stop` keeps it when a stop drops what follows the stop point.
    void in_turn(std::function<void()> step, bool after_stop = false);
    // Whether a listing that could not be opened belongs to a folder that
    // is there (a listing failure) rather than one that cannot be reached.
    bool is_listable_failure(const std::wstring& folder, DWORD error) const;
    void copy_entry(const find_entry& entry, const std::string& source_folder,
                    const std::string& destination_folder, copy_statistics* statistics,
                    const std::string& root_destination, bool destination_unavailable,
                    bool destination_ready);
    // Hands the file `entry` of this level to the window of copies in
    // flight, or copies it here when it may need the user's answer.
    void copy_file_entry(const find_entry& entry, const std::string& source_file,
                         const std::string& destination_file, copy_statistics* statistics,
                         bool destination_unavailable);
    // Counts a file that was not copied, in its turn.
    void count_failed(const find_entry& entry, copy_statistics* statistics);
    // Gives a walked subfolder's destination the source folder's attributes
    // and last-write time once its files are done, or reports why it could
    // not take them.
    void restore_folder(const find_entry& entry, const std::string& child_source,
                        const std::string& child_destination, bool created);
    // True when `path` (a long path) is a folder, after CreateDirectoryW
    // failed on it: some volumes answer access denied for a folder that
    // exists (a share's or a volume's root, some network file systems).
    bool folder_exists(const std::wstring& path) const;
    // Names of files and folders this level has copied into its destination
    // folder, so that a name differing only in letter case is not copied
    // onto one of them. A name whose copy is in flight waits for its outcome.
    bool name_claimed(const std::string& name) const;
    bool claim_name(const std::string& name); // false when claimed before
    void mark_incomplete();
    // With "Skip files already up to date": leaves the file alone when the
    // destination already holds it (giving it the source's attributes where
    // only they differ), counts it and says so. False when it must be copied.
    bool leave_up_to_date(const find_entry& entry, const std::string& destination_file,
                          copy_statistics* statistics);

    copy_job* job;
    copy_window* window; // the job's; null: each file copied in its turn, here
    FindHandle find_handle; // the level's listing, open from its first entry to its close
    HWND notify_window;
    bool overwrite_silently;
    MessageQueue* message_queue;

    // This copy created the level's destination folder: nothing but what
    // the level itself copies can be in it.
    bool destination_created = false;
    // The level's destination folder exists (created or found): it can take
    // the source folder's attributes once the level is done.
    bool destination_made = false;
    // What the level's destination folder held when the walk entered it,
    // read once where the folder was there before this copy.
    destination_listing destination_entries;
    std::shared_ptr<level_names> names = std::make_shared<level_names>();
};
