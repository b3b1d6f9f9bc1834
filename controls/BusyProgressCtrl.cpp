#include "BusyProgressCtrl.h"

namespace {
DWORD ClampDelay(int delay) {
    return delay < 0 ? 0 : static_cast<DWORD>(delay);
}
} // namespace

BusyProgressCtrl::BusyProgressCtrl(int blocks, int pos)
    : m_nBlocks(blocks), m_nPos(pos), m_crBackground(GetSysColor(COLOR_BTNFACE)),
      m_hStopEvent(CreateEventA(nullptr, TRUE, FALSE, nullptr)) {}

BusyProgressCtrl::~BusyProgressCtrl() {
    StopAnimation();
    ReleaseBackBuffer();
}

void BusyProgressCtrl::PreSubclassWindow() {
    CStatic::PreSubclassWindow();
    RecalcLayout();
}

BOOL BusyProgressCtrl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id,
                              void*) {
    BOOL created = CStatic::Create("BusyProgressCtrl", style, rect, parent, id);
    if (created)
        RecalcLayout();
    return created;
}

void BusyProgressCtrl::RecalcLayout() {
    if (IsRectEmpty(&m_rcClient) && m_hWnd)
        ::GetClientRect(m_hWnd, &m_rcClient);
    BlockLayout layout = ComputeBlockLayout(m_rcClient, m_nBlocks, m_nGap);
    m_dBlockWidth = layout.width;
    m_dBlockHeight = layout.height;
}

void BusyProgressCtrl::StartAnimation() {
    if (m_nMode != BPC_MODE_BUSY)
        return;
    StopAnimation();
    // The run flag is raised before the thread exists, so that a stop
    // coming at once still finds it set and ends the thread.
    m_bAnimating = true;
    ResetEvent(m_hStopEvent.get());
    m_hAnimTarget = m_hWnd; // read here, never by the thread from a window being destroyed
    m_pAnimThread = AfxBeginThread(&BusyProgressCtrl::AnimationThreadProc, this);
    if (!m_pAnimThread)
        m_bAnimating = false; // no thread: the bar stands still
}

void BusyProgressCtrl::StopAnimation() {
    if (!m_pAnimThread)
        return;
    m_bAnimating = false;
    SetEvent(m_hStopEvent.get());
    m_pAnimThread.reset(); // waits for the thread to end
}

void BusyProgressCtrl::SetMode(int mode) {
    StopAnimation();
    // Only the two modes that painting, stepping and starting know are taken.
    if (mode == BPC_MODE_BUSY || mode == BPC_MODE_PROGRESS)
        m_nMode = mode;
}

void BusyProgressCtrl::StepPosition() {
    Step(m_hWnd);
}

void BusyProgressCtrl::Step(HWND target) {
    if (m_nMode == BPC_MODE_BUSY) {
        // Both tests look at the same position; the second wins when both hold.
        int pos = m_nPos;
        if (pos == m_nBlocks - 1)
            m_nDirection = -1;
        if (pos == 0)
            m_nDirection = 1;
    }
    m_nPos += m_nDirection;
    if (target)
        ::InvalidateRect(target, nullptr, TRUE);
}

UINT __cdecl BusyProgressCtrl::AnimationThreadProc(LPVOID param) {
    auto* self = static_cast<BusyProgressCtrl*>(param);
    // The first step comes at once; the delay is read afresh for every wait,
    // and a stop ends the wait at once.
    do {
        self->Step(self->m_hAnimTarget);
        DWORD delay = ClampDelay(self->m_nDelay);
        if (WaitForSingleObject(self->m_hStopEvent.get(), delay) == WAIT_FAILED)
            Sleep(delay); // no stop event: a plain sleep still keeps the pace
    } while (self->m_bAnimating);
    return 0;
}

void BusyProgressCtrl::ReleaseBackBuffer() {
    if (!m_memDC.GetSafeHdc())
        return;
    m_memDC.SelectObject(m_pOldBitmap);
    m_pOldBitmap = nullptr;
    m_bmpBuffer.DeleteObject();
    m_memDC.DeleteDC();
}

void BusyProgressCtrl::PaintTo(HDC target) {
    int width = m_rcClient.right - m_rcClient.left;
    int height = m_rcClient.bottom - m_rcClient.top;
    if (!m_memDC.GetSafeHdc() && m_memDC.CreateCompatibleDC(target)) {
        m_bmpBuffer.CreateCompatibleBitmap(target, width, height);
        m_pOldBitmap = m_memDC.SelectObject(m_bmpBuffer);
    }
    DrawBackground(m_memDC, &m_rcClient);
    DrawBlocks(m_memDC);
    BitBlt(target, 0, 0, width, height, m_memDC, 0, 0, SRCCOPY);
}

void BusyProgressCtrl::DrawBlocks(HDC dc) {
    // Declared before the saved state, so they are deleted only after the
    // state (and the objects it held) has been restored.
    CPen pen(PS_SOLID, 0, m_crBlockEdge);
    CBrush brush(m_crBlockFill);
    CDCState state(dc);
    ::SelectObject(dc, pen.GetSafeHandle());
    ::SelectObject(dc, brush.GetSafeHandle());

    const int blocks = m_nBlocks;
    const int pos = m_nPos; // one read per frame: a concurrent step shows next frame
    const bool progress = m_nMode == BPC_MODE_PROGRESS;
    ProgressFill fill;
    if (progress)
        fill = ComputeProgressFill(m_nProgressValue, pos, m_nProgressTotal, blocks, m_dBlockWidth);

    BlockCursor cursor({m_dBlockWidth, m_dBlockHeight}, m_nGap);
    for (int i = 0; i < blocks; ++i, cursor.Advance()) {
        const RECT& block = cursor.Rect();
        if (progress) {
            if (i < fill.full) {
                DrawActiveBlock(dc, &block);
            } else {
                DrawBlock(dc, &block);
                if (i == fill.full && fill.partial != 0)
                    DrawPartialBlock(dc, &block, fill.partial);
            }
        } else if (i == pos) {
            DrawActiveBlock(dc, &block);
        } else {
            DrawBlock(dc, &block);
        }
    }
}

void BusyProgressCtrl::DrawBackground(HDC dc, const RECT* rect) {
    SetBkColor(dc, m_crBackground);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, rect, nullptr, 0, nullptr);
}

void BusyProgressCtrl::DrawBlock(HDC dc, const RECT* rect) {
    Rectangle(dc, rect->left, rect->top, rect->right, rect->bottom);
}

void BusyProgressCtrl::DrawActiveBlock(HDC dc, const RECT* rect) {
    CPen pen(PS_SOLID, 0, m_crActiveEdge);
    CBrush brush(m_crActiveFill);
    CDCState state(dc);
    ::SelectObject(dc, pen.GetSafeHandle());
    ::SelectObject(dc, brush.GetSafeHandle());
    Rectangle(dc, rect->left, rect->top, rect->right, rect->bottom);
}

void BusyProgressCtrl::DrawPartialBlock(HDC dc, const RECT* rect, int width) {
    RECT inner = *rect;
    InflateRect(&inner, -1, -1);
    inner.right = inner.left + width;
    if (inner.right >= rect->right)
        inner.right = rect->right - 1;
    SetBkColor(dc, m_crActiveFill);
    ExtTextOutA(dc, 0, 0, ETO_OPAQUE, &inner, nullptr, 0, nullptr);
}

bool BusyProgressCtrl::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    using Entry = MessageMapEntry<BusyProgressCtrl>;
    static const Entry map[] = {
        {WM_PAINT, &BusyProgressCtrl::OnPaint},
        {WM_SIZE, &BusyProgressCtrl::OnSize},
        {BPM_SETBLOCKS, &BusyProgressCtrl::OnSetBlocks},
        {BPM_SETPOS, &BusyProgressCtrl::OnSetPos},
        {BPM_SETGAP, &BusyProgressCtrl::OnSetGap},
        {BPM_SETDELAY, &BusyProgressCtrl::OnSetDelay},
        {BPM_SETPROGRESS, &BusyProgressCtrl::OnSetProgress},
        {BPM_SETMODE, &BusyProgressCtrl::OnSetMode},
        {BPM_START, &BusyProgressCtrl::OnStart},
        {BPM_STOP, &BusyProgressCtrl::OnStop},
        {BPM_STEP, &BusyProgressCtrl::OnStep},
    };
    return DispatchMessageMap<BusyProgressCtrl>(this, map, message, wParam, lParam, result) ||
           CStatic::OnWndMsg(message, wParam, lParam, result);
}

void BusyProgressCtrl::OnPaint() {
    CPaintDC dc(m_hWnd);
    PaintTo(dc);
}

LRESULT BusyProgressCtrl::OnSize(WPARAM, LPARAM) {
    Default();
    ::GetClientRect(m_hWnd, &m_rcClient);
    // The next paint makes a buffer of the new size.
    ReleaseBackBuffer();
    return 0;
}

LRESULT BusyProgressCtrl::OnSetBlocks(WPARAM wParam, LPARAM) {
    m_nBlocks = static_cast<int>(wParam);
    RecalcLayout();
    InvalidateRect(nullptr, TRUE);
    return 0;
}

LRESULT BusyProgressCtrl::OnSetPos(WPARAM wParam, LPARAM) {
    m_nPos = static_cast<int>(wParam);
    InvalidateRect(nullptr, TRUE);
    return 0;
}

LRESULT BusyProgressCtrl::OnSetGap(WPARAM wParam, LPARAM) {
    m_nGap = static_cast<int>(wParam);
    RecalcLayout();
    InvalidateRect(nullptr, TRUE);
    return 0;
}

LRESULT BusyProgressCtrl::OnSetDelay(WPARAM wParam, LPARAM) {
    m_nDelay = static_cast<int>(wParam);
    return 0;
}

LRESULT BusyProgressCtrl::OnSetProgress(WPARAM wParam, LPARAM lParam) {
    m_nProgressValue = static_cast<int>(wParam);
    m_nProgressTotal = static_cast<int>(lParam);
    return 0;
}

LRESULT BusyProgressCtrl::OnSetMode(WPARAM wParam, LPARAM) {
    SetMode(static_cast<int>(wParam));
    return 0;
}

LRESULT BusyProgressCtrl::OnStart(WPARAM, LPARAM) {
    StartAnimation();
    return 0;
}

LRESULT BusyProgressCtrl::OnStop(WPARAM, LPARAM) {
    StopAnimation();
    return 0;
}

LRESULT BusyProgressCtrl::OnStep(WPARAM, LPARAM) {
    StepPosition();
    return 0;
}
