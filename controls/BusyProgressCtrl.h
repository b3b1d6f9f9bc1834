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
#include <vector>

struct CCreateContext; // creation context of a window; the program passes none

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
    // Stops the animation and waits until no animation thread can touch the
    // object any more.
    ~BusyProgressCtrl() override;

    void PreSubclassWindow() override;

    // Creates the control as a "STATIC" child window, then lays out the blocks.
    virtual BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id,
                        CCreateContext* context = nullptr);
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
    CWinThread* m_pAnimThread = nullptr; // marks a run; never dereferenced
    std::atomic<bool> m_bAnimating{false};
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

    // The thread side. Each start hands its thread a ticket with a run number;
    // a thread keeps going only while its run is the current one and the run
    // flag is set, so a thread that a timed-out stop forgot can never keep
    // animating alongside a newer one.
    OwnedHandle m_hAnimThread;                   // waitable copy of the current thread's handle
    std::vector<OwnedHandle> m_lingeringThreads; // stopped, but not yet seen to end
    std::atomic<unsigned> m_nRun{0};
    OwnedHandle m_hWakeEvent; // set on stop, so a sleeping thread ends at once

private:
    static UINT __cdecl AnimationThreadProc(LPVOID param);
    void Step(HWND target);
    bool KeepAnimating(unsigned run) const;
    void ReleaseBackBuffer();
    void DrawBlocks(HDC dc);
    void ForgetEndedThreads();

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
