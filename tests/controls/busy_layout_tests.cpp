// Block geometry, progress fill and stepping: pure logic, no window.
#include "busy_test_support.h"

#include <cmath>
#include <vector>

namespace {

TEST(BusyLayout, BlockSizeForSeveralWidthsCountsAndGaps) {
    struct Case {
        RECT client;
        int blocks, gap;
        double width, height;
    };
    const Case cases[] = {
        {{0, 0, 302, 20}, 30, 1, 272.0 / 30, 20},
        {{0, 0, 100, 10}, 10, 0, 10.0, 10},
        {{0, 0, 50, 7}, 3, 2, 44.0 / 3, 7},
        {{5, 2, 105, 12}, 10, 0, 10.0, 10}, // the left edge counts, not just the right
        {{0, 0, 7, 3}, 2, 1, 2.5, 3},       // the division is not integer division
        {{0, 0, 10, 5}, 20, 1, -0.5, 5},    // more blocks than room
    };
    for (const Case& c : cases) {
        BlockLayout layout = ComputeBlockLayout(c.client, c.blocks, c.gap);
        EXPECT_DOUBLE_EQ(layout.width, c.width) << c.client.right << "/" << c.blocks;
        EXPECT_DOUBLE_EQ(layout.height, c.height);
    }
    EXPECT_EQ(ComputeBlockLayout({0, 0, 100, 10}, 0, 1).width, 0.0);
    EXPECT_EQ(ComputeBlockLayout({0, 0, 100, 10}, -3, 1).width, 0.0);
}

TEST(BusyLayout, BlocksTileTheRowExactlyWhenTheWidthIsWhole) {
    // 44 = 4 * (10 + 1): blocks at 0, 11, 22, 33, each 10 wide.
    auto rects = LayoutBlockRects(ComputeBlockLayout({0, 0, 44, 8}, 4, 1), 4, 1);
    ASSERT_EQ(rects.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(rects[i].left, 11 * i);
        EXPECT_EQ(rects[i].right, 11 * i + 10);
        EXPECT_EQ(rects[i].top, 0);
        EXPECT_EQ(rects[i].bottom, 8);
    }
}

TEST(BusyLayout, FractionalBlocksDoNotDriftAcrossTheRow) {
    for (int width : {302, 331, 497, 100}) {
        for (int gap : {0, 1, 3}) {
            const int blocks = 30;
            BlockLayout layout = ComputeBlockLayout({0, 0, width, 17}, blocks, gap);
            auto rects = LayoutBlockRects(layout, blocks, gap);
            ASSERT_EQ(rects.size(), static_cast<size_t>(blocks));
            EXPECT_EQ(rects[0].left, 0);
            EXPECT_EQ(rects[0].right, static_cast<int>(layout.width));
            const int narrow = static_cast<int>(std::floor(layout.width));
            for (int i = 0; i < blocks; ++i) {
                int w = rects[i].right - rects[i].left;
                EXPECT_TRUE(w == narrow || w == narrow + 1) << width << " block " << i;
                if (i > 0) {
                    int space = rects[i].left - rects[i - 1].right;
                    EXPECT_GE(space, gap - 1);
                    EXPECT_LE(space, gap + 1);
                }
            }
            // The last block ends where the row minus its trailing gap ends.
            EXPECT_GE(rects.back().right, width - gap - 1) << width << "/" << gap;
            EXPECT_LE(rects.back().right, width - gap) << width << "/" << gap;
        }
    }
}

TEST(BusyLayout, ProgressFill) {
    const double w = 272.0 / 30; // 30 blocks in 302 pixels
    auto fill = ComputeProgressFill(50, 0, 100, 30, w);
    EXPECT_EQ(fill.full, 15);
    EXPECT_EQ(fill.partial, 0);

    fill = ComputeProgressFill(1, 0, 100, 30, w); // f = 0.3
    EXPECT_EQ(fill.full, 0);
    EXPECT_EQ(fill.partial, static_cast<int>(0.3 * w));

    fill = ComputeProgressFill(40, 10, 100, 30, w); // the position adds to the value
    EXPECT_EQ(fill.full, 15);

    fill = ComputeProgressFill(7, 0, 0, 30, w); // no total: all done
    EXPECT_EQ(fill.full, 30);
    EXPECT_EQ(fill.partial, 0);

    fill = ComputeProgressFill(150, 0, 100, 30, w);
    EXPECT_EQ(fill.full, 30);
    EXPECT_EQ(fill.partial, 0);

    fill = ComputeProgressFill(-5, 0, 100, 30, w);
    EXPECT_EQ(fill.full, 0);
    EXPECT_EQ(fill.partial, 0);
}

std::vector<int> Steps(TestBar& bar, int count) {
    std::vector<int> seen;
    for (int i = 0; i < count; ++i) {
        bar.StepPosition();
        seen.push_back(bar.m_nPos);
    }
    return seen;
}

TEST(BusyStep, ThirtyBlocksRunThereAndBack) {
    TestBar bar(30, 0);
    std::vector<int> expected;
    for (int p = 1; p <= 29; ++p)
        expected.push_back(p);
    for (int p = 28; p >= 0; --p)
        expected.push_back(p);
    expected.push_back(1);
    expected.push_back(2);
    EXPECT_EQ(Steps(bar, static_cast<int>(expected.size())), expected);
}

TEST(BusyStep, OneBlockRunsAwayBecauseTheZeroTestWins) {
    TestBar bar(1, 0);
    EXPECT_EQ(Steps(bar, 4), (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(bar.m_nDirection, 1);
}

TEST(BusyStep, PositionOutsideTheRangeTurnsOnlyAtTheEnds) {
    TestBar bar(30, 40);
    EXPECT_EQ(Steps(bar, 3), (std::vector<int>{41, 42, 43}));

    bar.m_nPos = -3; // moving up from below: passes 0 without turning back
    EXPECT_EQ(Steps(bar, 5), (std::vector<int>{-2, -1, 0, 1, 2}));

    bar.m_nPos = 29; // turn down, then jump above the range
    bar.StepPosition();
    EXPECT_EQ(bar.m_nDirection, -1);
    bar.m_nPos = 33;
    EXPECT_EQ(Steps(bar, 5), (std::vector<int>{32, 31, 30, 29, 28}));

    bar.m_nPos = -2; // moving down below the range goes on for ever
    EXPECT_EQ(Steps(bar, 3), (std::vector<int>{-3, -4, -5}));
}

TEST(BusyStep, ProgressModeAddsTheDirectionWithoutTurning) {
    TestBar bar(30, 29);
    bar.SetMode(BPC_MODE_PROGRESS);
    EXPECT_EQ(Steps(bar, 3), (std::vector<int>{30, 31, 32}));
    bar.SetMode(7); // unknown modes are not taken
    EXPECT_EQ(bar.m_nMode, BPC_MODE_PROGRESS);
}

} // namespace
