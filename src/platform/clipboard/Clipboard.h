#pragma once
// The system clipboard's text, behind one interface: the editing aids put
// text there and paste it back. A clipboard another program holds raises a
// PlatformError with the system's message.

#include <string>

namespace zt::platform {

class Clipboard {
public:
    virtual ~Clipboard() = default;
    virtual void setText(const std::string& text) = 0;
    virtual std::string text() = 0;
};

// The process-wide clipboard; without an installed one, a private one that
// keeps the text in memory (programs without a display).
Clipboard& clipboard();
Clipboard* setClipboard(Clipboard* c);

class MemoryClipboard final : public Clipboard {
public:
    void setText(const std::string& text) override { text_ = text; }
    std::string text() override { return text_; }

private:
    std::string text_;
};

} // namespace zt::platform
