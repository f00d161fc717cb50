#pragma once
// Helpers for the recorder and printer-settings tests: a window that keeps
// the notices it receives, a progress window, a scripted print dialog, and a
// fixture that installs a fresh fake driver for every test.

#include "pages/QRPreviewInterface.h"
#include "platform/messages/MessageQueue.h"
#include "platform/printing/FakePrinterDriver.h"
#include "platform/printing/PrintDialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace zt::pages::test {

class NoticeWindow : public platform::MessageTarget {
public:
    std::intptr_t handleMessage(const platform::Message& m) override
    {
        seen.push_back(m);
        if (onMessage)
            onMessage(m);
        return 0;
    }
    std::vector<std::uintptr_t> values(platform::MessageId id) const
    {
        std::vector<std::uintptr_t> out;
        for (const auto& m : seen)
            if (m.id == id)
                out.push_back(m.wParam);
        return out;
    }
    std::vector<platform::Message> seen;
    std::function<void(const platform::Message&)> onMessage;
};

// Logs the progress values it receives; the recorder frees it at the end of
// a playback, so the log lives outside. Hiding lets the last notice arrive.
class TestProgressWindow : public TQRProgressWindow {
public:
    explicit TestProgressWindow(std::vector<std::uintptr_t>& log) : log_(log)
    {
        window.onMessage = [this](const platform::Message& m) {
            if (m.id == platform::WM_USER + 0) {
                log_.push_back(m.wParam);
                if (onProgress)
                    onProgress(m.wParam);
            }
        };
    }
    platform::MessageTarget& Window() override { return window; }
    void Show() override {}
    void Hide() override { platform::messageQueue().processMessages(); }
    NoticeWindow window;
    std::function<void(std::uintptr_t)> onProgress;

private:
    std::vector<std::uintptr_t>& log_;
};

// Answers every dialog with `answer` (after letting `edit` change it), or
// cancels when there is none; keeps the requests.
class ScriptedPrintDialog : public platform::printing::SystemPrintDialog {
public:
    std::optional<platform::printing::PrintDialogAnswer> Run(
        const platform::printing::PrintDialogRequest& request) override
    {
        requests.push_back(request);
        if (request.onShow)
            request.onShow();
        if (request.onClose)
            request.onClose();
        if (!confirm)
            return std::nullopt;
        platform::printing::PrintDialogAnswer a;
        a.printer = request.printer;
        a.mode = request.mode;
        a.fromPage = request.fromPage;
        a.toPage = request.toPage;
        a.copies = 1;
        if (edit)
            edit(a);
        return a;
    }
    bool confirm = true;
    std::function<void(platform::printing::PrintDialogAnswer&)> edit;
    std::vector<platform::printing::PrintDialogRequest> requests;
};

class PrinterTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        driver = platform::printing::installFakePrinterDriver();
        platform::printing::setSystemPrintDialog(&dialog);
    }
    void TearDown() override
    {
        platform::printing::setSystemPrintDialog(nullptr);
        SetProgressFormFactory(nullptr);
        platform::printing::setPrinterDriver(nullptr);
        platform::messageQueue().processMessages();
    }
    platform::printing::FakePrinter& printerA() { return driver->Find("Fake A"); }

    std::shared_ptr<platform::printing::FakePrinterDriver> driver;
    ScriptedPrintDialog dialog;
};

} // namespace zt::pages::test
