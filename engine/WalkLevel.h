#pragma once
// One level of a walk over the source tree, and the guards that decide
// which subfolders a walk enters: never the destination folder, never a
// folder whose name Windows' file functions cannot reach, never one whose
// place in the destination is a folder being walked, never a folder link
// that leads back into the walk. The copy (folder_copier) and the counting
// walk (source_count) are both made of levels, so that they enter exactly
// the same folders. Folders are told apart by their identity on their
// volume where they have one, so that a link or another spelling of a path
// gives nothing away.

#include "FileSystem.h"

#include <optional>
#include <string>

class walk_level {
public:
    // parent_level is the level whose walk created this one (null at the
    // top); it lets a subfolder be checked against the folders above.
    walk_level(file_system* fs, const walk_level* parent_level) : fs(fs), parent_level(parent_level) {}
    walk_level(const walk_level&) = delete;
    walk_level& operator=(const walk_level&) = delete;

    // True when the listed subfolder child_source is the destination folder
    // itself (by path, or by identity through a link or another spelling of
    // the source): it is never copied into itself.
    bool is_destination_folder(const find_entry& entry, const std::string& child_source,
                               const std::string& root_destination) const;
    // Why the subfolder child_source may not be walked: its destination is
    // the job's source folder, a folder being walked or the subfolder
    // itself (by path, or by identity where it exists). Null when it may.
    const char* place_in_source(const std::string& child_source,
                                const std::string& child_destination) const;
    // True when `entry` is a folder link that leads to this level's folder
    // or one above it: walked, it would be walked again and again until the
    // path grew too long.
    bool is_looping_link(const find_entry& entry, const std::string& child_source) const;
    // When the folder link link_folder leads to a folder inside the tree
    // being copied, which is copied at its own place: that folder's path as
    // the user knows it. Found without listing anything.
    std::optional<std::string> target_inside_tree(const find_entry& entry,
                                                  const std::string& link_folder) const;
    // A folder of the drive's own that a copy of a drive's root leaves out
    // (the volume's system folder, the recycle bin): the note saying so.
    const char* left_out_at_root(const find_entry& entry) const;
    // Every guard above, and the name's: true when a walk enters the listed
    // subfolder (whether its files can then be copied or not).
    bool enters_subfolder(const find_entry& entry, const std::string& child_source,
                          const std::string& child_destination,
                          const std::string& root_destination) const;

protected:
    file_system* fs;
    const walk_level* parent_level;
    std::string level_source; // the source folder this level is walking

private:
    // True when `identity` is that of the folder this level walks.
    bool is_level_folder(const folder_identity& identity) const;
    bool leads_into_walked_folder(const std::string& link_folder) const;

    mutable std::optional<folder_identity> level_identity;       // found when a link needs it
    mutable std::optional<folder_identity> destination_identity; // top level only
    // The destination's own name in its parent folder, links resolved
    // (empty for a drive's root); top level only, learnt with its identity.
    mutable std::optional<std::string> destination_name;
    mutable std::optional<std::string> final_source;             // top level only
};

// Why a listed name cannot be handed to Windows' file functions and the
// shell, as the end of its not-copied line, or null when it can.
const char* unusable_name(const std::string& name);
