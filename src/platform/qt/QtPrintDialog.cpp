#include "platform/qt/QtPrintDialog.h"

#include "platform/printing/Printer.h"
#include "platform/qt/QtDevMode.h"
#include "platform/qt/QtPrinterDriver.h"

#include <QApplication>
#include <QEvent>
#include <QScreen>
#include <mutex>

namespace zt::platform::qt {

using namespace printing;

namespace {

std::mutex hookMutex;
std::function<void(QPrintDialog&)> openHook;

// Places the dialog when it appears and reports its showing and going.
class Placement final : public QObject {
public:
    explicit Placement(const PrintDialogRequest& r) : request_(r) {}

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* dialog = qobject_cast<QWidget*>(watched);
        if (dialog != nullptr && event->type() == QEvent::Show && !shown_) {
            shown_ = true;
            if (const QScreen* screen = dialog->screen()) {
                const QRect free = screen->availableGeometry();
                const QSize size = dialog->frameGeometry().size();
                dialog->move(free.left() + (free.width() - size.width()) / 2,
                             free.top() + (free.height() - size.height()) / 3);
            }
            if (request_.onShow)
                request_.onShow();
        }
        return false;
    }

private:
    const PrintDialogRequest& request_;
    bool shown_ = false;
};

QAbstractPrintDialog::PrintRange rangeOf(std::uint32_t flags)
{
    if (flags & PD_PAGENUMS)
        return QAbstractPrintDialog::PageRange;
    if (flags & PD_SELECTION)
        return QAbstractPrintDialog::Selection;
    return QAbstractPrintDialog::AllPages;
}

} // namespace

QAbstractPrintDialog::PrintDialogOptions dialogOptions(std::uint32_t flags)
{
    QAbstractPrintDialog::PrintDialogOptions o = QAbstractPrintDialog::PrintCollateCopies |
                                                 QAbstractPrintDialog::PrintShowPageSize;
    if (!(flags & (PD_HIDEPRINTTOFILE | PD_DISABLEPRINTTOFILE)))
        o |= QAbstractPrintDialog::PrintToFile;
    if (!(flags & PD_NOSELECTION))
        o |= QAbstractPrintDialog::PrintSelection;
    if (!(flags & PD_NOPAGENUMS))
        o |= QAbstractPrintDialog::PrintPageRange;
    return o;
}

void QtPrintDialog::setOpenHook(std::function<void(QPrintDialog&)> hook)
{
    std::lock_guard lock(hookMutex);
    openHook = std::move(hook);
}

std::optional<PrintDialogAnswer> QtPrintDialog::Run(const PrintDialogRequest& request)
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(QString::fromStdString(request.printer));
    QPrinter printer = info.isNull() ? QPrinter(QPrinter::HighResolution) : QPrinter(info, QPrinter::HighResolution);
    configurePrinter(printer, request.mode, info.isNull() ? request.mode.dmFields : announcedFields(info));
    printer.setCollateCopies((request.flags & PD_COLLATE) != 0 || request.mode.dmCollate != DMCOLLATE_FALSE);
    if (request.copies > 0)
        printer.setCopyCount(request.copies);

    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setOptions(dialogOptions(request.flags));
    if (request.maxPage >= request.minPage && request.maxPage > 0)
        dialog.setMinMax(std::max(request.minPage, 1), request.maxPage);
    if (request.flags & PD_PAGENUMS)
        printer.setFromTo(request.fromPage, request.toPage);
    dialog.setPrintRange(rangeOf(request.flags));
    Placement placement(request);
    dialog.installEventFilter(&placement);
    {
        std::function<void(QPrintDialog&)> hook;
        {
            std::lock_guard lock(hookMutex);
            hook = openHook;
        }
        if (hook)
            hook(dialog);
    }
    const int result = dialog.exec();
    dialog.removeEventFilter(&placement);
    if (request.onClose)
        request.onClose();
    if (result != QDialog::Accepted)
        return std::nullopt;

    PrintDialogAnswer answer;
    const bool toFile = printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty();
    // Printing into a file keeps the printer the dialog started on.
    answer.printer = printer.printerName().isEmpty() || toFile ? request.printer : printer.printerName().toStdString();
    answer.mode = devModeOf(printer, request.mode);
    answer.mode.dmDeviceName = answer.printer;
    switch (dialog.printRange()) {
    case QAbstractPrintDialog::PageRange:
        answer.flags |= PD_PAGENUMS;
        answer.fromPage = printer.fromPage();
        answer.toPage = printer.toPage();
        break;
    case QAbstractPrintDialog::Selection:
        answer.flags |= PD_SELECTION;
        [[fallthrough]];
    default:
        // As the system dialog: the page numbers it was given come back.
        answer.fromPage = request.fromPage;
        answer.toPage = request.toPage;
        break;
    }
    if (printer.collateCopies())
        answer.flags |= PD_COLLATE;
    if (toFile)
        answer.flags |= PD_PRINTTOFILE;
    // The count travels in the device mode, as with a driver that copies itself.
    answer.copies = 1;
    return answer;
}

void installQtPrinting()
{
    static QtPrintDialog dialog;
    setPrinterDriver(std::make_shared<QtPrinterDriver>());
    setSystemPrintDialog(&dialog);
}

} // namespace zt::platform::qt
