// The copy job on its worker thread: completion, stop requests, and the
// handle the dialog waits on when it closes.
#include "WalkFixture.h"
#include "WinThread.h"

namespace {

TEST_F(WalkCase, WorkerCopiesAndCompletesOnItsOwnThread) {
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "abc"}, {"sub\\b.txt", "de"}}));
    auto* job = new copy_job(source, destination, true, recorder.window(), recorder.queue());
    EXPECT_EQ(job->worker_handle(), nullptr);
    ASSERT_FALSE(job->start()) << "false means the thread runs";
    ASSERT_NE(job->worker_handle(), nullptr);
    ASSERT_TRUE(recorder.wait_done());
    EXPECT_EQ(WaitForSingleObject(job->worker_handle(), 10000), WAIT_OBJECT_0)
        << "the worker ends by itself after its completion notice";
    copy_statistics counters = job->get_statistics();
    EXPECT_EQ(counters.files_copied, 2);
    EXPECT_EQ(counters.bytes_copied, 5.0);
    EXPECT_FALSE(job->is_incomplete());
    delete job;
    EXPECT_EQ(CompareTrees(source, destination), "");
}

TEST_F(WalkCase, StopBeforeFirstEntryStillPreparesAndAnnounces) {
    ASSERT_TRUE(MakeTree(source, {{"a.txt", "abc"}, {"sub\\b.txt", "de"}}));
    destination = temp.path() + "new\\deeper\\";
    copy_job job(source, destination, true, recorder.window(), recorder.queue(), &fs);
    job.request_stop();
    job.run();
    std::vector<Notification> expected = {Folder(source), Done()};
    EXPECT_EQ(recorder.notifications(), expected) << Describe(recorder.notifications());
    copy_statistics counters = job.get_statistics();
    EXPECT_EQ(counters.files_copied + counters.files_failed, 0);
    EXPECT_EQ(counters.bytes_copied + counters.bytes_failed, 0.0);
    EXPECT_TRUE(FolderExists(destination)) << "the destination was still prepared";
    EXPECT_TRUE(job.is_incomplete());
    EXPECT_EQ(fs.find_first_calls, fs.find_close_calls);
}

// The stop is asked while the first file is being copied: that file
// completes and is counted, nothing else is copied, and every level closes
// its listing. (Several copies in flight: windowed_walk_tests.cpp.)
TEST_F(WalkCase, StopDuringCopyUnwindsEveryLevel) {
    ASSERT_TRUE(MakeTree(source, {{"l1\\l2\\f1.txt", "1"},
                                  {"l1\\l2\\f2.txt", "2"},
                                  {"l1\\l2\\f3.txt", "3"},
                                  {"l1\\other\\g.txt", "4"},
                                  {"l1\\h.txt", "5"},
                                  {"zz\\i.txt", "6"},
                                  {"top.txt", "7"}}));
    copy_job job(source, destination, true, recorder.window(), recorder.queue(), &fs);
    job.set_copy_threads(1); // one copy in flight: the stop finds exactly one
    fs.before_copy = [&](const std::string&) { job.request_stop(); };
    ASSERT_FALSE(job.start());
    ASSERT_TRUE(recorder.wait_done());
    WaitForSingleObject(job.worker_handle(), 10000);

    copy_statistics counters = job.get_statistics();
    EXPECT_EQ(counters.files_copied, 1);
    EXPECT_EQ(counters.files_failed, 0);
    EXPECT_EQ(fs.copy_sources.size(), 1u);
    EXPECT_EQ(recorder.last_statistics(), "Statistics: 0.00Mb copied in 1 files")
        << "the current file's statistics were still sent";
    EXPECT_TRUE(job.is_incomplete());
    EXPECT_EQ(fs.find_first_calls, fs.find_close_calls) << "every listing closed";
    // Only folder announcements, then done: nothing failed on the way out.
    auto all = recorder.without_progress();
    for (auto it = all.begin(); it + 1 < all.end(); ++it)
        EXPECT_EQ(it->message, static_cast<UINT>(WM_COPY_FOLDER)) << Describe(all);
    EXPECT_EQ(all.back(), Done());
}

// Closing stops the copy after its current file and waits for the worker as
// long as that file takes; the program ends after the wait. Here the wait
// reports in every few milliseconds instead of every second, and the file
// is large enough to outlast many such intervals: a wait that gave up at
// one would end the program with the file half written.
TEST_F(WalkCase, ClosingWaitLastsAsLongAsTheCurrentFile) {
    std::string large(32 << 20, '\0');
    for (size_t i = 0; i < large.size(); i += 4096)
        large[i] = static_cast<char>(i / 4096);
    ASSERT_TRUE(WriteFileBytes(source + "large.bin", large));
    auto* job = new copy_job(source, destination, true, recorder.window(), recorder.queue(), &fs);
    // The close comes as the copy starts on the file.
    fs.before_copy = [&](const std::string&) { job->request_stop(); };
    ASSERT_FALSE(job->start());
    int intervals = 0;
    EXPECT_TRUE(
        WaitForThreadServingMessages(job->worker_handle(), 2, [&](DWORD) { ++intervals; }));
    EXPECT_EQ(WaitForSingleObject(job->worker_handle(), 0), WAIT_OBJECT_0) << "the wait ended first";
    std::string copied;
    EXPECT_TRUE(ReadFileBytes(destination + "large.bin", copied) && copied == large)
        << "the file is not whole";
    EXPECT_GT(intervals, 1) << "the file did not outlast the shortened interval";
    ASSERT_TRUE(recorder.wait_done());
    delete job;
}

} // namespace
