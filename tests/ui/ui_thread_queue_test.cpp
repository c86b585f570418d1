#include "core/ui/ui_thread_queue.h"

#include <QCoreApplication>

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace lumetra::core::ui {
namespace {

TEST(UiThreadQueue, CallsFromAWorkerRunOnTheOwnersThreadInTheOrderPosted)
{
    UiThreadQueue queue;
    std::vector<int> ran;
    std::vector<std::thread::id> threads;
    std::thread worker([&] {
        for (int i = 0; i < 500; ++i)
            queue.post([&, i] {
                ran.push_back(i);
                threads.push_back(std::this_thread::get_id());
            });
    });
    worker.join();
    EXPECT_TRUE(ran.empty()) << "nothing runs before the owner's event loop turns";

    QCoreApplication::processEvents();
    ASSERT_EQ(ran.size(), 500u);
    for (int i = 0; i < 500; ++i)
        ASSERT_EQ(ran[i], i);
    for (const auto id : threads)
        ASSERT_EQ(id, std::this_thread::get_id());

    queue.post([&] { ran.push_back(-1); });
    QCoreApplication::processEvents();
    EXPECT_EQ(ran.back(), -1) << "a call posted after a drain is drained again";
}

} // namespace
} // namespace lumetra::core::ui
