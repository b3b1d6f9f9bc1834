// The animation, as the dialog sees it: the highlight moves while the bar
// runs and stands still once a stop has returned, whatever the order of
// starts and stops, and no thread of the bar outlives a stop or the bar.
#include "Wait.h"
#include "busy_test_support.h"

#include <future>
#include <memory>

namespace {

bool WaitForPosition(TestBar& bar, int atLeast) {
    return WaitUntil([&] { return bar.m_nPos >= atLeast; }, 5000);
}

// The highlight does not move during several steps' time.
bool StandsStill(TestBar& bar) {
    int pos = bar.m_nPos;
    Sleep(5 * bar.m_nDelay + 50);
    return bar.m_nPos == pos;
}

// Every thread the bar started has ended.
void ExpectNoThreadLeft(int before) {
    EXPECT_TRUE(WaitUntil([&] { return ThreadCount() == before; }, 5000))
        << ThreadCount() - before << " thread(s) left behind";
}

TEST(BusyAnimation, MovesWhileRunningAndStandsStillOnceStopped) {
    int before = ThreadCount();
    TestBar bar(30, 0);
    bar.m_nDelay = 20;
    bar.StartAnimation();
    EXPECT_TRUE(WaitForPosition(bar, 2)) << "the highlight does not move";
    bar.StopAnimation();
    EXPECT_TRUE(StandsStill(bar)) << "still stepping after the stop";
    ExpectNoThreadLeft(before);
}

// Stopping at once, starting while running, stopping while idle, the
// stop and mode messages: each leaves one thread or none, never more.
TEST(BusyAnimation, NoOrderOfStartsAndStopsLeavesAThreadBehind) {
    int before = ThreadCount();
    HostWindow host;
    TestBar bar(30, 4);
    ASSERT_TRUE(bar.Create(WS_CHILD, RECT{0, 0, 302, 20}, host.Wnd(), 1013));
    bar.m_nDelay = 20;
    bar.StopAnimation(); // idle: nothing to do
    EXPECT_EQ(bar.m_nPos, 4);
    for (int i = 0; i < 50; ++i) {
        bar.StartAnimation();
        bar.StopAnimation();
    }
    for (int i = 0; i < 20; ++i)
        bar.StartAnimation();
    EXPECT_EQ(ThreadCount(), before + 1) << "a start while running replaces the thread";
    bar.SendMessage(BPM_STOP);
    EXPECT_TRUE(StandsStill(bar));
    bar.SendMessage(BPM_START);
    bar.SendMessage(BPM_SETMODE, BPC_MODE_PROGRESS);
    EXPECT_TRUE(StandsStill(bar)) << "a mode change stops the animation";
    bar.StartAnimation();
    EXPECT_TRUE(StandsStill(bar)) << "progress mode does not animate";
    ExpectNoThreadLeft(before);
}

// A stop during a long wait between steps returns at once instead of
// waiting the step out (the dialog stops the bar when a copy ends).
TEST(BusyAnimation, StopCutsALongWaitShort) {
    TestBar bar(30, 0);
    bar.m_nDelay = 600000; // the first step comes at once, then ten minutes
    bar.StartAnimation();
    ASSERT_TRUE(WaitForPosition(bar, 1));
    auto stopped = std::async(std::launch::async, [&] { bar.StopAnimation(); });
    EXPECT_EQ(stopped.wait_for(std::chrono::seconds(30)), std::future_status::ready)
        << "the stop waits for the step delay";
}

TEST(BusyAnimation, DelayChangeTakesEffectDuringARun) {
    TestBar bar(1000, 0);
    bar.m_nDelay = 500;
    bar.StartAnimation();
    ASSERT_TRUE(WaitForPosition(bar, 1));
    bar.m_nDelay = 1; // from the next wait on; 50 steps would take 25 s at the old pace
    EXPECT_TRUE(WaitForPosition(bar, 50)) << "the new delay is not used";
    bar.StopAnimation();
}

// The window can go first, as in a dialog; the bar's end ends its thread.
TEST(BusyAnimation, DestroyingARunningBarEndsItsThread) {
    int before = ThreadCount();
    HostWindow host;
    auto bar = std::make_unique<TestBar>(30, 0);
    ASSERT_TRUE(bar->Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 302, 20}, host.Wnd(), 1013));
    bar->StartAnimation();
    ASSERT_TRUE(WaitForPosition(*bar, 1));
    DestroyWindow(bar->GetSafeHwnd());
    bar.reset();
    EXPECT_EQ(ThreadCount(), before) << "a thread outlived the control";
    PumpMessages();
}

} // namespace
