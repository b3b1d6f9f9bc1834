#pragma once
// Helpers for the busy bar tests: a bar whose inner state the tests can see,
// a hidden top-level window to host it, and a 32-bit surface to paint into
// and read pixels back from.

#include "BusyProgressCtrl.h"
#include "ProcessGauge.h"

#include <windows.h>

#include <gtest/gtest.h>

class TestBar : public BusyProgressCtrl {
public:
    using BusyProgressCtrl::BusyProgressCtrl;
    using BusyProgressCtrl::m_dBlockHeight;
    using BusyProgressCtrl::m_dBlockWidth;
    using BusyProgressCtrl::m_memDC;
    using BusyProgressCtrl::m_nDelay;
    using BusyProgressCtrl::m_nDirection;
    using BusyProgressCtrl::m_nGap;
    using BusyProgressCtrl::m_nMode;
    using BusyProgressCtrl::m_nProgressTotal;
    using BusyProgressCtrl::m_nProgressValue;
    using BusyProgressCtrl::m_rcClient;

    std::vector<RECT> Blocks() const {
        return LayoutBlockRects({m_dBlockWidth, m_dBlockHeight}, m_nBlocks, m_nGap);
    }
    // Five different colours, so that every pixel tells what drew it.
    void UseDistinctColours() {
        m_crBackground = RGB(10, 20, 30);
        m_crBlockFill = RGB(100, 110, 120);
        m_crBlockEdge = RGB(1, 2, 3);
        m_crActiveFill = RGB(200, 210, 220);
        m_crActiveEdge = RGB(250, 5, 5);
    }
};

// A hidden top-level window (unless shown) as the bar's parent.
class HostWindow {
public:
    HostWindow(int width = 400, int height = 100) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VeltraBusyBarTestHost";
        RegisterClassA(&wc); // fails harmlessly when registered already
        m_wnd.m_hWnd = CreateWindowExA(0, wc.lpszClassName, "host", WS_OVERLAPPEDWINDOW, 0, 0,
                                       width, height, nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~HostWindow() {
        if (m_wnd.m_hWnd)
            DestroyWindow(m_wnd.m_hWnd);
        m_wnd.m_hWnd = nullptr;
    }
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    CWnd* Wnd() { return &m_wnd; }
    HWND Handle() const { return m_wnd.m_hWnd; }

private:
    CWnd m_wnd;
};

// A memory DC holding a 32-bit top-down DIB section.
class Surface {
public:
    Surface(int width, int height) : m_width(width), m_height(height) {
        m_dc.CreateCompatibleDC(nullptr);
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = width;
        info.bmiHeader.biHeight = -height;
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_bitmap.Attach(CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        m_old = m_dc.SelectObject(m_bitmap);
        RECT all{0, 0, width, height};
        FillRect(m_dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Surface() { m_dc.SelectObject(m_old); }
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    HDC Dc() const { return m_dc; }
    COLORREF At(int x, int y) const { return GetPixel(m_dc, x, y); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }

private:
    int m_width;
    int m_height;
    CDC m_dc;
    CBitmap m_bitmap;
    HGDIOBJ m_old = nullptr;
};

inline void PumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
