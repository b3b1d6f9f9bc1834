// Start Copy: check the two folders, switch the dialog into its copying
// state and start the worker on a new job.
#include "VeltraDlg.h"

#include "CopyJob.h"
#include "CopyPaths.h"
#include "FormatText.h"

#include <new>

namespace {
constexpr const char* kStartCopyCaption = "&Start Copy";
constexpr const char* kStopCopyCaption = "&Stop Copy";
} // namespace

void CVeltraDlg::OnStartCopy() {
    if (m_bCopyInProgress) {
        OnStopCopy(); // during a copy, 1006 is Stop Copy
        return;
    }
    // The last copy's worker ended with its completion notice.
    m_finishedJob.reset();

    bool overwriteSilently = m_askBeforeOverwriteCheck.GetCheck() == 0;
    bool skipUpToDate = m_skipUpToDateCheck.GetCheck() != 0;
    // The whole texts: a path that is too long is refused, never cut.
    std::string destination = m_destinationEdit.GetWindowText();
    std::string source = m_sourceEdit.GetWindowText();

    std::string problem = CheckCopyPaths(source, destination);
    if (!problem.empty()) {
        // The last copy's report, status and statistics stay as they were.
        ShowAlert(problem);
        return;
    }

    m_pendingReport.clear();
    m_reportEdit.SetWindowText("");
    m_startCopyButton.EnableWindow(FALSE); // until the copy is under way
    m_reportEdit.SetReadOnly(TRUE);
    m_statisticsText.SetWindowText("");
    m_statusText.SetWindowText("Status: Folder copy in progress...please wait");
    m_busyBar.StartAnimation();

    std::unique_ptr<copy_job> job;
    try {
        job = NewCopyJob(source, destination, overwriteSilently);
        job->skip_files_up_to_date(skipUpToDate);
    } catch (const std::bad_alloc&) {
        ShowAlert(FormatText("Error: New failed when allocating tfc of size=%d bytes",
                             static_cast<int>(sizeof(copy_job))));
        ReturnToReady();
        return;
    }

    // Set before the worker exists, so that every notification finds them.
    m_pJob = job.release();
    m_bCopyInProgress = true;
    m_bStopPending = false;
    m_reportGrouping.StartCopy();

    SetTimer(m_hWnd, kReportFlushTimer, kReportFlushMs, nullptr);
    if (StartCopyJob(*m_pJob)) {
        // No worker: no completion will ever come.
        ShowAlert("Error: Couldn't spawn folder copy thread");
        delete m_pJob;
        m_pJob = nullptr;
        ReturnToReady();
        return;
    }
    // Stop Copy, reachable from the keyboard at once.
    m_startCopyButton.SetWindowText(kStopCopyCaption);
    m_startCopyButton.EnableWindow(TRUE);
    m_startCopyButton.SetFocus();
}

std::unique_ptr<copy_job> CVeltraDlg::NewCopyJob(const std::string& source,
                                                 const std::string& destination,
                                                 bool overwriteSilently) {
    return std::make_unique<copy_job>(source, destination, overwriteSilently, m_hWnd, &m_queue);
}

bool CVeltraDlg::StartCopyJob(copy_job& job) { return job.start(); }

void CVeltraDlg::ReturnToReady() {
    KillTimer(m_hWnd, kReportFlushTimer);
    m_bCopyInProgress = false;
    m_busyBar.StopAnimation();
    m_busyBar.m_nPos = 0;
    m_busyBar.InvalidateRect(nullptr, TRUE);
    m_statusText.SetWindowText("Status: Ready");
    m_reportEdit.SetReadOnly(FALSE);
    ShowStartCopy();
}

void CVeltraDlg::ShowStartCopy() {
    m_startCopyButton.SetWindowText(kStartCopyCaption);
    m_startCopyButton.EnableWindow(TRUE);
    m_startCopyButton.SetFocus();
}
