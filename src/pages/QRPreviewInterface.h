#pragma once
// How a page recorder opens its preview window, and the windows that may
// listen to a recorder. The windows themselves live in the preview library,
// which registers them here, so the engine opens them without knowing Qt.

#include "platform/messages/MessageQueue.h"

#include <functional>
#include <memory>
#include <string>

namespace zt::pages {

class TQRPrinter;

// A window that shows a recorder's pages and must let go of the recorder
// when the recorder goes away first.
class TQRPrinterClient {
public:
    virtual ~TQRPrinterClient() = default;
    virtual void DetachPrinter(TQRPrinter* printer) = 0;
};

class TQRPreviewInterface {
public:
    virtual ~TQRPreviewInterface() = default;
    // Each returns the window it opened; the base class opens none.
    virtual platform::MessageTarget* Show(TQRPrinter* printer);
    virtual platform::MessageTarget* ShowModal(TQRPrinter* printer);
};

// Opens the standard preview window when one has been registered.
class TQRStandardPreviewInterface : public TQRPreviewInterface {
public:
    platform::MessageTarget* Show(TQRPrinter* printer) override;
    platform::MessageTarget* ShowModal(TQRPrinter* printer) override;
};

// The standard preview window: opened modeless (modal false) or modally.
using TQRStandardPreviewFactory = std::function<platform::MessageTarget*(TQRPrinter* printer, bool modal)>;
void SetStandardPreviewFactory(TQRStandardPreviewFactory factory);

// The process-wide preview interface class; empty restores the standard one.
using TQRPreviewInterfaceClass = std::function<std::unique_ptr<TQRPreviewInterface>()>;
void SetPreviewInterfaceClass(TQRPreviewInterfaceClass make);
std::unique_ptr<TQRPreviewInterface> CreatePreviewInterface();

// The printing progress window: shown by a playback to the printer, it
// receives the progress notices as the recorder's client.
class TQRProgressWindow {
public:
    virtual ~TQRProgressWindow() = default;
    virtual platform::MessageTarget& Window() = 0;
    virtual void Show() = 0;
    virtual void Hide() = 0;
    // "Printing progress" unless told otherwise (an export says so).
    virtual void SetCaption(const std::string& /*caption*/) {}
};

using TQRProgressFormFactory = std::function<std::unique_ptr<TQRProgressWindow>(TQRPrinter* printer)>;
void SetProgressFormFactory(TQRProgressFormFactory factory);
// None while no progress window is registered (a program without windows).
std::unique_ptr<TQRProgressWindow> CreateProgressForm(TQRPrinter* printer);

} // namespace zt::pages
