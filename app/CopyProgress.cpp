#include "CopyProgress.h"

#include "FormatText.h"

#include <algorithm>
#include <cmath>

namespace {
// Below this many seconds the estimate is told in seconds, in steps of five.
constexpr double kSecondsShownUpTo = 90;
// An estimate that rises by more than this share of the one shown (and ten
// seconds) replaces it: the copy has become slower.
constexpr double kRiseAllowed = 0.25;
// Longer than this is no estimate worth showing.
constexpr double kLongestEstimate = 99 * 3600.0;
} // namespace

double WorkOf(double files, double bytes) { return files * kBytesPerFileCost + bytes; }

double WorkDone(const copy_statistics& done) {
    return WorkOf(static_cast<double>(done.files_copied) + done.files_failed +
                      done.files_up_to_date + done.files_kept,
                  done.bytes_copied + done.bytes_failed + done.bytes_up_to_date + done.bytes_kept);
}

int ShareDone(const copy_statistics& done, const source_totals& total) {
    double all = WorkOf(static_cast<double>(total.files), total.bytes);
    if (all <= 0)
        return 99; // nothing to copy: the end is near
    double share = std::floor(100 * WorkDone(done) / all);
    return static_cast<int>(std::clamp(share, 0.0, 99.0));
}

std::string CaptionWithShare(const std::string& title, int share) {
    return FormatText("%d%% - %s", share, title.c_str());
}

std::string TimeLeftClause(int seconds) {
    if (seconds < kSecondsShownUpTo) {
        int steps = std::max(1, (seconds + 4) / 5);
        return FormatText(" - about %d seconds left", steps * 5);
    }
    return FormatText(" - about %d minutes left", (seconds + 30) / 60);
}

void CopyProgress::Update(DWORD nowMs, const copy_statistics& done,
                          const std::optional<source_totals>& total) {
    m_lastMs = nowMs;
    double work = WorkDone(done);
    m_samples.push_back({nowMs, work});
    // The oldest reading kept is the newest one of at least kWindowMs ago.
    while (m_samples.size() > 2 && nowMs - m_samples[1].ms >= kWindowMs)
        m_samples.pop_front();
    if (!total)
        return;
    int share = ShareDone(done, *total);
    m_share = std::max(m_share.value_or(0), share);
    double left = WorkOf(static_cast<double>(total->files), total->bytes) - work;
    Estimate(nowMs, std::max(left, 0.0));
}

void CopyProgress::Estimate(DWORD nowMs, double workLeft) {
    const Sample& oldest = m_samples.front();
    const Sample& newest = m_samples.back();
    DWORD span = newest.ms - oldest.ms;
    double moved = newest.work - oldest.work;
    if (span < kSteadyAfterMs || moved <= 0) {
        // Too soon to tell, or nothing has moved for the whole window.
        if (span >= kSteadyAfterMs)
            m_shownSeconds.reset();
        return;
    }
    double seconds = workLeft / (moved / (span / 1000.0));
    if (seconds > kLongestEstimate) {
        m_shownSeconds.reset();
        return;
    }
    if (m_shownSeconds) {
        double counted = *m_shownSeconds - (nowMs - m_shownAt) / 1000.0;
        if (seconds >= counted && seconds <= counted * (1 + kRiseAllowed) + 10)
            return; // the shown estimate still holds; it counts down
    }
    m_shownSeconds = seconds;
    m_shownAt = nowMs;
}

std::optional<int> CopyProgress::SecondsLeft() const {
    if (!m_shownSeconds)
        return std::nullopt;
    double counted = *m_shownSeconds - (m_lastMs - m_shownAt) / 1000.0;
    return static_cast<int>(std::ceil(std::max(counted, 0.0)));
}
