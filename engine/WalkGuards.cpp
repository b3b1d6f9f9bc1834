// The walk's guards: what keeps a walk from entering a folder twice, from
// copying the destination into itself or onto the source, and from taking
// a name Windows' file functions cannot reach; and the copy's own guard
// against merging two names that Windows cannot tell apart.
#include "FolderCopier.h"
#include "WalkLevel.h"

#include "AnsiText.h"
#include "CopyWindow.h"
#include "PathOps.h"

#include <cctype>

namespace {
const char* const kPlaceIsSource =
    "  (not copied: its place in the destination is the source folder itself)";
const char* const kPlaceIsWalked =
    "  (not copied: its place in the destination is a folder being copied)";
const char* const kUnwritableName = "  (not copied: the name holds characters that this system's "
                                    "code page or Windows file names cannot hold)";
const char* const kTrailingBlankOrDot =
    "  (not copied: Windows file functions cannot reach a name that ends in a blank or a dot)";

// A folder's path as the user writes it, every link and substituted drive
// resolved; nothing where the system cannot tell.
std::optional<std::string> final_folder(file_system* fs, const std::string& folder) {
    std::wstring found;
    if (!fs->final_path(long_path(folder).c_str(), &found))
        return std::nullopt;
    return plain_path(AnsiFromWide(found));
}
} // namespace

// '?' stands for a character the code page cannot write, and the shell
// would take it, or '*', as a wildcard; Windows drops a closing blank or dot
// from a path, which would then name another file.
const char* unusable_name(const std::string& name) {
    if (name.find_first_of("?*") != std::string::npos)
        return kUnwritableName;
    if (name.back() == ' ' || name.back() == '.')
        return kTrailingBlankOrDot;
    return nullptr;
}

bool walk_level::is_level_folder(const folder_identity& identity) const {
    if (!level_identity) {
        folder_identity own;
        if (!fs->identify_known_folder(long_path(level_source).c_str(), &own))
            return false;
        level_identity = own;
    }
    return *level_identity == identity;
}

std::optional<std::string> walk_level::target_inside_tree(const find_entry& entry,
                                                          const std::string& link_folder) const {
    // Only a link names another folder: a reparse point of another kind (a
    // cloud file's placeholder, a deduplicated folder) is a folder of its
    // own. Wine names no kind for its links.
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) ||
        (entry.reparse_tag != 0 && !IsReparseTagNameSurrogate(entry.reparse_tag)))
        return std::nullopt;
    // The tree's own folder as the system finds it, every link and
    // substituted drive resolved, learnt once at the top.
    const walk_level* top = this;
    while (top->parent_level)
        top = top->parent_level;
    if (!top->final_source) {
        top->final_source = final_folder(fs, top->level_source);
        if (!top->final_source)
            return std::nullopt;
        add_trailing_backslash(*top->final_source);
    }
    std::optional<std::string> target = final_folder(fs, link_folder);
    if (!target)
        return std::nullopt; // entering it will fail and be reported there
    add_trailing_backslash(*target);
    const std::string& tree = *top->final_source;
    if (target->size() < tree.size() ||
        !same_path_ignoring_case(target->substr(0, tree.size()), tree))
        return std::nullopt;
    return top->level_source + target->substr(tree.size());
}

const char* walk_level::left_out_at_root(const find_entry& entry) const {
    const std::string& root = level_source;
    bool drive_root = !parent_level && root.size() == 3 &&
                      isalpha(static_cast<unsigned char>(root[0])) && root[1] == ':' &&
                      root[2] == '\\';
    if (!drive_root || !(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return nullptr;
    if (same_path_ignoring_case(entry.name, "System Volume Information"))
        return "  (left out: the drive's own system folder)";
    if (same_path_ignoring_case(entry.name, "$RECYCLE.BIN"))
        return "  (left out: the drive's recycle bin)";
    return nullptr;
}

bool walk_level::leads_into_walked_folder(const std::string& link_folder) const {
    folder_identity target;
    if (!fs->identify_known_folder(long_path(link_folder).c_str(), &target))
        return false; // entering it will fail and be reported there
    for (const walk_level* level = this; level; level = level->parent_level)
        if (level->is_level_folder(target))
            return true;
    return false;
}

bool walk_level::is_looping_link(const find_entry& entry, const std::string& child_source) const {
    return (entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) &&
           leads_into_walked_folder(child_source);
}

const char* walk_level::place_in_source(const std::string& child_source,
                                        const std::string& child_destination) const {
    // A destination that does not exist yet can only match by its path.
    folder_identity place;
    bool place_known = fs->identify_known_folder(long_path(child_destination).c_str(), &place);
    for (const walk_level* level = this; level; level = level->parent_level) {
        if (same_path_ignoring_case(child_destination, level->level_source) ||
            (place_known && level->is_level_folder(place)))
            return level->parent_level ? kPlaceIsWalked : kPlaceIsSource;
    }
    folder_identity child;
    if (same_path_ignoring_case(child_destination, child_source) ||
        (place_known && fs->identify_known_folder(long_path(child_source).c_str(), &child) &&
         child == place))
        return kPlaceIsWalked;
    return nullptr;
}

bool folder_copier::name_claimed(const std::string& name) const {
    std::wstring wide = WideFromAnsi(name);
    // Whether it is claimed depends on whether that copy succeeds.
    if (window && names->in_flight.count(wide) != 0)
        window->drain();
    return names->copied.count(wide) != 0;
}

bool folder_copier::claim_name(const std::string& name) {
    return !name_claimed(name) && names->copied.insert(WideFromAnsi(name)).second;
}

bool walk_level::is_destination_folder(const find_entry& entry, const std::string& child_source,
                                       const std::string& root_destination) const {
    if (same_path_ignoring_case(root_destination, child_source))
        return true;
    // The destination reached through a folder link, or through another
    // spelling of the source (a substituted drive, a link above it), has
    // another path; its identity gives it away. The top level learns it
    // once the destination exists, with the name the destination has in
    // its parent folder; a volume that gives no identity (some network
    // redirectors) is not asked again for every folder.
    const walk_level* top = this;
    while (top->parent_level)
        top = top->parent_level;
    if (!top->destination_identity) {
        folder_identity identity;
        if (!fs->identify_folder(long_path(root_destination).c_str(), &identity))
            return false; // not made yet: asked again at the next folder
        top->destination_identity = identity;
        if (std::optional<std::string> place = final_folder(fs, root_destination)) {
            std::size_t cut = find_last_backslash(*place); // a drive's root ends in it
            top->destination_name = cut == std::string::npos ? "" : place->substr(cut + 1);
        }
    }
    // A folder that is not a link is the destination only under the
    // destination's own name: any other is told apart without opening it.
    // Under Wine a folder's identity costs a round trip to its mount
    // manager, which would slow every folder of a large tree.
    if (!top->destination_identity->known() ||
        (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) && top->destination_name &&
         !same_path_ignoring_case(entry.name, *top->destination_name)))
        return false;
    folder_identity identity;
    return fs->identify_known_folder(long_path(child_source).c_str(), &identity) &&
           identity == *top->destination_identity;
}

bool walk_level::enters_subfolder(const find_entry& entry, const std::string& child_source,
                                  const std::string& child_destination,
                                  const std::string& root_destination) const {
    return !is_destination_folder(entry, child_source, root_destination) &&
           !unusable_name(entry.name) && !left_out_at_root(entry) &&
           !target_inside_tree(entry, child_source) &&
           !place_in_source(child_source, child_destination) &&
           !is_looping_link(entry, child_source);
}
