// The window of copies in flight on its own: whatever order the copies
// finish in, their outcomes are applied in the order they were added; a
// stop starts nothing new and leaves a prefix; a large file goes alone.

#include "CopyWindow.h"
#include "Handle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <string>
#include <vector>

namespace {

struct WindowCase : ::testing::Test {
    std::atomic<bool> stop{false};
    std::mutex lock;
    std::vector<std::string> started, applied;

    // A copy that records its start and, when `hold` is given, waits for it.
    std::function<void()> Copy(const std::string& name, HANDLE hold = nullptr) {
        return [this, name, hold] {
            {
                std::lock_guard<std::mutex> guard(lock);
                started.push_back(name);
            }
            if (hold)
                WaitForSingleObject(hold, 10000);
        };
    }
    std::function<void()> Apply(const std::string& name) {
        return [this, name] { applied.push_back(name); };
    }
    static HANDLE Event() { return CreateEventA(nullptr, TRUE, FALSE, nullptr); }
    // Waits until `count` copies have started.
    bool Started(std::size_t count) {
        for (int i = 0; i < 1000; ++i) {
            {
                std::lock_guard<std::mutex> guard(lock);
                if (started.size() >= count)
                    return true;
            }
            Sleep(10);
        }
        return false;
    }
};

TEST_F(WindowCase, CopiesFinishingOutOfOrderAreAppliedInWalkOrder) {
    HANDLE first = Event(), second = Event();
    {
        copy_window window(3, 16, &stop);
        ASSERT_TRUE(window.start());
        window.add_copy(1, Copy("a", first), Apply("a"));
        window.add_step(Apply("heading"));
        window.add_copy(1, Copy("b", second), Apply("b"));
        window.add_copy(1, Copy("c"), Apply("c"));
        ASSERT_TRUE(Started(3));
        window.apply_ready();
        EXPECT_TRUE(applied.empty()); // "c" is done, but "a" is not
        SetEvent(second);
        SetEvent(first);
        window.drain();
    }
    EXPECT_EQ(applied, (std::vector<std::string>{"a", "heading", "b", "c"}));
    CloseHandle(first);
    CloseHandle(second);
}

TEST_F(WindowCase, StopLetsCopiesInFlightFinishAndStartsNothingNew) {
    HANDLE hold = Event();
    {
        copy_window window(2, 16, &stop);
        ASSERT_TRUE(window.start());
        window.add_copy(1, Copy("a", hold), Apply("a"));
        window.add_copy(1, Copy("b", hold), Apply("b"));
        ASSERT_TRUE(Started(2));
        window.add_copy(1, Copy("c"), Apply("c"));
        window.add_step(Apply("after c"));
        window.add_step(Apply("kept"), true);
        stop = true;
        window.add_copy(1, Copy("d"), Apply("d"));
        SetEvent(hold);
        window.drain();
    }
    // Both were in flight at once: which of them was recorded first is timing.
    std::sort(started.begin(), started.end());
    EXPECT_EQ(started, (std::vector<std::string>{"a", "b"}));
    EXPECT_EQ(applied, (std::vector<std::string>{"a", "b", "kept"}));
    CloseHandle(hold);
}

TEST_F(WindowCase, LargeFileGoesAlone) {
    HANDLE hold = Event();
    {
        copy_window window(4, 16, &stop);
        ASSERT_TRUE(window.start());
        window.add_copy(copy_window::kBytesInFlight + 1, Copy("large", hold), Apply("large"));
        window.add_copy(1, Copy("small"), Apply("small"));
        ASSERT_TRUE(Started(1));
        Sleep(50); // room for a wrong start; the check below holds either way
        {
            std::lock_guard<std::mutex> guard(lock);
            EXPECT_EQ(started, std::vector<std::string>{"large"});
        }
        SetEvent(hold);
        window.drain();
    }
    EXPECT_EQ(applied, (std::vector<std::string>{"large", "small"}));
    CloseHandle(hold);
}

} // namespace
