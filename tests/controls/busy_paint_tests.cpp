// Painting, read back pixel by pixel, and the control's messages.
#include "ProcessGauge.h"
#include "busy_test_support.h"

#include <vector>

namespace {

constexpr UINT kBarId = 1013;

// A bar 302 by 20 pixels (30 blocks, gap 1) on a hidden host.
struct BusyPaint : ::testing::Test {
    HostWindow host;
    TestBar bar{30, 0};
    void SetUp() override {
        ASSERT_TRUE(host.Handle());
        ASSERT_TRUE(bar.Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 302, 20}, host.Wnd(), kBarId));
        bar.UseDistinctColours();
    }
    void Paint(Surface& surface) { bar.PaintTo(surface.Dc()); }
    COLORREF Middle(const Surface& s, const RECT& r) const {
        return s.At((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
};

TEST_F(BusyPaint, CreateLaysOutTheBlocksFromTheWindow) {
    EXPECT_EQ(bar.GetWindowText(), "BusyProgressCtrl");
    EXPECT_EQ(bar.m_rcClient.right, 302);
    EXPECT_DOUBLE_EQ(bar.m_dBlockWidth, 272.0 / 30);
    EXPECT_DOUBLE_EQ(bar.m_dBlockHeight, 20.0);
}

TEST_F(BusyPaint, BusyModeHighlightsTheBlockAtThePosition) {
    bar.m_nPos = 3;
    Surface s(302, 20);
    Paint(s);
    auto blocks = bar.Blocks();
    for (int i = 0; i < 30; ++i) {
        const RECT& r = blocks[i];
        bool active = i == 3;
        EXPECT_EQ(Middle(s, r), active ? bar.m_crActiveFill : bar.m_crBlockFill) << i;
        COLORREF edge = active ? bar.m_crActiveEdge : bar.m_crBlockEdge;
        EXPECT_EQ(s.At(r.left, 10), edge) << i;
        EXPECT_EQ(s.At(r.right - 1, 10), edge) << i; // right edge is exclusive
        EXPECT_EQ(s.At(r.left + 2, 0), edge) << i;
        EXPECT_EQ(s.At(r.left + 2, 19), edge) << i;
        EXPECT_EQ(s.At(r.right, 10), bar.m_crBackground) << "gap after " << i;
    }
    EXPECT_EQ(s.At(301, 5), bar.m_crBackground); // the trailing gap
}

TEST_F(BusyPaint, PositionOutsideTheRowHighlightsNothing) {
    for (int pos : {30, -1, 400}) {
        bar.m_nPos = pos;
        Surface s(302, 20);
        Paint(s);
        for (const RECT& r : bar.Blocks())
            ASSERT_EQ(Middle(s, r), bar.m_crBlockFill) << pos;
    }
}

TEST_F(BusyPaint, ProgressModeFillsFromTheLeft) {
    bar.SendMessage(BPM_SETMODE, BPC_MODE_PROGRESS);
    bar.SendMessage(BPM_SETPROGRESS, 50, 100);
    Surface half(302, 20);
    Paint(half);
    auto blocks = bar.Blocks();
    for (int i = 0; i < 30; ++i) {
        EXPECT_EQ(Middle(half, blocks[i]), i < 15 ? bar.m_crActiveFill : bar.m_crBlockFill) << i;
        EXPECT_EQ(half.At(blocks[i].left + 1, 10), i < 15 ? bar.m_crActiveFill : bar.m_crBlockFill)
            << "no partial fill at " << i;
    }

    // 1 of 100: f = 0.3, block 0 gets 2 pixels (0.3 * 9.07) inside its border.
    bar.SendMessage(BPM_SETPROGRESS, 1, 100);
    Surface little(302, 20);
    Paint(little);
    const RECT& b0 = blocks[0];
    EXPECT_EQ(little.At(b0.left, 10), bar.m_crBlockEdge);
    EXPECT_EQ(little.At(b0.left + 1, 10), bar.m_crActiveFill);
    EXPECT_EQ(little.At(b0.left + 2, 10), bar.m_crActiveFill);
    EXPECT_EQ(little.At(b0.left + 3, 10), bar.m_crBlockFill);
    EXPECT_EQ(little.At(b0.left + 1, 0), bar.m_crBlockEdge); // the border stays
    EXPECT_EQ(little.At(b0.left + 1, 19), bar.m_crBlockEdge);
    EXPECT_EQ(Middle(little, blocks[1]), bar.m_crBlockFill);

    bar.SendMessage(BPM_SETPROGRESS, 3, 0); // no total: every block done
    Surface all(302, 20);
    Paint(all);
    for (const RECT& r : blocks)
        EXPECT_EQ(Middle(all, r), bar.m_crActiveFill);
}

TEST_F(BusyPaint, PartialFillIsCutInsideTheBlock) {
    bar.m_nPos = 5; // block 0 is a normal block
    Surface s(302, 20);
    Paint(s);
    RECT b0 = bar.Blocks()[0]; // 0..9
    bar.DrawPartialBlock(s.Dc(), &b0, 100);
    for (int x = b0.left + 1; x < b0.right - 1; ++x)
        EXPECT_EQ(s.At(x, 10), bar.m_crActiveFill) << x;
    EXPECT_EQ(s.At(b0.right - 1, 10), bar.m_crBlockEdge);
    EXPECT_EQ(s.At(b0.right, 10), bar.m_crBackground);
}

TEST_F(BusyPaint, NoBlocksLeavesOnlyTheBackground) {
    bar.SendMessage(BPM_SETBLOCKS, 0);
    Surface s(302, 20);
    Paint(s);
    for (int x = 0; x < 302; x += 7)
        for (int y = 0; y < 20; y += 3)
            ASSERT_EQ(s.At(x, y), bar.m_crBackground) << x << "," << y;
}

// Records the drawing calls, to see that every block goes through the
// virtual slots.
class RecordingBar : public TestBar {
public:
    using TestBar::TestBar;
    std::vector<char> calls;
    void DrawBackground(HDC dc, const RECT* r) override {
        calls.push_back('b');
        TestBar::DrawBackground(dc, r);
    }
    void DrawBlock(HDC, const RECT*) override { calls.push_back('n'); }
    void DrawActiveBlock(HDC, const RECT*) override { calls.push_back('a'); }
    void DrawPartialBlock(HDC, const RECT*, int) override { calls.push_back('p'); }
};

TEST(BusyPaintSlots, EveryBlockGoesThroughTheVirtualSlots) {
    HostWindow host;
    RecordingBar bar(4, 2);
    ASSERT_TRUE(bar.Create(WS_CHILD, RECT{0, 0, 44, 10}, host.Wnd(), kBarId));
    Surface s(44, 10);
    bar.PaintTo(s.Dc());
    EXPECT_EQ(bar.calls, (std::vector<char>{'b', 'n', 'n', 'a', 'n'}));
    bar.calls.clear();
    bar.SetMode(BPC_MODE_PROGRESS);
    bar.SendMessage(BPM_SETPROGRESS, 3, 8); // f = (3 + pos 2) / 8 * 4 = 2.5
    bar.PaintTo(s.Dc());
    EXPECT_EQ(bar.calls, (std::vector<char>{'b', 'a', 'a', 'n', 'p', 'n'}));
}

TEST_F(BusyPaint, WindowPaintGoesThroughTheBackBuffer) {
    ShowWindow(host.Handle(), SW_SHOWNOACTIVATE);
    bar.m_nPos = 5;
    bar.InvalidateRect(nullptr, TRUE);
    UpdateWindow(bar.GetSafeHwnd());
    PumpMessages();
    HDC buffer = bar.m_memDC.GetSafeHdc();
    ASSERT_TRUE(buffer) << "the first paint creates the back buffer";
    auto blocks = bar.Blocks();
    EXPECT_EQ(GetPixel(buffer, blocks[5].left + 3, 10), bar.m_crActiveFill);
    EXPECT_EQ(GetPixel(buffer, blocks[4].left + 3, 10), bar.m_crBlockFill);
    EXPECT_EQ(GetPixel(buffer, blocks[4].right, 10), bar.m_crBackground);

    // A resize drops the buffer and takes the new client size; the next
    // paint makes a buffer again.
    MoveWindow(bar.GetSafeHwnd(), 0, 0, 200, 16, TRUE);
    EXPECT_FALSE(bar.m_memDC.GetSafeHdc());
    EXPECT_EQ(bar.m_rcClient.right, 200);
    EXPECT_EQ(bar.m_rcClient.bottom, 16);
    EXPECT_DOUBLE_EQ(bar.m_dBlockWidth, 272.0 / 30); // kept until the next layout
    bar.InvalidateRect(nullptr, TRUE);
    UpdateWindow(bar.GetSafeHwnd());
    PumpMessages();
    EXPECT_TRUE(bar.m_memDC.GetSafeHdc());
}

TEST_F(BusyPaint, MessagesRepaintOnlyWhereTheyShould) {
    HWND hwnd = bar.GetSafeHwnd();
    ShowWindow(host.Handle(), SW_SHOWNOACTIVATE);
    auto repaints = [&](UINT message, WPARAM w, LPARAM l) {
        ValidateRect(hwnd, nullptr);
        EXPECT_EQ(bar.SendMessage(message, w, l), 0);
        return GetUpdateRect(hwnd, nullptr, FALSE) != FALSE;
    };
    EXPECT_TRUE(repaints(BPM_SETPOS, 4, 0));
    EXPECT_EQ(bar.m_nPos, 4);
    EXPECT_TRUE(repaints(BPM_STEP, 0, 0));
    EXPECT_EQ(bar.m_nPos, 5);
    EXPECT_TRUE(repaints(BPM_SETGAP, 2, 0));
    EXPECT_DOUBLE_EQ(bar.m_dBlockWidth, (302.0 - 60) / 30);
    EXPECT_TRUE(repaints(BPM_SETBLOCKS, 10, 0));
    EXPECT_DOUBLE_EQ(bar.m_dBlockWidth, (302.0 - 20) / 10);
    EXPECT_FALSE(repaints(BPM_SETDELAY, 250, 0));
    EXPECT_EQ(bar.m_nDelay, 250);
    EXPECT_FALSE(repaints(BPM_SETPROGRESS, 3, 9));
    EXPECT_EQ(bar.m_nProgressValue, 3);
    EXPECT_EQ(bar.m_nProgressTotal, 9);
    EXPECT_FALSE(repaints(BPM_SETMODE, BPC_MODE_PROGRESS, 0));
    EXPECT_EQ(bar.m_nMode, BPC_MODE_PROGRESS);
}

TEST(BusyPaintLeak, ManyPaintsLeakNoGdiObjects) {
    HostWindow host;
    Surface s(44, 10);
    const int freeAtStart = FreeGdiSlots();
    {
        TestBar bar(4, 1);
        ASSERT_TRUE(bar.Create(WS_CHILD, RECT{0, 0, 44, 10}, host.Wnd(), kBarId));
        bar.UseDistinctColours();
        bar.PaintTo(s.Dc()); // the back buffer is made once, at the first paint
        DWORD objectsBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
        int freeBefore = FreeGdiSlots();
        for (int i = 0; i < 2000; ++i) {
            if (i == 1000) {
                bar.SetMode(BPC_MODE_PROGRESS);
                bar.m_nPos = 0;
                bar.SendMessage(BPM_SETPROGRESS, 3, 8); // f = 1.5: active, partial, normal
            }
            bar.PaintTo(s.Dc());
        }
        EXPECT_EQ(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS), objectsBefore);
        EXPECT_EQ(FreeGdiSlots(), freeBefore);
        auto blocks = bar.Blocks();
        EXPECT_EQ(s.At(blocks[0].left + 4, 5), bar.m_crActiveFill);
        EXPECT_EQ(s.At(blocks[1].left + 1, 5), bar.m_crActiveFill); // partial fill, 5 pixels
        EXPECT_EQ(s.At(blocks[1].left + 5, 5), bar.m_crActiveFill);
        EXPECT_EQ(s.At(blocks[1].left + 6, 5), bar.m_crBlockFill);
        EXPECT_EQ(s.At(blocks[1].left, 5), bar.m_crBlockEdge);

        // A resize drops the buffer and the next paint makes a new one.
        for (int i = 0; i < 50; ++i) {
            MoveWindow(bar.GetSafeHwnd(), 0, 0, 44 - i % 2, 10, FALSE);
            bar.PaintTo(s.Dc());
        }
        EXPECT_EQ(FreeGdiSlots(), freeBefore);
        DestroyWindow(bar.GetSafeHwnd());
    }
    EXPECT_EQ(FreeGdiSlots(), freeAtStart) << "the back buffer outlived the control";
}

// Attached to an existing static, as the dialog's data exchange does it.
TEST(BusyAttach, SubclassingAStaticLaysOutTheBlocks) {
    HostWindow host;
    HWND item = CreateWindowExA(0, "STATIC", "Busy Bar", WS_CHILD | WS_VISIBLE, 0, 0, 251, 17,
                                host.Handle(), reinterpret_cast<HMENU>(UINT_PTR{kBarId}),
                                GetModuleHandleA(nullptr), nullptr);
    TestBar bar(10, 0);
    ASSERT_TRUE(bar.SubclassWindow(item));
    EXPECT_DOUBLE_EQ(bar.m_dBlockWidth, (251.0 - 10) / 10);
    bar.m_nBlocks = 30; // what the dialog does after attaching
    bar.RecalcLayout();
    EXPECT_DOUBLE_EQ(bar.m_dBlockWidth, (251.0 - 30) / 30);
    EXPECT_EQ(bar.SendMessage(BPM_SETPOS, 2), 0); // messages reach the object
    EXPECT_EQ(bar.m_nPos, 2);
}

} // namespace
