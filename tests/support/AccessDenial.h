#pragma once
// The cases that deny access: Unix permissions taken away for one test and
// given back afterwards. Access can be denied only to an unprivileged user,
// so these cases run as one (tests/support/run_as_user.sh); as root they skip.

#include "EngineRun.h"

#include <string>
#include <utility>
#include <vector>

// The walk's not-copied text for a folder it may not enter or list, after
// the folder's path.
extern const char kAccessDenied[];

// Sets Unix permissions for one test and puts them back when it goes, so
// that the temporary folders can be removed.
class Denial {
public:
    ~Denial();
    // Sets the mode of `path` (e.g. "000"); `restore` is the mode put back.
    bool Set(const std::string& path, const std::string& mode, const std::string& restore);

private:
    std::vector<std::pair<std::string, std::string>> m_restore;
};

bool CanRead(const std::string& file);
bool CanWriteInto(const std::string& folder);

struct DeniedCase : CopyFolders {
    Denial denial;

    // A source with a folder and a file this user may not read, between
    // entries it may; skips the test when access is not denied.
    void MakeSourceWithDeniedItems();
};
