// The notification queue: order, empty pops, and two threads at once.
#include "CopyChannel.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <thread>
#include <vector>

TEST(MessageQueue, PopsInPushOrderAndEmptyYieldsEmptyString) {
    MessageQueue queue;
    EXPECT_EQ(queue.pop(), "");
    queue.push("first");
    queue.push("second");
    EXPECT_EQ(queue.pop(), "first");
    EXPECT_EQ(queue.pop(), "second");
    EXPECT_EQ(queue.pop(), "");
    EXPECT_EQ(queue.pop(), "") << "an empty queue stays empty";
}

TEST(MessageQueue, TwoThreadsLoseAndDuplicateNothing) {
    MessageQueue queue;
    constexpr int kCount = 20000;
    std::thread producer([&] {
        for (int i = 0; i < kCount; ++i)
            queue.push("item " + std::to_string(i));
    });
    std::vector<std::string> received;
    while (static_cast<int>(received.size()) < kCount) {
        std::string text = queue.pop();
        if (!text.empty())
            received.push_back(text);
    }
    producer.join();
    ASSERT_EQ(received.size(), static_cast<size_t>(kCount));
    for (int i = 0; i < kCount; ++i)
        ASSERT_EQ(received[i], "item " + std::to_string(i)) << "order kept across threads";
    EXPECT_EQ(queue.pop(), "");
}

// The worker's news: notices in walk order, only the newest status and
// statistics, and one posted wake-up however many not-copied notices wait.
TEST(MessageQueue, NewsKeepsOrderTheNewestLinesAndOneWakeUp) {
    HWND window = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr,
                                  nullptr);
    ASSERT_NE(window, nullptr);
    auto wakeUps = [&] {
        int n = 0;
        MSG msg;
        while (PeekMessageA(&msg, window, WM_COPY_NEWS, WM_COPY_NEWS, PM_REMOVE))
            ++n;
        return n;
    };
    MessageQueue queue;
    notify(&queue, window, WM_COPY_FOLDER, "C:\\src\\");
    notify(&queue, window, WM_COPY_STATUS, "Status: copying file C:\\src\\a");
    notify(&queue, window, WM_COPY_STATISTICS, "Statistics: 0.00Mb copied in 1 files");
    EXPECT_EQ(wakeUps(), 0) << "progress alone waits for the dialog's timer";
    notify(&queue, window, WM_COPY_NOT_COPIED, "C:\\src\\b");
    notify(&queue, window, WM_COPY_STATUS, "Status: copying file C:\\src\\c");
    notify(&queue, window, WM_COPY_NOT_COPIED, "C:\\src\\c");
    EXPECT_EQ(wakeUps(), 1) << "one wake-up while one is pending";

    CopyNews news = queue.take_news();
    std::vector<CopyNotice> expected = {{WM_COPY_FOLDER, "C:\\src\\"},
                                        {WM_COPY_NOT_COPIED, "C:\\src\\b"},
                                        {WM_COPY_NOT_COPIED, "C:\\src\\c"}};
    EXPECT_EQ(news.notices, expected);
    EXPECT_EQ(news.status, "Status: copying file C:\\src\\c");
    EXPECT_EQ(news.statistics, "Statistics: 0.00Mb copied in 1 files");

    news = queue.take_news();
    EXPECT_TRUE(news.notices.empty());
    EXPECT_FALSE(news.status) << "a line that did not change is not taken again";
    notify(&queue, window, WM_COPY_NOT_COPIED, "C:\\src\\d");
    EXPECT_EQ(wakeUps(), 1) << "after a take, the next notice wakes again";
    EXPECT_EQ(queue.pop(), "") << "news never reaches the synchronous texts";
    DestroyWindow(window);
}
