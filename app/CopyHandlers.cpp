// The worker's notifications: status and statistics lines, alerts, the
// report panel's headings and items, and the completion summary.
#include "VeltraDlg.h"

#include "CopyJob.h"
#include "MessageBox.h"
#include "ReportLines.h"

void CVeltraDlg::AppendReportLine(std::string line) {
    m_pendingReport += line;
    m_pendingReport += "\r\n";
    // While a copy runs, lines are gathered and written a few times a
    // second: each write of the panel redraws its scroll bars, which under
    // Wine costs milliseconds, so one write per line would slow a copy with
    // many failures to a crawl. Otherwise every line shows at once.
    if (!m_bCopyInProgress || GetTickCount() - m_lastReportFlush >= kReportFlushMs)
        FlushReport();
}

void CVeltraDlg::FlushReport() {
    m_lastReportFlush = GetTickCount();
    if (m_pendingReport.empty())
        return;
    // Appended at the end instead of rewriting the whole text, so that a
    // long report costs the same per line at its end as at its start. The
    // caret ends at the end and the panel scrolls there.
    int end = GetWindowTextLengthA(m_reportEdit.m_hWnd);
    m_reportEdit.SetSel(end, end);
    m_reportEdit.ReplaceSel(m_pendingReport);
    m_pendingReport.clear();
    end = GetWindowTextLengthA(m_reportEdit.m_hWnd);
    m_reportEdit.SetSel(end, end);
    m_reportEdit.ScrollCaret();
}

void CVeltraDlg::OnTimer() {
    if (IsCopyRunning())
        TakeCopyNews();
    FlushReport();
    ShowCopyLines();
}

void CVeltraDlg::ShowCopyLines() {
    m_lastCopyLinesShown = GetTickCount();
    if (m_pendingStatus) {
        m_statusText.SetWindowText(*m_pendingStatus);
        m_pendingStatus.reset();
    }
    if (m_pendingStatistics) {
        m_statisticsText.SetWindowText(*m_pendingStatistics);
        m_pendingStatistics.reset();
    }
}

// Any window that holds the user (an alert, a message box, the shell's
// overwrite question) first disables the dialog it belongs to: the lines
// then show the file and the counts it is about.
LRESULT CVeltraDlg::OnEnable(WPARAM enabled, LPARAM) {
    if (!enabled) {
        if (IsCopyRunning())
            TakeCopyNews(); // the worker may be the one opening that window
        ShowCopyLines();
    }
    return Default();
}

// The worker's news arrives without the worker waiting (CopyChannel.h):
// queued folder and not-copied notices, and the newest status and
// statistics texts. It is taken on each WM_COPY_NEWS, on the report timer,
// and before every synchronous notification, so that an alert, a question
// or the summary comes after every line that came before it.
LRESULT CVeltraDlg::OnCopyNews(WPARAM, LPARAM) {
    if (IsCopyRunning())
        TakeCopyNews();
    return 0;
}

void CVeltraDlg::TakeCopyNews() {
    CopyNews news = m_queue.take_news();
    for (const CopyNotice& notice : news.notices) {
        if (notice.message == WM_COPY_FOLDER)
            OnCopyFolder(notice.text);
        else
            OnCopyNotCopied(notice.text);
    }
    if (news.status)
        OnCopyStatus(std::move(*news.status));
    if (news.statistics)
        OnCopyStatistics(std::move(*news.statistics));
}

// The status and statistics lines change with every file, many times more
// often than anyone can read them, and under Wine each new text of a shown
// line costs a repaint. The newest texts are kept and written a few times a
// second; the last ones show at once when the copy ends and whenever a
// window opens over the dialog (OnEnable).
void CVeltraDlg::OnCopyStatus(std::string text) {
    if (m_bClosing || m_bStopPending)
        return; // the status line says that the copy is ending
    m_pendingStatus = std::move(text);
    if (GetTickCount() - m_lastCopyLinesShown >= kReportFlushMs)
        ShowCopyLines();
}

void CVeltraDlg::OnCopyStatistics(std::string text) {
    m_pendingStatistics = std::move(text);
    if (GetTickCount() - m_lastCopyLinesShown >= kReportFlushMs)
        ShowCopyLines();
}

void CVeltraDlg::OnCopyFolder(const std::string& folder) { m_reportGrouping.EnterFolder(folder); }

void CVeltraDlg::OnCopyNotCopied(const std::string& text) {
    for (const std::string& line : m_reportGrouping.NotCopied(text))
        AppendReportLine(line);
}

LRESULT CVeltraDlg::OnCopyError(WPARAM, LPARAM) {
    if (!IsCopyRunning())
        return 0;
    TakeCopyNews();
    std::string text = m_queue.pop();
    if (m_bClosing) {
        // The user is closing the program: keep the error in the report
        // instead of holding the worker behind an alert.
        AppendReportLine(text);
        return 0;
    }
    FlushReport(); // the report is up to date while the alert is shown
    ShowAlert(text);
    return 0;
}

LRESULT CVeltraDlg::OnCopyDone(WPARAM, LPARAM) {
    if (!IsCopyRunning())
        return 0; // not ours: DM_REPOSITION has the same number
    TakeCopyNews(); // the last lines and the exact final statistics
    copy_statistics stats = m_pJob->get_statistics();
    bool incomplete = m_pJob->is_incomplete();
    // The worker waits inside its SendMessageA and touches the job no more;
    // the job (the owner of that worker) is kept aside until it has ended.
    m_finishedJob.reset(m_pJob);
    m_pJob = nullptr;

    // The last statistics text stays; the status line is replaced.
    m_pendingStatus.reset();
    ShowCopyLines();
    m_statusText.SetWindowText("Status: Folder copy complete");
    m_busyBar.StopAnimation();
    m_busyBar.m_nPos = 0;
    m_busyBar.InvalidateRect(nullptr, TRUE);
    ShowStartCopy();
    m_bCopyInProgress = false;
    KillTimer(m_hWnd, kReportFlushTimer);

    AppendReportLine(kSummaryRule);
    for (const std::string& line : FormatSummaryLines(stats, incomplete))
        AppendReportLine(line);
    m_reportEdit.SetReadOnly(FALSE);

    if (m_bQuitPending)
        OnOK();
    return 0;
}
