#pragma once
// The full-disk cases: a source of about 6.5 MiB, in sizes that fill a
// 4 MiB file system unevenly (after a large file fails, smaller ones may
// still fit), and the small file system that the ctest fixture small_disk
// mounts (tests/support/small_disk.sh). Without the mount, the cases skip.

#include "EngineRun.h"

#include <map>
#include <string>

#ifndef SMALL_DISK_UNIX_PATH
#error "SMALL_DISK_UNIX_PATH must name the small file system's mount point"
#endif

struct SmallDiskCase : CopyFolders {
    std::string disk;                         // the small file system, ending in "\"
    std::map<std::string, std::string> files; // relative path -> content

    void SetUp() override;
    double SizeOf(const std::string& relative) const {
        return static_cast<double>(files.at(relative).size());
    }
    bool ArrivedWhole(const std::string& copy, const std::string& relative) const;
};
