#pragma once
// The message queue on the Qt event loop: a post schedules delivery on the
// loop, so messages arrive while the loop runs without anyone draining them,
// and processMessages() also lets Qt's own pending events run.

#include "platform/messages/MessageQueue.h"

#include <QObject>
#include <atomic>

namespace zt::platform::qt {

class QtMessageQueue final : public QObject, public MessageQueue {
    Q_OBJECT
public:
    explicit QtMessageQueue(QObject* parent = nullptr);
    ~QtMessageQueue() override;

    void processMessages() override;
    bool waitMessages() override;

    // Installs a queue as the process-wide one for the lifetime of the
    // returned object's owner (the application).
    static QtMessageQueue* install(QObject* owner);

protected:
    void wake() override;

private:
    std::atomic<bool> scheduled_{false};
};

} // namespace zt::platform::qt
