#include "SmallDisk.h"

#include "FormatText.h"
#include "Trees.h"
#include "UnixBridge.h"

namespace {

// Bytes that differ from file to file and along each file, so that a file
// cut short or mixed up with another never compares equal.
std::string Pattern(unsigned seed, size_t size) {
    std::string bytes(size, '\0');
    unsigned state = seed * 2654435761u + 1;
    for (char& c : bytes) {
        state = state * 1103515245u + 12345u;
        c = static_cast<char>(state >> 16);
    }
    return bytes;
}

} // namespace

void SmallDiskCase::SetUp() {
    disk = WindowsPathOf(SMALL_DISK_UNIX_PATH) + "\\";
    ULARGE_INTEGER available{}, total{}, free{};
    if (!GetDiskFreeSpaceExA(disk.c_str(), &available, &total, &free) ||
        total.QuadPart > 64ull * 1048576) {
        std::string reason;
        if (!ReadFileBytes(WindowsPathOf(SMALL_DISK_UNIX_PATH ".reason"), reason))
            reason = "the fixture small_disk_mount did not run";
        GTEST_SKIP() << "no small file system is mounted at " << SMALL_DISK_UNIX_PATH
                     << " (mounting needs root with CAP_SYS_ADMIN): " << reason;
    }
    unsigned seed = 0;
    for (int i = 0; i < 3; ++i)
        files[FormatText("big%d.bin", i)] = Pattern(++seed, 1572864);
    for (int i = 0; i < 10; ++i)
        files[FormatText("small%02d.txt", i)] = Pattern(++seed, 10240 + i);
    for (int i = 0; i < 3; ++i)
        files[FormatText("sub\\mid%d.bin", i)] = Pattern(++seed, 614400);
    files["sub\\deeper\\tiny.txt"] = Pattern(++seed, 100);
    std::vector<TreeEntry> tree;
    for (const auto& [path, content] : files)
        tree.push_back({path, content});
    ASSERT_TRUE(MakeTree(source, tree));
}

bool SmallDiskCase::ArrivedWhole(const std::string& copy, const std::string& relative) const {
    std::string got;
    return ReadFileBytes(copy + relative, got) && got == files.at(relative);
}
