#pragma once
// How far a copy is and how long it has left, without a window: the share
// of the source done and the estimate of the time left, from the copy's
// counters and the counting walk's totals, taken a few times a second.

#include "CopyStatistics.h"
#include "SourceCount.h"

#include <windows.h>

#include <deque>
#include <optional>
#include <string>

// A file costs as much time as this many bytes: a tree of small files is
// bound by its files, a tree of large ones by its bytes. (Under Wine one
// CopyFileExW of a small file takes about what 256 KiB of data take.)
constexpr double kBytesPerFileCost = 256.0 * 1024;

// The work a count of files and bytes stands for, in bytes.
double WorkOf(double files, double bytes);
// The work behind the copy's counters: every file dealt with, copied, not
// copied, left as it was (already up to date) or kept when asked, counts
// as done.
double WorkDone(const copy_statistics& done);

// The share done in percent, from 0 to 99: 100 is the end of the copy,
// which only the copy's end tells (folders still get their dates, and the
// source may have grown since it was counted).
int ShareDone(const copy_statistics& done, const source_totals& total);

// The caption while copying: "NN% - " before the dialog's own title.
std::string CaptionWithShare(const std::string& title, int share);
// " - about N minutes left" or " - about N seconds left".
std::string TimeLeftClause(int seconds);

class CopyProgress {
public:
    // How long the rate is measured over, and how long a copy runs before
    // anything is estimated.
    static constexpr DWORD kWindowMs = 20000;
    static constexpr DWORD kSteadyAfterMs = 4000;

    // One reading at `nowMs` (GetTickCount) of the counters and, once the
    // count is done, the totals.
    void Update(DWORD nowMs, const copy_statistics& done, const std::optional<source_totals>& total);

    // The share to show: never less than one shown before. Nothing until
    // the totals are known.
    std::optional<int> Share() const { return m_share; }
    // The time left to show, in seconds; nothing in the first seconds,
    // while the copy stands still, or before the totals are known.
    std::optional<int> SecondsLeft() const;

private:
    struct Sample {
        DWORD ms;
        double work;
    };
    void Estimate(DWORD nowMs, double workLeft);

    std::deque<Sample> m_samples; // the last kWindowMs, oldest first
    std::optional<int> m_share;
    // The estimate shown, and when: it counts down with the clock between
    // readings, goes lower when the copy runs faster and higher only when
    // the copy has become clearly slower, so that it does not flicker.
    std::optional<double> m_shownSeconds;
    DWORD m_shownAt = 0;
    DWORD m_lastMs = 0;
};
