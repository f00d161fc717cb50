#pragma once
// The queue without an event loop: messages wait until processMessages().
// The batch tool and the engine's tests run on it.

#include "platform/messages/MessageQueue.h"

namespace zt::platform {

class HeadlessMessageQueue final : public MessageQueue {
};

} // namespace zt::platform
