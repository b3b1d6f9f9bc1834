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
