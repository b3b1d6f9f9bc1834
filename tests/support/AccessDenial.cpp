#include "AccessDenial.h"

#include "Trees.h"
#include "UnixBridge.h"

const char kAccessDenied[] = "Unable to access the folder. It's contents was not copied.";

Denial::~Denial() {
    for (const auto& [path, mode] : m_restore)
        RunUnix("chmod " + mode + " '" + UnixPathOf(path) + "'");
}

bool Denial::Set(const std::string& path, const std::string& mode, const std::string& restore) {
    m_restore.push_back({path, restore});
    return RunUnix("chmod " + mode + " '" + UnixPathOf(path) + "'");
}

bool CanRead(const std::string& file) {
    std::string content;
    return ReadFileBytes(file, content);
}

bool CanWriteInto(const std::string& folder) {
    std::string probe = folder + "probe.tmp";
    if (!WriteFileBytes(probe, "x"))
        return false;
    DeleteFileA(probe.c_str());
    return true;
}

void DeniedCase::MakeSourceWithDeniedItems() {
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "alpha"},
                                  {"locked\\inside.txt", "never seen"},
                                  {"locked\\deeper\\x.txt", "never seen either"},
                                  {"secret.txt", "twelve bytes"},
                                  {"z\\z.txt", "zulu"}}));
    ASSERT_TRUE(denial.Set(source + "secret.txt", "000", "644"));
    ASSERT_TRUE(denial.Set(source + "locked", "000", "755"));
    if (CanRead(source + "secret.txt"))
        GTEST_SKIP() << "access is not denied to this user (root?): run through run_as_user.sh";
}
