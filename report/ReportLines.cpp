#include "ReportLines.h"

#include "CopyJob.h"

#include "FormatText.h"

const char kSummaryRule[] = "- Summary --------------------------------------------------";

namespace {
constexpr double kBytesPerMegabyte = 1048576.0;

// The summary itself, counting files copied and failed. Files left alone
// as up to date are whole in the destination, and files kept by the user's
// answer are there as the user wants them: both count in the total and in
// the source's size that a failed share is taken of.
std::vector<std::string> CopySummaryLines(const copy_statistics& stats, bool incomplete) {
    int filesSeen =
        stats.files_failed + stats.files_copied + stats.files_up_to_date + stats.files_kept;
    double megabytesCopied = stats.bytes_copied / kBytesPerMegabyte;
    std::string incompleteLine =
        FormatText("The copy is incomplete: some folders could not be read or the copy "
                   "was stopped.  %d files, totalling %.2fMb, were copied.",
                   stats.files_copied, megabytesCopied);
    if (stats.files_failed != 0 && incomplete) {
        // What was not seen was not counted: no share of the source can be
        // claimed, and the incomplete line says why.
        return {FormatText("Veltra was unable to copy %d (of %d) files, totalling %.2fMb",
                           stats.files_failed, filesSeen,
                           stats.bytes_failed / kBytesPerMegabyte),
                incompleteLine};
    }
    if (stats.files_failed != 0) {
        double total =
            stats.bytes_failed + stats.bytes_copied + stats.bytes_up_to_date + stats.bytes_kept;
        // Every failed file may have been empty: 0 of 0 bytes is 0 percent.
        double percent = total > 0 ? stats.bytes_failed / total * 100 : 0.0;
        return {FormatText("Veltra was unable to copy %d (of %d) files, totalling %.2fMb "
                           "(%.2f%% of the original source folder)",
                           stats.files_failed, filesSeen, stats.bytes_failed / kBytesPerMegabyte,
                           percent)};
    }
    if (incomplete)
        return {incompleteLine};
    return {FormatText("All files copied successfully.  %d files, totalling %.2fMb.",
                       stats.files_copied, megabytesCopied)};
}

} // namespace

std::vector<std::string> FormatSummaryLines(const copy_statistics& stats, bool incomplete) {
    std::vector<std::string> lines = CopySummaryLines(stats, incomplete);
    if (stats.files_up_to_date != 0)
        lines.push_back(FormatText("%d files already up to date were left as they were, "
                                   "totalling %.2fMb.",
                                   stats.files_up_to_date,
                                   stats.bytes_up_to_date / kBytesPerMegabyte));
    // Kept by the user's own answer: counted apart, never as a failure.
    if (stats.files_kept != 0)
        lines.push_back(FormatText("%d files were kept as you chose, totalling %.2fMb.",
                                   stats.files_kept, stats.bytes_kept / kBytesPerMegabyte));
    return lines;
}
