#include "platform/messages/HeadlessMessageQueue.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

using namespace zt::platform;

namespace {

class Recorder : public MessageTarget {
public:
    std::intptr_t handleMessage(const Message& m) override
    {
        seen.push_back(m);
        if (onMessage)
            onMessage(m);
        return static_cast<std::intptr_t>(m.wParam) * 2;
    }
    std::vector<Message> seen;
    std::function<void(const Message&)> onMessage;
};

} // namespace

TEST(Messages, PostedMessagesArriveInOrderOnlyWhenProcessed)
{
    HeadlessMessageQueue queue;
    Recorder target;
    for (std::uintptr_t i = 0; i < 5; ++i)
        EXPECT_TRUE(queue.post(target.handle(), {WM_USER + 1, i, -static_cast<std::intptr_t>(i)}));
    EXPECT_TRUE(target.seen.empty());
    EXPECT_EQ(queue.pending(), 5u);
    queue.processMessages();
    ASSERT_EQ(target.seen.size(), 5u);
    for (std::uintptr_t i = 0; i < 5; ++i) {
        EXPECT_EQ(target.seen[i].wParam, i);
        EXPECT_EQ(target.seen[i].lParam, -static_cast<std::intptr_t>(i));
    }
    EXPECT_EQ(queue.pending(), 0u);
}

TEST(Messages, SendIsSynchronousAndReturnsTheResult)
{
    HeadlessMessageQueue queue;
    Recorder target;
    queue.post(target.handle(), {WM_USER, 1, 0});
    EXPECT_EQ(queue.send(target.handle(), {WM_USER + 2, 21, 0}), 42);
    ASSERT_EQ(target.seen.size(), 1u) << "send does not drain the queue";
    EXPECT_EQ(target.seen[0].id, WM_USER + 2);
}

TEST(Messages, MessagesToAVanishedTargetAreDropped)
{
    HeadlessMessageQueue queue;
    auto gone = std::make_unique<Recorder>();
    const TargetHandle handle = gone->handle();
    Recorder stays;
    queue.post(handle, {WM_USER, 1, 0});
    queue.post(stays.handle(), {WM_USER, 2, 0});
    gone.reset();
    EXPECT_FALSE(isTargetAlive(handle));
    queue.processMessages();
    EXPECT_EQ(stays.seen.size(), 1u);
    EXPECT_FALSE(queue.post(handle, {WM_USER, 3, 0}));
    EXPECT_EQ(queue.send(handle, {WM_USER, 3, 0}), 0);
    EXPECT_FALSE(queue.post(0, {WM_USER, 3, 0}));
}

TEST(Messages, HandlesAreNeverReused)
{
    TargetHandle first;
    {
        Recorder a;
        first = a.handle();
    }
    Recorder b;
    EXPECT_NE(b.handle(), first);
}

TEST(Messages, MessagesPostedWhileProcessingAreDeliveredInTheSameRun)
{
    HeadlessMessageQueue queue;
    Recorder target;
    target.onMessage = [&](const Message& m) {
        if (m.wParam < 3)
            queue.post(target.handle(), {WM_USER, m.wParam + 1, 0});
    };
    queue.post(target.handle(), {WM_USER, 0, 0});
    queue.processMessages();
    EXPECT_EQ(target.seen.size(), 4u);
}

TEST(Messages, ATargetMayDestroyAnotherWhileMessagesArePending)
{
    HeadlessMessageQueue queue;
    auto victim = std::make_unique<Recorder>();
    Recorder killer;
    killer.onMessage = [&](const Message&) { victim.reset(); };
    queue.post(killer.handle(), {WM_USER + 4, 0, 0});
    queue.post(victim->handle(), {WM_USER, 0, 0});
    queue.processMessages();
    EXPECT_EQ(victim, nullptr);
    EXPECT_EQ(killer.seen.size(), 1u);
}

TEST(Messages, TheProcessWideQueueCanBeReplaced)
{
    HeadlessMessageQueue mine;
    MessageQueue& before = messageQueue();
    setMessageQueue(&mine);
    EXPECT_EQ(&messageQueue(), &mine);
    setMessageQueue(nullptr);
    EXPECT_EQ(&messageQueue(), &before);
}
