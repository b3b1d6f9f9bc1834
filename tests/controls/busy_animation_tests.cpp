// The animation thread: it runs, it stops, and no start/stop order leaves a
// thread behind.
#include "Wait.h"
#include "busy_test_support.h"

#include <memory>
#include <vector>

namespace {

constexpr DWORD kEndLimitMs = 5000; // generous: the machine may be busy

// Owns the thread handles the test collected.
struct Handles {
    std::vector<HANDLE> list;
    ~Handles() {
        for (HANDLE h : list)
            CloseHandle(h);
    }
    void Add(HANDLE h) {
        ASSERT_TRUE(h) << "no animation thread";
        list.push_back(h);
    }
    bool AllEnded() const {
        for (HANDLE h : list)
            if (!EndsWithin(h, kEndLimitMs))
                return false;
        return true;
    }
};

bool WaitForPosition(TestBar& bar, int atLeast) {
    return WaitUntil([&] { return bar.m_nPos >= atLeast; }, 5000);
}

TEST(BusyAnimation, RunsAndStops) {
    TestBar bar(30, 0);
    bar.StartAnimation();
    Handles h;
    h.Add(bar.DuplicateThreadHandle());
    EXPECT_TRUE(bar.m_bAnimating);
    EXPECT_TRUE(WaitForPosition(bar, 2)) << "the highlight does not move";
    bar.StopAnimation();
    EXPECT_FALSE(bar.m_bAnimating);
    EXPECT_EQ(bar.m_pAnimThread, nullptr);
    int pos = bar.m_nPos;
    // Once its thread has ended, nothing steps the highlight any more.
    EXPECT_TRUE(h.AllEnded());
    EXPECT_EQ(bar.m_nPos, pos) << "still stepping after the stop";
}

TEST(BusyAnimation, StopRightAfterStartEndsEveryThread) {
    TestBar bar(30, 0);
    Handles h;
    for (int i = 0; i < 100; ++i) {
        bar.StartAnimation();
        h.Add(bar.DuplicateThreadHandle());
        bar.StopAnimation();
    }
    EXPECT_TRUE(h.AllEnded());
    EXPECT_EQ(bar.m_pAnimThread, nullptr);
}

TEST(BusyAnimation, StopWhileIdleDoesNothing) {
    TestBar bar(30, 4);
    bar.StopAnimation();
    bar.StopAnimation();
    EXPECT_EQ(bar.m_pAnimThread, nullptr);
    EXPECT_FALSE(bar.m_bAnimating);
    EXPECT_EQ(bar.m_nPos, 4);
}

TEST(BusyAnimation, StartWhileRunningReplacesTheThread) {
    TestBar bar(30, 0);
    Handles h;
    bar.StartAnimation();
    h.Add(bar.DuplicateThreadHandle());
    for (int i = 0; i < 20; ++i) {
        bar.StartAnimation();
        EXPECT_TRUE(EndsWithin(h.list.back(), kEndLimitMs)) << "the earlier thread still runs";
        h.Add(bar.DuplicateThreadHandle());
    }
    EXPECT_FALSE(EndsWithin(h.list.back(), 300)) << "the newest thread should be running";
    bar.StopAnimation();
    EXPECT_TRUE(h.AllEnded());
}

TEST(BusyAnimation, AThreadThatAStopGaveUpOnDoesNotRejoinTheNextRun) {
    TestBar bar(30, 0);
    bar.m_nDelay = 300;
    bar.StartAnimation();
    Handles h;
    h.Add(bar.DuplicateThreadHandle());
    ASSERT_TRUE(WaitForPosition(bar, 1));
    // Hold the thread (it only sleeps or touches atomics, so it holds no
    // lock), so that it cannot see the stop before the next start.
    HANDLE old = OpenThread(THREAD_SUSPEND_RESUME, FALSE, bar.m_pAnimThread->m_nThreadID);
    ASSERT_TRUE(old);
    ASSERT_NE(SuspendThread(old), static_cast<DWORD>(-1));
    bar.m_nDelay = 0; // a zero wait: the stop gives up on the thread at once
    bar.StopAnimation();
    bar.m_nDelay = 300;
    bar.StartAnimation(); // the run flag is up again
    h.Add(bar.DuplicateThreadHandle());
    ResumeThread(old);
    CloseHandle(old);
    EXPECT_TRUE(EndsWithin(h.list[0], kEndLimitMs)) << "the forgotten thread kept animating";
    EXPECT_FALSE(EndsWithin(h.list[1], 100)) << "the new run should go on";
    bar.StopAnimation();
    EXPECT_TRUE(h.AllEnded());
}

TEST(BusyAnimation, ProgressModeDoesNotStart) {
    TestBar bar(30, 0);
    bar.SetMode(BPC_MODE_PROGRESS);
    bar.StartAnimation();
    EXPECT_EQ(bar.m_pAnimThread, nullptr);
    EXPECT_FALSE(bar.m_bAnimating);
    EXPECT_EQ(bar.m_nPos, 0);
}

TEST(BusyAnimation, StopAndModeMessagesStopTheThread) {
    HostWindow host;
    TestBar bar(30, 0);
    ASSERT_TRUE(bar.Create(WS_CHILD, RECT{0, 0, 302, 20}, host.Wnd(), 1013));
    Handles h;
    bar.SendMessage(BPM_START);
    h.Add(bar.DuplicateThreadHandle());
    bar.SendMessage(BPM_STOP);
    EXPECT_EQ(bar.m_pAnimThread, nullptr);
    bar.SendMessage(BPM_START);
    h.Add(bar.DuplicateThreadHandle());
    bar.SendMessage(BPM_SETMODE, BPC_MODE_BUSY);
    EXPECT_TRUE(h.AllEnded());
    EXPECT_EQ(bar.m_pAnimThread, nullptr);
    EXPECT_EQ(bar.m_nMode, BPC_MODE_BUSY);
}

TEST(BusyAnimation, StopWakesALongSleep) {
    TestBar bar(30, 0);
    bar.m_nDelay = 60000; // the first step comes at once, then a long sleep
    bar.StartAnimation();
    Handles h;
    h.Add(bar.DuplicateThreadHandle());
    ASSERT_TRUE(WaitForPosition(bar, 1));
    bar.StopAnimation();
    EXPECT_TRUE(h.AllEnded()) << "the thread sleeps on after the stop";
}

TEST(BusyAnimation, DelayChangeTakesEffectDuringARun) {
    TestBar bar(1000, 0);
    bar.m_nDelay = 500;
    bar.StartAnimation();
    ASSERT_TRUE(WaitForPosition(bar, 1));
    bar.m_nDelay = 1; // from the next sleep on; 50 steps would take 25 s at the old pace
    EXPECT_TRUE(WaitForPosition(bar, 50)) << "the new delay is not used";
    bar.StopAnimation();
}

TEST(BusyAnimation, DestroyingARunningBarEndsItsThreads) {
    HostWindow host;
    auto bar = std::make_unique<TestBar>(30, 0);
    ASSERT_TRUE(bar->Create(WS_CHILD | WS_VISIBLE, RECT{0, 0, 302, 20}, host.Wnd(), 1013));
    Handles h;
    bar->StartAnimation();
    h.Add(bar->DuplicateThreadHandle());
    bar->m_nDelay = 0;
    bar->StopAnimation(); // probably forgotten at once
    bar->m_nDelay = 100;
    bar->StartAnimation();
    h.Add(bar->DuplicateThreadHandle());
    ASSERT_TRUE(WaitForPosition(*bar, 1));
    DestroyWindow(bar->GetSafeHwnd()); // the window can go first, as in a dialog
    bar.reset();
    for (HANDLE t : h.list)
        EXPECT_TRUE(EndsWithin(t, 0)) << "a thread outlived the control";
    PumpMessages();
}

} // namespace
