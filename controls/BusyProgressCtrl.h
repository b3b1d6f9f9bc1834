#pragma once
// BusyProgressCtrl: a row of equal blocks over a static control. In busy mode
// one highlighted block runs back and forth, stepped by an animation thread
// of the control's own; in progress mode the blocks fill from the left. All
// painting goes through a back buffer that reaches the screen in one BitBlt.

#include "BusyProgressLayout.h"
#include "Controls.h"
#include "Gdi.h"
#include "Handle.h"
#include "MessageMap.h"
#include "WinThread.h"

#include <windows.h>

#include <atomic>
#include <memory>

// The control's messages (wParam and lParam are taken as int; each returns 0).
constexpr UINT BPM_SETBLOCKS = WM_USER + 1;   // wParam: block count
constexpr UINT BPM_SETPOS = WM_USER + 2;      // wParam: position
constexpr UINT BPM_SETGAP = WM_USER + 3;      // wParam: pixels between blocks
constexpr UINT BPM_SETDELAY = WM_USER + 4;    // wParam: milliseconds between steps
constexpr UINT BPM_SETPROGRESS = WM_USER + 5; // wParam: value, lParam: total
constexpr UINT BPM_SETMODE = WM_USER + 6;     // wParam: BPC_MODE_BUSY or BPC_MODE_PROGRESS
constexpr UINT BPM_START = WM_USER + 7;
constexpr UINT BPM_STOP = WM_USER + 8;
constexpr UINT BPM_STEP = WM_USER + 9;

constexpr int BPC_MODE_BUSY = 1;
constexpr int BPC_MODE_PROGRESS = 2;

class BusyProgressCtrl : public CStatic {
public:
    explicit BusyProgressCtrl(int blocks = 10, int pos = 0);
    // Stops the animation; its thread has ended when this returns.
    ~BusyProgressCtrl() override;

    void PreSubclassWindow() override;

    // Creates the control as a "STATIC" child window, then lays out the blocks.
    // The framework has no creation contexts: `context` is taken and ignored.
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id,
                        void* context = nullptr);
    virtual void DrawBackground(HDC dc, const RECT* rect);
    virtual void DrawBlock(HDC dc, const RECT* rect);
    virtual void DrawActiveBlock(HDC dc, const RECT* rect);
    virtual void DrawPartialBlock(HDC dc, const RECT* rect, int width);

    // Recomputes the block size; call it after writing m_nBlocks. No repaint.
    void RecalcLayout();
    void StartAnimation();
    void StopAnimation();
    // Stops the animation, then switches the mode; neither restarts nor repaints.
    void SetMode(int mode);
    // One animation step, then a repaint request.
    void StepPosition();

    // Draws the control into its back buffer (created compatible with
    // `target` when there is none) and copies it to `target` at (0, 0).
    void PaintTo(HDC target);

    bool OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    // The owner writes these directly (m_nPos = 0; m_nBlocks = 30). Those the
    // animation thread reads or writes are atomics.
    std::atomic<int> m_nBlocks;

protected:
    std::atomic<int> m_nDirection{1};

public:
    std::atomic<int> m_nPos; // busy: the highlighted block; progress: added to the value

protected:
    RECT m_rcClient{};
    int m_nGap = 1;
    double m_dBlockHeight = 0.0;
    double m_dBlockWidth = 0.0;
    std::unique_ptr<CWinThread> m_pAnimThread; // the running animation thread; null when none
    std::atomic<bool> m_bAnimating{false};     // the animation loop's run flag
    std::atomic<int> m_nDelay{100};
    std::atomic<int> m_nMode{BPC_MODE_BUSY};
    int m_nProgressValue = 0;
    int m_nProgressTotal = 100;

public:
    COLORREF m_crBackground;
    COLORREF m_crBlockFill = RGB(160, 190, 220);
    COLORREF m_crBlockEdge = RGB(50, 90, 135);
    COLORREF m_crActiveFill = RGB(190, 220, 255);
    COLORREF m_crActiveEdge = RGB(50, 90, 135);

protected:
    CDC m_memDC;
    CBitmap m_bmpBuffer;
    HGDIOBJ m_pOldBitmap = nullptr;

    // The thread side: a stop lowers the run flag, sets the event that cuts
    // the thread's wait short, and waits for the thread (which never waits
    // for the window's thread) to end.
    OwnedHandle m_hStopEvent;
    HWND m_hAnimTarget = nullptr; // the window the thread repaints, taken before it starts

private:
    static UINT __cdecl AnimationThreadProc(LPVOID param);
    void Step(HWND target);
    void ReleaseBackBuffer();
    void DrawBlocks(HDC dc);

    void OnPaint();
    LRESULT OnSize(WPARAM, LPARAM);
    LRESULT OnSetBlocks(WPARAM, LPARAM);
    LRESULT OnSetPos(WPARAM, LPARAM);
    LRESULT OnSetGap(WPARAM, LPARAM);
    LRESULT OnSetDelay(WPARAM, LPARAM);
    LRESULT OnSetProgress(WPARAM, LPARAM);
    LRESULT OnSetMode(WPARAM, LPARAM);
    LRESULT OnStart(WPARAM, LPARAM);
    LRESULT OnStop(WPARAM, LPARAM);
    LRESULT OnStep(WPARAM, LPARAM);
};
