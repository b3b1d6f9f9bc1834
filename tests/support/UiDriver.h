#pragma once
// Drives a real Veltra.exe from a test: starts it, finds its windows by
// caption within its own process, and works its controls by id. Buttons are
// pressed with PostMessage and texts read with SendMessageTimeout, so the
// driver never blocks inside one of the program's modal loops.

#include "Wait.h"

#include <windows.h>

#include <string>
#include <vector>

class VeltraProcess {
public:
    // Starts Veltra.exe (quoted path on its command line, as the shell does)
    // with extra environment variables "NAME=value", and waits for its main
    // dialog.
    explicit VeltraProcess(const std::vector<std::string>& environment = {});
    ~VeltraProcess();
    VeltraProcess(const VeltraProcess&) = delete;
    VeltraProcess& operator=(const VeltraProcess&) = delete;

    HWND dialog() const { return m_dialog; }
    HWND item(int id) const { return GetDlgItem(m_dialog, id); }
    DWORD pid() const { return m_info.dwProcessId; }

    // A visible top-level window of this process with the caption, other
    // than the main dialog; null when none appeared within `ms`.
    HWND WaitForWindow(const std::string& caption, DWORD ms = 20000) const;
    // True when no such window is there any more within `ms`.
    bool WaitForWindowGone(HWND window, DWORD ms = 20000) const;
    bool WaitForExit(DWORD ms = 20000) const;
    bool HasExited() const { return WaitForExit(0); }
    // The exe's folder, as a Windows path ending in a backslash.
    static std::string ExeFolder();

private:
    PROCESS_INFORMATION m_info{};
    HWND m_dialog = nullptr;
};

// Text of a window or control (through SendMessageTimeout).
std::string TextOf(HWND window);
void SetTextOf(HWND window, const std::string& text);
// Presses control `id` of `dialog` (a button's click) without waiting.
void Press(HWND dialog, int id);
// Presses Escape in `dialog`, as the keyboard does.
void PressEscape(HWND dialog);
bool IsEnabled(HWND window);
bool IsChecked(HWND button);
bool IsReadOnly(HWND edit);

// Turns a Unix path of the build into a Windows path on Wine's Z: drive.
std::string WindowsPathOf(const std::string& unixPath);
