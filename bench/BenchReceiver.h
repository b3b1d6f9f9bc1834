#pragma once
// A window on its own thread that handles the copy notifications the way the
// main dialog does: pop the text, put it into a control.

#include "CopyChannel.h"

#include <windows.h>

#include <thread>

class BenchReceiver {
public:
    BenchReceiver();
    ~BenchReceiver();
    BenchReceiver(const BenchReceiver&) = delete;
    BenchReceiver& operator=(const BenchReceiver&) = delete;

    HWND window() const { return m_window; }
    MessageQueue* queue() { return &m_queue; }
    void wait_done() { WaitForSingleObject(m_done, INFINITE); }
    int not_copied() const { return m_notCopied; }
    int errors() const { return m_errors; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void run(HANDLE ready);

    MessageQueue m_queue;
    HANDLE m_done;
    HWND m_window = nullptr;
    HWND m_status = nullptr;
    HWND m_statistics = nullptr;
    int m_notCopied = 0;
    int m_errors = 0;
    std::thread m_thread;
};
