#pragma once
// The system clipboard through Qt.

#include "platform/clipboard/Clipboard.h"

namespace zt::platform::qt {

class QtClipboard final : public Clipboard {
public:
    void setText(const std::string& text) override;
    std::string text() override;
};

} // namespace zt::platform::qt
