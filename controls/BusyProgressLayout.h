#pragma once
// The busy bar's geometry as pure functions: block size, block rectangles
// and the progress fill, computed without a window.

#include <windows.h>

#include <vector>

// Block size for a client rectangle: `blocks` blocks, each followed by `gap`
// free pixels. Width is fractional; with no blocks both are 0.
struct BlockLayout {
    double width = 0.0;
    double height = 0.0;
};
BlockLayout ComputeBlockLayout(const RECT& client, int blocks, int gap);

// Walks the block rectangles left to right, starting at (0, 0). The edges
// come from a running fractional position, so the truncation error never
// accumulates across the row.
class BlockCursor {
public:
    BlockCursor(const BlockLayout& layout, int gap);
    const RECT& Rect() const { return m_rect; }
    void Advance();

private:
    BlockLayout m_layout;
    int m_gap;
    double m_x = 0.0;
    RECT m_rect;
};

// All `blocks` rectangles of a row at once.
std::vector<RECT> LayoutBlockRects(const BlockLayout& layout, int blocks, int gap);

// Which blocks progress mode draws filled: blocks [0, full) are drawn as
// active, and block `full` gets an inner fill `partial` pixels wide (0: none).
struct ProgressFill {
    int full = 0;
    int partial = 0;
};
ProgressFill ComputeProgressFill(int value, int pos, int total, int blocks, double blockWidth);
