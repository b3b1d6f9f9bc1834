#include "BenchReceiver.h"

#include <cstdio>

BenchReceiver::BenchReceiver() {
    m_done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    m_thread = std::thread([this, ready] { run(ready); });
    WaitForSingleObject(ready, INFINITE);
    CloseHandle(ready);
}

BenchReceiver::~BenchReceiver() {
    PostMessageA(m_window, WM_CLOSE, 0, 0);
    m_thread.join();
    CloseHandle(m_done);
}

void BenchReceiver::run(HANDLE ready) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &BenchReceiver::WindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VeltraBenchReceiver";
    RegisterClassA(&wc);
    m_window = CreateWindowExA(0, wc.lpszClassName, "Veltra bench", WS_OVERLAPPEDWINDOW, 0, 0, 600,
                               200, nullptr, nullptr, wc.hInstance, this);
    m_status = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 600, 20, m_window,
                               nullptr, wc.hInstance, nullptr);
    m_statistics = CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 30, 600, 20, m_window,
                                   nullptr, wc.hInstance, nullptr);
    SetEvent(ready);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
}

LRESULT CALLBACK BenchReceiver::WindowProc(HWND window, UINT message, WPARAM wParam,
                                           LPARAM lParam) {
    if (message == WM_NCCREATE)
        SetWindowLongPtrA(
            window, GWLP_USERDATA,
            reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams));
    auto* self = reinterpret_cast<BenchReceiver*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    switch (message) {
    case WM_COPY_STATUS:
        ::SetWindowTextA(self->m_status, self->m_queue.pop().c_str());
        return 0;
    case WM_COPY_STATISTICS:
        ::SetWindowTextA(self->m_statistics, self->m_queue.pop().c_str());
        return 0;
    case WM_COPY_FOLDER:
        self->m_queue.pop();
        return 0;
    case WM_COPY_NOT_COPIED:
        std::fprintf(stderr, "not copied: %s\n", self->m_queue.pop().c_str());
        ++self->m_notCopied;
        return 0;
    case WM_COPY_ERROR:
        std::fprintf(stderr, "error: %s\n", self->m_queue.pop().c_str());
        ++self->m_errors;
        return 0;
    case WM_COPY_DONE:
        SetEvent(self->m_done);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
