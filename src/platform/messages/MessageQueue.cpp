#include "platform/messages/MessageQueue.h"

#include "platform/messages/HeadlessMessageQueue.h"

#include <atomic>
#include <unordered_map>

namespace zt::platform {

namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<TargetHandle, MessageTarget*> targets;
    TargetHandle next = 1;
};

Registry& registry()
{
    static Registry r;
    return r;
}

MessageTarget* findTarget(TargetHandle handle)
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    const auto it = r.targets.find(handle);
    return it == r.targets.end() ? nullptr : it->second;
}

std::atomic<MessageQueue*> installed{nullptr};

} // namespace

MessageTarget::MessageTarget()
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    handle_ = r.next++;
    r.targets.emplace(handle_, this);
}

MessageTarget::~MessageTarget()
{
    auto& r = registry();
    std::lock_guard lock(r.mutex);
    r.targets.erase(handle_);
}

bool isTargetAlive(TargetHandle handle)
{
    return findTarget(handle) != nullptr;
}

bool MessageQueue::post(TargetHandle target, Message message)
{
    if (!isTargetAlive(target))
        return false;
    {
        std::lock_guard lock(mutex_);
        queue_.push_back({target, message});
    }
    wake();
    return true;
}

std::intptr_t MessageQueue::send(TargetHandle target, Message message)
{
    MessageTarget* t = findTarget(target);
    return t ? t->handleMessage(message) : 0;
}

bool MessageQueue::waitMessages()
{
    return deliverPending() > 0;
}

void MessageQueue::processMessages()
{
    deliverPending();
}

std::size_t MessageQueue::deliverPending()
{
    std::size_t delivered = 0;
    for (;;) {
        Entry entry;
        {
            std::lock_guard lock(mutex_);
            if (queue_.empty())
                break;
            entry = queue_.front();
            queue_.pop_front();
        }
        // Looked up at delivery: the target may have gone since the post.
        if (MessageTarget* t = findTarget(entry.target)) {
            t->handleMessage(entry.message);
            ++delivered;
        }
    }
    return delivered;
}

std::size_t MessageQueue::pending() const
{
    std::lock_guard lock(mutex_);
    return queue_.size();
}

MessageQueue& messageQueue()
{
    static HeadlessMessageQueue headless;
    MessageQueue* q = installed.load();
    return q ? *q : headless;
}

void setMessageQueue(MessageQueue* queue)
{
    installed.store(queue);
}

} // namespace zt::platform
