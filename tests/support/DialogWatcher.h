#pragma once
// Working a modal dialog of the test's own thread from a helper thread: the
// test thread sits in the dialog's modal loop while the helper finds the
// dialog, reads it and presses its buttons with the UI driver's calls, which
// post and read with time limits and so never block inside the modal loop.

#include <windows.h>

#include <functional>
#include <string>

// The first visible top-level dialog window of `threadId` whose caption is
// `caption` (any caption when empty), or null after `timeoutMs`.
HWND WaitForThreadDialog(DWORD threadId, const std::string& caption, DWORD timeoutMs = 15000);

// Runs `modal` on this thread while `helper` runs on another thread with
// this thread's id; when the helper returns and a dialog of this thread is
// still open, it is cancelled so that `modal` cannot hang the test.
void RunWithHelper(const std::function<void()>& modal,
                   const std::function<void(DWORD modalThread)>& helper);
