#pragma once
// Drives a real Veltra.exe from a test: starts it, finds its windows by
// caption within its own process, works its controls by id, and takes the
// steps a person takes in its main dialog. Buttons are pressed with
// PostMessage and texts read with SendMessageTimeout, so the driver never
// blocks inside one of the program's modal loops.

#include "Wait.h"

#include <windows.h>

#include <string>
#include <vector>

class VeltraProcess {
public:
    // Starts Veltra.exe (the one built, unless `exe` names another; quoted
    // path on its command line, as the shell does) with extra environment
    // variables "NAME=value" and the working folder `folder` (none: this
    // process's), and waits for its main dialog.
    explicit VeltraProcess(const std::vector<std::string>& environment = {},
                           const std::string& exe = "", const std::string& folder = "");
    // Ends the program by its own id if it is still running.
    ~VeltraProcess();
    VeltraProcess(const VeltraProcess&) = delete;
    VeltraProcess& operator=(const VeltraProcess&) = delete;

    HWND dialog() const { return m_dialog; }
    HWND item(int id) const { return GetDlgItem(m_dialog, id); }
    DWORD pid() const { return m_info.dwProcessId; }

    // A visible top-level window of this process with the caption, other
    // than the main dialog; null when none appeared within `ms`.
    HWND WaitForWindow(const std::string& caption, DWORD ms = 20000) const;
    // How many such windows there are now.
    int CountWindows(const std::string& caption) const;
    // True when no such window is there any more within `ms`.
    bool WaitForWindowGone(HWND window, DWORD ms = 20000) const;
    bool WaitForExit(DWORD ms = 20000) const;
    bool HasExited() const { return WaitForExit(0); }
    // The built exe's folder, as a Windows path ending in a backslash.
    static std::string ExeFolder();

private:
    PROCESS_INFORMATION m_info{};
    HWND m_dialog = nullptr;
};

// Text of a window or control (through SendMessageTimeout).
std::string TextOf(HWND window);
void SetTextOf(HWND window, const std::string& text);
// The texts of all child windows of `dialog`, one per line.
std::string ChildTexts(HWND dialog);
// Presses control `id` of `dialog` (a button's click) without waiting.
void Press(HWND dialog, int id);
// Presses Escape in `dialog`, as the keyboard does.
void PressEscape(HWND dialog);
// Gives `control` of a dialog the focus and presses Enter in it.
void PressEnterIn(HWND control);
bool IsEnabled(HWND window);
bool IsChecked(HWND button);
void SetChecked(HWND button, bool checked);
bool IsReadOnly(HWND edit);
// The control that has the keyboard focus in `window`'s thread.
HWND FocusOf(HWND window);

// The main dialog's steps. StartCopy types both folders and presses Start
// Copy; WaitForCopyComplete waits until that copy has ended: the status line
// says so and the report panel, which Start Copy empties of the mark
// StartCopy put there, shows the summary.
void StartCopy(VeltraProcess& app, const std::string& source, const std::string& destination);
bool WaitForCopyComplete(VeltraProcess& app, DWORD ms = 120000);
std::string ReportOf(VeltraProcess& app);
// Waits for Veltra's alert, returns its message and closes it with OK.
std::string AnswerAlert(VeltraProcess& app);
