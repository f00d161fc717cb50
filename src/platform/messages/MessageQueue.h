#pragma once
// Window messages between engine objects. A target registers under a handle
// that is never reused, so a message posted to a target that has gone away is
// dropped instead of reaching freed memory. Post queues a message; send calls
// the handler at once and returns its result; processMessages delivers what
// is pending, in the order it was posted.

#include <cstdint>
#include <deque>
#include <mutex>

namespace zt::platform {

using MessageId = std::uint32_t;
using TargetHandle = std::uint64_t;     // 0 is no target

inline constexpr MessageId WM_USER = 0x0400;

struct Message {
    MessageId id = 0;
    std::uintptr_t wParam = 0;
    std::intptr_t lParam = 0;
};

class MessageTarget {
public:
    MessageTarget();
    virtual ~MessageTarget();
    MessageTarget(const MessageTarget&) = delete;
    MessageTarget& operator=(const MessageTarget&) = delete;

    TargetHandle handle() const { return handle_; }

    virtual std::intptr_t handleMessage(const Message& message) = 0;

private:
    TargetHandle handle_;
};

// True while a target with this handle exists.
bool isTargetAlive(TargetHandle handle);

class MessageQueue {
public:
    virtual ~MessageQueue() = default;

    // False (and nothing queued) when the target does not exist.
    bool post(TargetHandle target, Message message);
    // The handler's result, or 0 when the target does not exist.
    std::intptr_t send(TargetHandle target, Message message);
    // Delivers pending messages, including those posted while delivering,
    // until none is left.
    virtual void processMessages();
    // Waits for the next message or event and delivers what has come; false
    // when nothing more can come (a queue without an event loop, or an
    // application that is terminating), so a caller waiting for a window
    // to close stops waiting.
    virtual bool waitMessages();

    std::size_t pending() const;

protected:
    // Told after a post so an event-loop queue can schedule delivery.
    virtual void wake() {}
    // Delivers messages until the queue is empty; returns how many.
    std::size_t deliverPending();

private:
    struct Entry {
        TargetHandle target;
        Message message;
    };
    mutable std::mutex mutex_;
    std::deque<Entry> queue_;
};

// The process-wide queue: a headless one unless an application installs its
// own (the Qt application installs one on its event loop).
MessageQueue& messageQueue();
// Installs `queue` (not owned); nullptr restores the headless queue.
void setMessageQueue(MessageQueue* queue);

} // namespace zt::platform
