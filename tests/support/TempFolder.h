#pragma once
// A fresh folder under the system's temporary folder (or under `root`, a
// Windows path ending in a backslash), removed with all its contents when
// the object goes.

#include <string>

class TempFolder {
public:
    TempFolder();
    explicit TempFolder(const std::string& root);
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder's Windows path, ending in a backslash.
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

// Writes `content` to `path`, creating the file; false on failure.
bool WriteFileBytes(const std::string& path, const std::string& content);
// The whole content of `path`, or nullopt-like empty + ok=false.
bool ReadFileBytes(const std::string& path, std::string& content);
bool FolderExists(const std::string& path);
bool FileExists(const std::string& path);
// Removes a folder tree (read-only files included); true when gone.
bool RemoveTree(const std::string& path);
