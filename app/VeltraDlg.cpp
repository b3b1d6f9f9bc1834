// The main dialog: construction, start-up, painting, the system menu and
// quitting. Start Copy is in StartCopy.cpp, the worker's notifications in
// CopyHandlers.cpp, the other buttons in DialogCommands.cpp.
#include "VeltraDlg.h"

#include "AboutDlg.h"
#include "AlertDlg.h"
#include "CopyJob.h"
#include "FormatText.h"
#include "Handle.h"
#include "MessageBox.h"
#include "ReplaceDlg.h"
#include "WinApp.h"
#include "WinThread.h"
#include "resource.h"

namespace {
// How often the status line is refreshed while a close waits for the worker.
constexpr DWORD kClosingTickMs = 1000;
} // namespace

CVeltraDlg::CVeltraDlg(CWnd* parent) : CDialog(IDD_VELTRA_DIALOG, parent), m_busyBar(10, 0) {
    HINSTANCE module = AfxGetInstanceHandle();
    m_hBigIcon = LoadIconA(module, MAKEINTRESOURCEA(IDR_MAINFRAME));
    m_hSmallIcon = LoadIconA(module, MAKEINTRESOURCEA(IDI_SMALL));
}

CVeltraDlg::~CVeltraDlg() {
    m_busyBar.StopAnimation();
    // The queue must outlive the worker: deleting a job waits for its
    // worker. The window is gone, so the worker's notifications fail at once
    // instead of waiting for it: it can only be finishing its current file
    // or returning.
    delete m_pJob;
    m_finishedJob.reset();
}

bool CVeltraDlg::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    using Entry = MessageMapEntry<CVeltraDlg>;
    static const Entry map[] = {
        {WM_SYSCOMMAND, &CVeltraDlg::OnSysCommand},
        {WM_PAINT, &CVeltraDlg::OnPaint},
        {WM_QUERYDRAGICON, &CVeltraDlg::OnQueryDragIcon},
        Entry::Command(IDC_BROWSE_SOURCE, &CVeltraDlg::OnBrowseSource),
        Entry::Command(IDC_BROWSE_DESTINATION, &CVeltraDlg::OnBrowseDestination),
        Entry::Command(IDC_START_COPY, &CVeltraDlg::OnStartCopy),
        Entry::Command(IDC_ABOUT, &CVeltraDlg::ShowAboutDialog),
        {WM_COPY_NEWS, &CVeltraDlg::OnCopyNews},
        {WM_COPY_ERROR, &CVeltraDlg::OnCopyError},
        {WM_COPY_QUESTION, &CVeltraDlg::OnCopyQuestion},
        {WM_COPY_DONE, &CVeltraDlg::OnCopyDone},
        Entry::Command(IDC_PRINT_REPORT, &CVeltraDlg::PrintReport),
        Entry::Command(IDC_HELP_BUTTON, &CVeltraDlg::ShowHelpFile),
        Entry::Command(IDC_WEBSITE, &CVeltraDlg::OnWebsite),
        {WM_MOUSEMOVE, &CVeltraDlg::OnMouseMove},
        {WM_TIMER, &CVeltraDlg::OnTimer},
        {WM_ENABLE, &CVeltraDlg::OnEnable},
        {WM_CLOSE, &CVeltraDlg::OnClose},
        {DM_GETDEFID, &CVeltraDlg::OnGetDefId},
    };
    return DispatchMessageMap<CVeltraDlg>(this, map, message, wParam, lParam, result) ||
           CDialog::OnWndMsg(message, wParam, lParam, result);
}

void CVeltraDlg::DoDataExchange(CDataExchange* dx) {
    CDialog::DoDataExchange(dx);
    DDX_Control(dx, IDC_STATISTICS_TEXT, m_statisticsText);
    DDX_Control(dx, IDC_REPORT_EDIT, m_reportEdit);
    DDX_Control(dx, IDC_BUSY_BAR, m_busyBar);
    DDX_Control(dx, IDC_STATUS_TEXT, m_statusText);
    DDX_Control(dx, IDC_START_COPY, m_startCopyButton);
    DDX_Control(dx, IDC_ASK_BEFORE_OVERWRITE, m_askBeforeOverwriteCheck);
    DDX_Control(dx, IDC_SKIP_UP_TO_DATE, m_skipUpToDateCheck);
    DDX_Control(dx, IDC_DESTINATION_EDIT, m_destinationEdit);
    DDX_Control(dx, IDC_SOURCE_EDIT, m_sourceEdit);
}

BOOL CVeltraDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    if (HMENU sysMenu = GetSystemMenu(FALSE)) {
        char about[256] = {};
        LoadStringA(AfxGetInstanceHandle(), IDS_ABOUTBOX, about, sizeof about);
        if (about[0] != '\0') {
            AppendMenuA(sysMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuA(sysMenu, MF_STRING, IDM_ABOUTBOX, about);
        }
    }
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hBigIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hSmallIcon));

    m_statusText.SetWindowText("Status: Ready");
    // No length limit on the report: the edit control would otherwise refuse
    // lines past its default 30,000 characters.
    m_reportEdit.SendMessage(EM_SETLIMITTEXT, 0, 0);

    m_busyBar.m_nBlocks = 30;
    m_busyBar.RecalcLayout();
    m_busyBar.m_crBackground = RGB(19, 112, 116);
    m_busyBar.m_crBlockFill = RGB(24, 104, 112);
    m_busyBar.m_crBlockEdge = RGB(0, 56, 56);
    m_busyBar.m_crActiveFill = RGB(195, 218, 220);
    m_busyBar.m_crActiveEdge = RGB(0, 56, 56);

    m_pJob = nullptr;
    m_bCopyInProgress = false;
    m_bQuitPending = false;
    return TRUE;
}

void CVeltraDlg::OnSysCommand(UINT nID, LPARAM) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        ShowAboutDialog(); // the same box, with its texts, as the About button
        return;
    }
    Default();
}

void CVeltraDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    CPaintDC dc(m_hWnd);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    int cxIcon = GetSystemMetrics(SM_CXICON);
    int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rect;
    GetClientRect(&rect);
    int x = (rect.right - rect.left - cxIcon + 1) / 2;
    int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    DrawIcon(dc, x, y, m_hSmallIcon);
}

HCURSOR CVeltraDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hBigIcon); }

void CVeltraDlg::OnOK() {
    if (!m_bCopyInProgress) {
        CDialog::OnOK();
        return;
    }
    int answer = AfxMessageBox("Folder copy in progress.  Do you really want to quit? (Veltra will "
                               "finish copying the current file first and then stop if you answer "
                               "\"yes\")?",
                               MB_YESNO | MB_DEFBUTTON2);
    if (answer == IDNO)
        return;
    if (!IsCopyRunning()) {
        // The copy completed while the question was open: nothing to stop,
        // and the user asked to quit.
        CDialog::OnOK();
        return;
    }
    m_pJob->request_stop();
    m_bQuitPending = true;
}

void CVeltraDlg::OnClose() {
    if (m_pReplaceDlg) {
        // The worker waits on the open question, which waits on us: it is
        // answered Skip, and the close comes again once it has returned.
        m_bCloseAfterQuestion = true;
        if (IsCopyRunning())
            m_pJob->request_stop();
        m_pReplaceDlg->EndDialog(IDNO);
        return;
    }
    // The closing status below must not be covered by an older text.
    ShowCopyLines();
    if (IsCopyRunning())
        StopCopyBeforeClosing();
    EndDialog(IDCANCEL);
}

// The dialog manager asks which button Enter presses where the focus is not
// on a push button (the folder edits, the check box): Start Copy, and
// during a copy none, so that Enter in an edit never stops it. DM_GETDEFID
// is WM_USER+0, which no copy notification uses.
LRESULT CVeltraDlg::OnGetDefId(WPARAM, LPARAM) {
    WORD button = m_bCopyInProgress ? 0 : IDC_START_COPY;
    return MAKELRESULT(button, DC_HASDEFID);
}

void CVeltraDlg::StopCopyBeforeClosing() {
    m_bClosing = true;
    m_pJob->request_stop();
    m_statusText.SetWindowText("Status: Closing - finishing the current file...");
    EnableWindow(FALSE); // no more input while the worker winds down

    // As long as the current file takes, however large or slow the copy:
    // ending sooner would leave that file half written. The worker's
    // notifications are synchronous, so they are handled while waiting, or
    // it would wait for us and we for it. The status line counts the
    // seconds, so that a long wait does not look like a hang.
    // The handle stays valid when the completion moves the job aside.
    if (HANDLE worker = m_pJob->worker_handle())
        WaitForThreadServingMessages(worker, kClosingTickMs, [this](DWORD waited) {
            m_statusText.SetWindowText(FormatText(
                "Status: Closing - finishing the current file... (%lu s)", waited / 1000));
        });
}

void CVeltraDlg::OnStopCopy() {
    if (!IsCopyRunning())
        return;
    m_pJob->request_stop();
    m_bStopPending = true;
    ShowCopyLines();
    m_statusText.SetWindowText("Status: Stopping - finishing the current file...");
}

void CVeltraDlg::ShowAlert(const std::string& message) {
    CAlertDlg alert(nullptr);
    alert.m_strMessage = message;
    if (alert.DoModal() == IDCANCEL)
        ShowHelpFile();
}
