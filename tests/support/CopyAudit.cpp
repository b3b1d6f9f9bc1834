#include "CopyAudit.h"

#include "WideTree.h"

#include <map>
#include <set>

namespace {

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

// A not-copied text about a whole folder: the folder's path, then one of the
// explanations the walk gives when it does not copy a folder's contents.
bool CoversFolder(const std::string& text, const std::string& folder) {
    if (!StartsWith(text, folder))
        return false;
    std::string rest = text.substr(folder.size());
    return StartsWith(rest, "  (") || StartsWith(rest, "Unable to access the folder.") ||
           StartsWith(rest, "This folder link leads back");
}

std::string Show(const Notification& n) {
    return std::string(NotificationName(n.message)) + " [" + n.text + "]";
}

struct Coverage {
    const std::vector<Notification>& notices;
    std::multiset<std::string> unused_lines; // not-copied texts of single entries

    explicit Coverage(const std::vector<Notification>& all) : notices(all) {
        for (const Notification& n : notices)
            if (n.message == WM_COPY_NOT_COPIED)
                unused_lines.insert(n.text);
    }

    // The notice that covers `path` (the ANSI path of a file, or of a folder
    // with its closing backslash); `ancestors` are its folders' paths.
    std::string Find(const std::string& path, bool folder,
                     const std::vector<std::string>& ancestors, bool* whole_folder) {
        *whole_folder = false;
        // Its own line: the path alone or followed by an explanation. Two
        // entries may show the same ANSI path, so each line covers only one.
        for (auto it = unused_lines.lower_bound(path); it != unused_lines.end(); ++it) {
            if (!StartsWith(*it, path))
                break;
            std::string rest = it->substr(path.size());
            if (rest.empty() || StartsWith(rest, "  (") || (folder && CoversFolder(*it, path))) {
                std::string shown = "NOT_COPIED [" + *it + "]";
                unused_lines.erase(it);
                return shown;
            }
        }
        // A line or an alert about a folder above it (or itself).
        std::vector<std::string> folders = ancestors;
        if (folder)
            folders.push_back(path);
        *whole_folder = true;
        for (const std::string& above : folders)
            for (const Notification& n : notices) {
                if (n.message == WM_COPY_NOT_COPIED && CoversFolder(n.text, above))
                    return Show(n);
                if (n.message == WM_COPY_ERROR &&
                    n.text.find("(" + above + ")(") != std::string::npos)
                    return Show(n);
            }
        return "";
    }
};

bool SameTime(const FILETIME& a, const FILETIME& b) {
    return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

} // namespace

CopyAudit AuditCopy(const std::string& source, const std::string& destination,
                    const std::vector<Notification>& notices) {
    CopyAudit audit;
    std::wstring wideSource = Widen(source), wideDestination = Widen(destination);
    std::vector<WideEntry> sourceTree = ListWideTree(wideSource);
    std::map<std::wstring, WideEntry> copy;
    for (const WideEntry& e : ListWideTree(wideDestination))
        copy[e.relative] = e;
    std::set<std::wstring> sourceNames;
    Coverage coverage(notices);
    // Entries under a folder already found lost or covered as a whole are
    // covered by that folder's notice.
    for (const WideEntry& e : sourceTree) {
        sourceNames.insert(e.relative);
        (e.folder ? audit.source_folders : audit.source_files) += 1;
        auto there = copy.find(e.relative);
        bool equal = false;
        if (there != copy.end() && there->second.folder == e.folder) {
            if (e.folder) {
                equal = !e.looping;
            } else {
                std::string a, b;
                bool read = ReadWideFile(wideSource + e.relative, a) &&
                            ReadWideFile(wideDestination + e.relative, b);
                equal = read && a == b && SameTime(e.written, there->second.written);
                if (read && a != b)
                    audit.bytes_mismatch += 1;
                if (equal)
                    audit.equal_files += 1;
            }
        }
        if (equal)
            continue;
        std::vector<std::string> ancestors;
        for (size_t at = e.relative.find(L'\\'); at != std::wstring::npos;
             at = e.relative.find(L'\\', at + 1))
            ancestors.push_back(source + Narrow(e.relative.substr(0, at + 1)));
        std::string path = source + Narrow(e.relative) + (e.folder ? "\\" : "");
        bool whole_folder = false;
        std::string notice = coverage.Find(path, e.folder, ancestors, &whole_folder);
        if (!notice.empty() && whole_folder && !e.folder)
            audit.files_under_folder_notices += 1;
        std::string what = Utf8(e.relative) + (e.folder ? "\\" : "") +
                           (there != copy.end() ? " (differs in the copy)" : "");
        if (notice.empty())
            audit.lost.push_back(what);
        else
            audit.covered.push_back(what + "  <-  " + notice);
    }
    for (const auto& [relative, e] : copy)
        if (!sourceNames.count(relative))
            audit.extra.push_back(Utf8(relative));
    return audit;
}

std::string CopyAudit::Describe(size_t limit) const {
    std::string text = "source: " + std::to_string(source_files) + " files, " +
                       std::to_string(source_folders) +
                       " folders; equal in the copy: " + std::to_string(equal_files) +
                       " files; different bytes: " + std::to_string(bytes_mismatch) + "\n";
    auto list = [&](const char* title, const std::vector<std::string>& lines) {
        text += std::string(title) + ": " + std::to_string(lines.size()) + "\n";
        for (size_t i = 0; i < lines.size() && i < limit; ++i)
            text += "  " + lines[i] + "\n";
    };
    list("not copied, and reported", covered);
    list("LOST (neither copied nor reported)", lost);
    list("EXTRA in the copy", extra);
    return text;
}
