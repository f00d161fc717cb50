#include "preview/TQRProgressForm.h"

#include "pages/QRPrinter.h"
#include "report/QRReport.h"

#include <QGuiApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

namespace zt::preview {

using namespace zt::pages;

TQRProgressForm::TQRProgressForm(TQRPrinter* printer, QWidget* parent) : QDialog(parent), FQRPrinter(printer)
{
    setWindowTitle("Printing progress");
    setWindowFlags(Qt::Dialog | Qt::WindowStaysOnTopHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(149, 97);
    Gauge = new QProgressBar(this);
    Gauge->setAccessibleName("Druckfortschritt");
    Gauge->setGeometry(16, 18, 114, 16);
    Gauge->setRange(0, 100);
    Gauge->setValue(0);
    Gauge->setTextVisible(false);
    Info = new QLabel(this);
    Info->setGeometry(0, 44, 145, 16);
    Info->setAlignment(Qt::AlignCenter);
    CancelButton = new QPushButton("Cancel", this);
    CancelButton->setGeometry(36, 68, 75, 25);
    connect(CancelButton, &QPushButton::clicked, this, [this] { CancelButtonClick(); });
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

std::intptr_t TQRProgressForm::handleMessage(const platform::Message& message)
{
    if (message.id != kProgressNotice || FQRPrinter == nullptr)
        return 0;
    const int p = FQRPrinter->Progress();
    if (p % 5 == 0) {
        Gauge->setValue(p);
        Info->setText(QString::number(p) + "%  Durchgeführt");
        platform::messageQueue().processMessages();
    }
    return 0;
}

void TQRProgressForm::DetachPrinter(TQRPrinter* printer)
{
    if (printer == FQRPrinter)
        FQRPrinter = nullptr;
}

void TQRProgressForm::CancelButtonClick()
{
    if (FQRPrinter == nullptr)
        return;
    if (auto* rep = dynamic_cast<report::TCustomBandoriaRep*>(FQRPrinter->ParentReport()))
        rep->UserCancel = true;
    FQRPrinter->Cancel();
}

} // namespace zt::preview
