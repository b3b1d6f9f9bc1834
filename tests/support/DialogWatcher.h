#pragma once
// Working a modal dialog of the test's own thread from a helper thread: the
// test thread sits in the dialog's modal loop while the helper finds the
// dialog, reads it and presses its buttons. The helper posts and reads with
// time limits, so it never blocks inside the modal loop.

#include <windows.h>

#include <functional>
#include <string>

// The first visible top-level dialog window of `threadId` whose caption is
// `caption` (any caption when empty), or null after `timeoutMs`.
HWND WaitForThreadDialog(DWORD threadId, const std::string& caption, int timeoutMs = 15000);
// The text of a window, read with a time limit.
std::string WindowText(HWND hwnd);
// The texts of all child windows of `dialog`, one per line.
std::string ChildTexts(HWND dialog);
// Posts a button click (WM_COMMAND with BN_CLICKED) to `dialog`.
void PostCommand(HWND dialog, int id);

// Runs `modal` on this thread while `helper` runs on another thread with
// this thread's id; when the helper returns and a dialog of this thread is
// still open, it is cancelled so that `modal` cannot hang the test.
void RunWithHelper(const std::function<void()>& modal,
                   const std::function<void(DWORD modalThread)>& helper);
