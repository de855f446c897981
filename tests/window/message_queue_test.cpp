// The per-window message FIFO and the post / peek / dispatch calls on a
// window without SDL behind it.
#include <gtest/gtest.h>

#include <vector>

#include "platform/platform.h"

namespace {

std::vector<uint32_t> g_seen;  // messages in the order the procedure received them

int32_t Record(plat::Window*, uint32_t message, uint32_t first, int32_t second)
{
    g_seen.push_back(message);
    return static_cast<int32_t>(first) + second;
}

}  // namespace

TEST(MessageQueue, FifoOrderCapacityAndWrap)
{
    plat::MessageQueue q;
    plat::Message m{};
    EXPECT_FALSE(q.Take(&m));
    // Interleaved posts and takes walk the ring past its end several times.
    uint32_t next = 0, expected = 0;
    for (int round = 0; round < 10; ++round) {
        for (int i = 0; i < 100; ++i) ASSERT_TRUE(q.Post({next++, 0, 0}));
        for (int i = 0; i < 90; ++i) {
            ASSERT_TRUE(q.Take(&m));
            ASSERT_EQ(m.message, expected++);
        }
    }
    EXPECT_EQ(q.Count(), 100u);
    // Full: the extra message is refused and nothing already queued is lost.
    for (size_t i = q.Count(); i < plat::MessageQueue::kCapacity; ++i) ASSERT_TRUE(q.Post({next++, 0, 0}));
    EXPECT_FALSE(q.Post({9999, 0, 0}));
    EXPECT_EQ(q.Free(), 0u);
    while (q.Take(&m)) ASSERT_EQ(m.message, expected++);
    EXPECT_EQ(expected, next);
}

TEST(MessageQueue, PostPeekDispatchInPostingOrder)
{
    plat::Window window;
    window.procedure = Record;
    g_seen.clear();
    const uint32_t posted[] = {plat::WM_SIZE, plat::WM_KEYDOWN, plat::WM_USER + 1, plat::WM_QUIT, plat::WM_CLOSE};
    for (uint32_t code : posted) ASSERT_TRUE(plat::PostMessage(&window, code, 7, 3));
    plat::WaitMessage(&window);  // something is queued: returns at once

    plat::Message m{};
    std::vector<uint32_t> peeked;
    while (plat::PeekMessage(&window, &m)) {
        peeked.push_back(m.message);
        EXPECT_EQ(plat::DispatchMessage(&window, m), 10);  // the procedure's own result
    }
    EXPECT_EQ(peeked, std::vector<uint32_t>(std::begin(posted), std::end(posted)));
    EXPECT_EQ(g_seen, peeked);
    EXPECT_FALSE(plat::PeekMessage(&window, &m));
    EXPECT_FALSE(plat::PostMessage(nullptr, plat::WM_QUIT, 0, 0));
}
