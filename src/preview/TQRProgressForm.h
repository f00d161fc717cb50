#pragma once
// The printing progress window: a small fixed dialog on top of the others
// that shows the recorder's progress in steps of 5 % and can cancel.

#include "pages/QRPreviewInterface.h"
#include "platform/messages/MessageQueue.h"

#include <QDialog>

class QLabel;
class QProgressBar;
class QPushButton;

namespace zt::preview {

using namespace zt::pages;

class TQRProgressForm : public QDialog, public platform::MessageTarget, public TQRPrinterClient {
    Q_OBJECT
public:
    explicit TQRProgressForm(TQRPrinter* printer, QWidget* parent = nullptr);

    std::intptr_t handleMessage(const platform::Message& message) override;
    void DetachPrinter(TQRPrinter* printer) override;
    void CancelButtonClick();

    QProgressBar* Gauge = nullptr;
    QLabel* Info = nullptr;
    QPushButton* CancelButton = nullptr;

private:
    TQRPrinter* FQRPrinter;
};

// The progress form as the engine's progress window.
class TQRProgressWindowAdapter : public TQRProgressWindow {
public:
    explicit TQRProgressWindowAdapter(TQRPrinter* printer) : form_(printer) {}
    platform::MessageTarget& Window() override { return form_; }
    void Show() override { form_.show(); }
    void Hide() override { form_.hide(); }
    TQRProgressForm& Form() { return form_; }

private:
    TQRProgressForm form_;
};

} // namespace zt::preview
