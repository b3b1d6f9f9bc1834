#include "BusyProgressLayout.h"

BlockLayout ComputeBlockLayout(const RECT& client, int blocks, int gap) {
    BlockLayout layout;
    if (blocks > 0) {
        // The numerator in int arithmetic, the division in double.
        int free = client.right - blocks * gap - client.left;
        layout.width = static_cast<double>(free) / blocks;
    }
    layout.height = static_cast<double>(client.bottom - client.top);
    return layout;
}

BlockCursor::BlockCursor(const BlockLayout& layout, int gap)
    : m_layout(layout),
      m_gap(gap), m_rect{0, 0, static_cast<LONG>(layout.width), static_cast<LONG>(layout.height)} {}

void BlockCursor::Advance() {
    m_x = m_gap + m_layout.width + m_x;
    m_rect.left = static_cast<LONG>(m_x);
    m_rect.right = static_cast<LONG>(m_x + m_layout.width);
}

std::vector<RECT> LayoutBlockRects(const BlockLayout& layout, int blocks, int gap) {
    std::vector<RECT> rects;
    BlockCursor cursor(layout, gap);
    for (int i = 0; i < blocks; ++i, cursor.Advance())
        rects.push_back(cursor.Rect());
    return rects;
}

ProgressFill ComputeProgressFill(int value, int pos, int total, int blocks, double blockWidth) {
    if (blocks <= 0)
        return {};
    if (total == 0)
        return {blocks, 0}; // nothing to divide by: the whole row shows as done
    double f = (static_cast<double>(value) + pos) / total * blocks;
    if (!(f > 0.0))
        return {};
    if (f >= blocks)
        return {blocks, 0};
    int full = static_cast<int>(f);
    return {full, static_cast<int>((f - full) * blockWidth)};
}
