// Copies in flight through the engine's seam: whatever order they finish
// in, the report is that of a one-at-a-time copy byte for byte; a stop
// leaves exactly a prefix in walk order; an alert comes after every line
// before it, with nothing after it started.

#include "ReportLines.h"
#include "Wait.h"
#include "WalkFixture.h"

#include <algorithm>
#include <atomic>
#include <set>

namespace {

struct WindowedWalk : WalkCase {
    void SetUp() override {
        WalkCase::SetUp();
        ASSERT_TRUE(MakeTree(source, {{"a\\1.txt", "1"},
                                      {"a\\bad2.txt", "22"},
                                      {"a\\b\\3.txt", "333"},
                                      {"a\\b\\bad4.txt", "4444"},
                                      {"a\\b\\5.txt", "5"},
                                      {"bad6.txt", "66"},
                                      {"c\\7.txt", "7"},
                                      {"c\\8.txt", "8"},
                                      {"9.txt", "9"}}));
        fs.fail_copy = [](const std::string& from) -> DWORD {
            return from.find("bad") != std::string::npos ? ERROR_ACCESS_DENIED : 0;
        };
    }
    // A one-at-a-time copy into a destination of its own: its notices, and
    // the files in the order it tried them.
    std::vector<Notification> Reference() {
        std::string windowed = destination;
        destination = temp.path() + "reference\\";
        copyThreads = 0;
        Run();
        std::vector<Notification> notices = recorder.without_progress();
        order = fs.sources_now();
        fs.copy_sources.clear();
        fs.find_next_calls = 0;
        destination = windowed;
        copyThreads = 4;
        return notices;
    }
    std::vector<std::string> order;
};

TEST_F(WindowedWalk, CopiesFinishingOutOfOrderGiveTheOneAtATimeReport) {
    std::vector<Notification> expected = Reference();
    copy_statistics one_at_a_time = statistics;
    // Each file is held until the copies of the two after it have started.
    fs.before_copy = [&](const std::string& from) {
        auto at = std::find(order.begin(), order.end(), from) - order.begin();
        std::size_t after = std::min<std::size_t>(at + 3, order.size());
        WaitUntil([&] { return fs.sources_now().size() >= after; }, 2000, 1);
    };
    Run();
    std::vector<Notification> notices = recorder.without_progress();
    EXPECT_EQ(notices, expected) << Describe(notices);
    EXPECT_EQ(ReportOfNotices(notices), ReportOfNotices(expected));
    EXPECT_EQ(statistics.files_copied, one_at_a_time.files_copied);
    EXPECT_EQ(statistics.files_failed, one_at_a_time.files_failed);
    EXPECT_EQ(statistics.bytes_failed, one_at_a_time.bytes_failed);
    EXPECT_EQ(recorder.last_statistics(), statistics_line(one_at_a_time));
}

TEST_F(WindowedWalk, StopWithCopiesInFlightLeavesAPrefixInWalkOrder) {
    Reference();
    fs.fail_copy = nullptr;
    copy_job job(source, destination, true, recorder.window(), recorder.queue(), &fs);
    job.set_copy_threads(3);
    // The third file asks for the stop once the two after it are copying;
    // those two wait for it, or the files after them could all be copied
    // before the stop came.
    std::atomic<bool> stopped{false};
    fs.before_copy = [&](const std::string& from) {
        if (from == order[3] || from == order[4])
            WaitUntil([&] { return stopped.load(); }, 2000, 1);
        if (from != order[2])
            return;
        WaitUntil([&] { return fs.sources_now().size() >= 5; }, 2000, 1);
        job.request_stop();
        stopped = true;
    };
    recorder.clear();
    ASSERT_FALSE(job.start());
    ASSERT_TRUE(recorder.wait_done());
    WaitForSingleObject(job.worker_handle(), 10000);
    std::vector<std::string> started = fs.sources_now();
    int copied = job.get_statistics().files_copied;
    ASSERT_EQ(copied, 5);
    EXPECT_EQ(static_cast<std::size_t>(copied), started.size()) << "each started copy finished";
    EXPECT_EQ(std::set<std::string>(started.begin(), started.end()),
              std::set<std::string>(order.begin(), order.begin() + copied))
        << "nothing after the stop point started";
    for (std::size_t i = 0; i < order.size(); ++i) {
        std::string there = destination + order[i].substr(source.size());
        EXPECT_EQ(FileExists(there), i < static_cast<std::size_t>(copied)) << there;
    }
    EXPECT_TRUE(job.is_incomplete());
}

TEST_F(WalkCase, StopAfterTheWalkHasAddedItsLastFileStillLeavesTheJobIncomplete) {
    // The walk has listed everything and only waits for the copies, so it
    // sees no stop of its own: the window drops the files not started.
    ASSERT_TRUE(MakeTree(source, {{"1.txt", "1"}, {"2.txt", "2"}, {"3.txt", "3"}}));
    copy_job job(source, destination, true, recorder.window(), recorder.queue(), &fs);
    job.set_copy_threads(1);
    fs.before_copy = [&](const std::string&) {
        if (fs.sources_now().size() > 1)
            return;
        WaitUntil([&] { return fs.find_close_calls > 0; }, 2000, 1);
        job.request_stop();
    };
    ASSERT_FALSE(job.start());
    ASSERT_TRUE(recorder.wait_done());
    WaitForSingleObject(job.worker_handle(), 10000);
    EXPECT_EQ(fs.sources_now().size(), 1u);
    EXPECT_EQ(job.get_statistics().files_copied, 1);
    EXPECT_TRUE(job.is_incomplete()) << "two files were left out";
}

TEST_F(WindowedWalk, AlertComesAfterEveryLineBeforeItAndNothingNewStarts) {
    // "." and ".." come first under Wine: a listing fails within a subfolder.
    fs.fail_find_next = [](int call) -> DWORD { return call == 6 ? ERROR_NOT_READY : 0; };
    // What the alert finds: the lines received, the copies started.
    std::vector<Notification> seen;
    std::vector<std::string> started;
    recorder.set_hook([&](const Notification& n) {
        if (n.message == WM_COPY_ERROR) {
            seen = recorder.without_progress();
            started = fs.sources_now();
        }
    });
    std::vector<Notification> expected = Reference();
    std::vector<Notification> seen_alone = seen;
    std::set<std::string> started_alone(started.begin(), started.end());
    ASSERT_FALSE(seen_alone.empty());
    ASSERT_LT(started_alone.size(), order.size()) << "files follow the alert";
    fs.before_copy = [](const std::string&) { Sleep(5); }; // copies still in flight
    Run();
    recorder.set_hook(nullptr);
    EXPECT_EQ(seen, seen_alone) << Describe(seen);
    EXPECT_EQ(std::set<std::string>(started.begin(), started.end()), started_alone)
        << "every copy before the alert was done, and none after it had started";
    EXPECT_EQ(recorder.without_progress(), expected);
}

} // namespace
