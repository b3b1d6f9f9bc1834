// How far the running copy is, where a person looks: the share done in the
// caption ("NN% - Veltra (1.0b)") and on the taskbar button, and the time
// left after the statistics line. At the end the caption and the statistics
// line are as if none of this had been shown.
#include "VeltraDlg.h"

#include "CopyJob.h"

void CVeltraDlg::StartProgress() {
    m_progress = CopyProgress{};
    m_copyCounters = copy_statistics{};
    m_statisticsLine.clear();
    m_timeLeftClause.clear();
    m_shownShare.reset();
    m_bNotAllCopied = false;
    m_pTaskbar->ShowProgress(std::nullopt, false); // counting
}

// On the report timer, a few times a second, and after the copy's news.
void CVeltraDlg::ShowProgress() {
    m_progress.Update(GetTickCount(), m_copyCounters, m_pJob->source_size());
    bool failed = m_bNotAllCopied || m_copyCounters.files_failed > 0;
    std::optional<int> share = m_progress.Share();
    if (share != m_shownShare) {
        m_shownShare = share;
        SetWindowText(CaptionWithShare(m_title, *share));
    }
    m_pTaskbar->ShowProgress(share, failed);

    std::optional<int> seconds = m_progress.SecondsLeft();
    std::string clause = seconds ? TimeLeftClause(*seconds) : std::string();
    if (clause != m_timeLeftClause && !m_statisticsLine.empty()) {
        m_timeLeftClause = clause;
        m_pendingStatistics = m_statisticsLine + clause;
    }
}

void CVeltraDlg::EndProgress() {
    // The newest statistics text as the engine wrote it, without the clause.
    if (!m_statisticsLine.empty())
        m_pendingStatistics = m_statisticsLine;
    m_timeLeftClause.clear();
    if (m_shownShare)
        SetWindowText(m_title);
    m_shownShare.reset();
    // The person is elsewhere when neither the dialog nor a window it owns
    // is in front: the button calls them back.
    HWND front = GetForegroundWindow();
    bool away = !front || GetAncestor(front, GA_ROOTOWNER) != m_hWnd;
    m_pTaskbar->EndProgress(away);
}
