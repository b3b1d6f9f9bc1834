#pragma once
// The main dialog: the two folders, the overwrite choice, Start Copy, the
// busy bar, the status and statistics lines and the report panel. It owns
// the running copy_job and the queue that carries the worker's texts.

#include "BusyProgressCtrl.h"
#include "Controls.h"
#include "CopyChannel.h"
#include "Dialog.h"
#include "ReportGrouping.h"
#include "ReportPrinter.h"

#include <memory>
#include <optional>
#include <string>

class copy_job;
class CReplaceDlg;

class CVeltraDlg : public CDialog {
public:
    explicit CVeltraDlg(CWnd* parent = nullptr);
    ~CVeltraDlg() override;

    using print_exceptions = ::print_exceptions;

    // Shows one message in the program's alert dialog; its Help button opens
    // the help page.
    void ShowAlert(const std::string& message);
    // Appends one line (and a line break) to the report panel.
    void AppendReportLine(std::string line);
    // Writes the lines gathered during a copy into the report panel.
    void FlushReport();
    // Shows the latest status and statistics texts of the copy that are not
    // on the screen yet.
    void ShowCopyLines();

    static constexpr UINT_PTR kReportFlushTimer = 1;
    static constexpr DWORD kReportFlushMs = 200;

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

protected:
    void DoDataExchange(CDataExchange* dx) override;
    BOOL OnInitDialog() override;
    void OnOK() override;
    // Escape: nothing, so that a keystroke never ends the program and its
    // report. The close box, Alt+F4 and the system menu's Close come as
    // WM_CLOSE (OnClose).
    void OnCancel() override {}

    // A copy's launch, in two steps that can each fail: making the job
    // (std::bad_alloc) and starting its worker (true when no thread could be
    // created). Apart so that a test can fail them, which Wine cannot be
    // made to do.
    virtual std::unique_ptr<copy_job> NewCopyJob(const std::string& source,
                                                 const std::string& destination,
                                                 bool overwriteSilently);
    virtual bool StartCopyJob(copy_job& job);

private:
    // Window messages and commands.
    void OnSysCommand(UINT nID, LPARAM lParam);
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    void OnBrowseSource();
    void OnBrowseDestination();
    void OnStartCopy();
    void ShowAboutDialog();
    void PrintReport();
    void ShowHelpFile();
    void OnWebsite();
    void OnMouseMove() { Default(); }
    void OnClose();
    LRESULT OnGetDefId(WPARAM, LPARAM);
    void OnTimer();
    LRESULT OnEnable(WPARAM enabled, LPARAM);

    // The worker's notifications: the news it hands over without waiting,
    // taken on WM_COPY_NEWS, and the synchronous error, question and
    // completion.
    LRESULT OnCopyNews(WPARAM, LPARAM);
    void TakeCopyNews();
    void OnCopyNotCopied(const std::string& text);
    void OnCopyStatus(std::string text);
    void OnCopyFolder(const std::string& folder);
    void OnCopyStatistics(std::string text);
    LRESULT OnCopyError(WPARAM, LPARAM);
    LRESULT OnCopyQuestion(WPARAM, LPARAM);
    LRESULT OnCopyDone(WPARAM, LPARAM);

    // True while a notification belongs to the copy this dialog launched;
    // anything else arriving under these numbers (the dialog manager's
    // DM_SETDEFID and DM_REPOSITION share two of them) is ignored.
    bool IsCopyRunning() const { return m_bCopyInProgress && m_pJob; }
    // Closing during a copy: lets the worker finish its current file and
    // waits for it (serving its notifications) before the dialog ends.
    void StopCopyBeforeClosing();
    // Stop Copy (1006 during a copy): the worker finishes its current file
    // and the copy ends with its summary; the dialog stays.
    void OnStopCopy();
    // Back from the copying state to Ready when a copy could not start.
    void ReturnToReady();
    // 1006 back to Start Copy, enabled and with the focus.
    void ShowStartCopy();

    CStatic m_statisticsText;
    CEdit m_reportEdit;
    BusyProgressCtrl m_busyBar;
    CStatic m_statusText;
    CButton m_startCopyButton;
    CButton m_askBeforeOverwriteCheck;
    CButton m_skipUpToDateCheck;
    CEdit m_destinationEdit;
    CEdit m_sourceEdit;
    HICON m_hBigIcon = nullptr;
    HICON m_hSmallIcon = nullptr;
    bool m_bQuitPending = false;
    bool m_bCopyInProgress = false;
    ReportGrouping m_reportGrouping; // the folder headings of the report
    copy_job* m_pJob = nullptr;
    // The last copy's job, kept from its completion until the next copy or
    // the dialog's end: its worker is still inside its completion notice
    // when the handler runs, and the job's owner of it waits for its end.
    std::unique_ptr<copy_job> m_finishedJob;
    MessageQueue m_queue;
    std::string m_browsedDestinationFolder;
    std::string m_browsedSourceFolder;
    bool m_bClosing = false; // the dialog is ending while the worker finishes
    bool m_bStopPending = false; // Stop Copy was pressed; the worker is finishing
    // The replace question while it is open, and a close that came while
    // it was (the worker waits on the question: the close waits for it).
    CReplaceDlg* m_pReplaceDlg = nullptr;
    bool m_bCloseAfterQuestion = false;
    std::string m_pendingReport;  // report lines not yet in the panel
    DWORD m_lastReportFlush = 0; // GetTickCount of the last write
    // The latest status and statistics texts not yet on the screen, and the
    // GetTickCount when the lines were last written.
    std::optional<std::string> m_pendingStatus;
    std::optional<std::string> m_pendingStatistics;
    DWORD m_lastCopyLinesShown = 0;
};
