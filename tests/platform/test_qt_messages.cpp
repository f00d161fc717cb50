#include "platform/qt/QtMessageQueue.h"

#include <QCoreApplication>
#include <QTimer>
#include <gtest/gtest.h>

using namespace zt::platform;

namespace {

class Counter : public MessageTarget {
public:
    std::intptr_t handleMessage(const Message& m) override
    {
        order.push_back(static_cast<int>(m.wParam));
        return 0;
    }
    std::vector<int> order;
};

} // namespace

TEST(QtMessageQueue, PostsArriveWhileTheEventLoopRuns)
{
    int argc = 1;
    char name[] = "test";
    char* argv[] = {name, nullptr};
    QCoreApplication app(argc, argv);
    auto* queue = qt::QtMessageQueue::install(&app);
    EXPECT_EQ(&messageQueue(), queue);

    Counter target;
    for (int i = 0; i < 3; ++i)
        messageQueue().post(target.handle(), {WM_USER + 1, std::uintptr_t(i), 0});
    QTimer::singleShot(0, &app, [&] { QCoreApplication::quit(); });
    QCoreApplication::exec();
    EXPECT_EQ(target.order, (std::vector<int>{0, 1, 2}));

    messageQueue().post(target.handle(), {WM_USER + 1, 7, 0});
    messageQueue().processMessages();
    EXPECT_EQ(target.order.back(), 7);
    EXPECT_EQ(messageQueue().send(target.handle(), {WM_USER, 9, 0}), 0);
    EXPECT_EQ(target.order.back(), 9);
}
