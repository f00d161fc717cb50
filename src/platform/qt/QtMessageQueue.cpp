#include "platform/qt/QtMessageQueue.h"

#include <QEventLoop>

#include <QCoreApplication>
#include <QMetaObject>

namespace zt::platform::qt {

QtMessageQueue::QtMessageQueue(QObject* parent) : QObject(parent) {}

QtMessageQueue::~QtMessageQueue()
{
    if (&messageQueue() == this)
        setMessageQueue(nullptr);
}

QtMessageQueue* QtMessageQueue::install(QObject* owner)
{
    auto* queue = new QtMessageQueue(owner);
    setMessageQueue(queue);
    return queue;
}

void QtMessageQueue::wake()
{
    if (scheduled_.exchange(true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            scheduled_ = false;
            deliverPending();
        },
        Qt::QueuedConnection);
}

bool QtMessageQueue::waitMessages()
{
    if (QCoreApplication::closingDown())
        return false;
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    deliverPending();
    return !QCoreApplication::closingDown();
}

void QtMessageQueue::processMessages()
{
    QCoreApplication::processEvents();
    deliverPending();
}

} // namespace zt::platform::qt
