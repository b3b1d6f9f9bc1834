#pragma once
// The counters of one copy, written by its worker: what was copied, what
// was not, what was left as it was and what was kept, in files and in
// bytes. They travel to the dialog with each statistics line
// (CopyChannel.h) and are read whole at the end.

struct copy_statistics {
    int files_failed = 0;
    int files_copied = 0;
    double bytes_failed = 0; // whole bytes, exact up to 2^53
    double bytes_copied = 0;
    // Files left as they were because the destination already held them
    // ("Skip files already up to date"), and their bytes.
    int files_up_to_date = 0;
    double bytes_up_to_date = 0;
    // Existing files the user chose to keep when asked: not failures.
    int files_kept = 0;
    double bytes_kept = 0;
    bool operator==(const copy_statistics&) const = default;
};
