#include "platform/qt/QtDevMode.h"

#include <QPageLayout>
#include <algorithm>
#include <cmath>

namespace zt::platform::qt {

using namespace printing;

namespace {

std::int32_t tenthsOfMM(double mm)
{
    return static_cast<std::int32_t>(std::lround(mm * 10));
}

void setPaperFields(DevMode& m, const QPageSize& size)
{
    if (!size.isValid())
        return;
    const QSizeF mm = size.size(QPageSize::Millimeter);
    m.dmPaperSize = size.windowsId() > 0 ? size.windowsId() : DMPAPER_USER;
    m.dmPaperWidth = tenthsOfMM(mm.width());
    m.dmPaperLength = tenthsOfMM(mm.height());
}

// The page a record asks for: a named paper by its code, else its extent.
QPageSize requestedPage(const DevMode& m)
{
    if (m.Has(DM_PAPERSIZE)) {
        const QPageSize named = pageSizeOfCode(m.dmPaperSize);
        if (named.isValid())
            return named;
    }
    if (m.Has(DM_PAPERWIDTH) && m.Has(DM_PAPERLENGTH) && m.dmPaperWidth > 0 && m.dmPaperLength > 0)
        return QPageSize(QSizeF(m.dmPaperWidth / 10.0, m.dmPaperLength / 10.0), QPageSize::Millimeter);
    return {};
}

} // namespace

QPageSize pageSizeOfCode(std::int32_t code)
{
    if (code <= 0 || code == DMPAPER_USER)
        return {};
    const QPageSize::PageSizeId id = QPageSize::id(code);
    if (id == QPageSize::Custom)
        return {};
    return QPageSize(id);
}

QPrinter::DuplexMode duplexOfCode(std::int32_t dmDuplex)
{
    switch (dmDuplex) {
    case DMDUP_VERTICAL: return QPrinter::DuplexLongSide;
    case DMDUP_HORIZONTAL: return QPrinter::DuplexShortSide;
    default: return QPrinter::DuplexNone;
    }
}

std::int32_t duplexCode(QPrinter::DuplexMode mode)
{
    switch (mode) {
    case QPrinter::DuplexLongSide:
    case QPrinter::DuplexAuto: return DMDUP_VERTICAL;
    case QPrinter::DuplexShortSide: return DMDUP_HORIZONTAL;
    default: return DMDUP_SIMPLEX;
    }
}

std::uint32_t announcedFields(const QPrinterInfo& info)
{
    // The spooler makes copies and collates them for every printer.
    std::uint32_t f = DM_ORIENTATION | DM_COPIES | DM_COLLATE;
    if (!info.supportedPageSizes().isEmpty() || info.supportsCustomPageSizes())
        f |= DM_PAPERSIZE | DM_PAPERLENGTH | DM_PAPERWIDTH;
    const auto duplex = info.supportedDuplexModes();
    if (std::any_of(duplex.begin(), duplex.end(), [](QPrinter::DuplexMode d) { return d != QPrinter::DuplexNone; }))
        f |= DM_DUPLEX;
    if (info.supportedColorModes().size() > 1)
        f |= DM_COLOR;
    if (!info.supportedResolutions().isEmpty())
        f |= DM_PRINTQUALITY;
    // Paper sources are not offered for the spooler's printers, so the
    // printer's own tray stays in use.
    return f;
}

DevMode defaultDevMode(const QPrinterInfo& info)
{
    DevMode m;
    m.dmDeviceName = info.printerName().toStdString();
    m.dmFields = announcedFields(info);
    QPrinter printer(info, QPrinter::HighResolution);
    m = devModeOf(printer, m);
    const QPageSize page = info.defaultPageSize();
    if (page.isValid())
        setPaperFields(m, page);
    m.dmDuplex = duplexCode(info.defaultDuplexMode());
    m.dmColor = info.defaultColorMode() == QPrinter::GrayScale ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR;
    m.dmOrientation = DMORIENT_PORTRAIT;
    m.dmCopies = 1;
    return m;
}

void configurePrinter(QPrinter& printer, const DevMode& m, std::uint32_t announced)
{
    auto wanted = [&](std::uint32_t flag) { return m.Has(flag) && (announced & flag) != 0; };
    if ((announced & DM_PAPERSIZE) != 0) {
        const QPageSize page = requestedPage(m);
        if (page.isValid())
            printer.setPageSize(page);
    }
    if (wanted(DM_ORIENTATION))
        printer.setPageOrientation(m.dmOrientation == DMORIENT_LANDSCAPE ? QPageLayout::Landscape
                                                                          : QPageLayout::Portrait);
    if (wanted(DM_COPIES))
        printer.setCopyCount(std::clamp(m.dmCopies, 1, 9999));
    if (wanted(DM_COLLATE))
        printer.setCollateCopies(m.dmCollate != DMCOLLATE_FALSE);
    if (wanted(DM_DUPLEX))
        printer.setDuplex(duplexOfCode(m.dmDuplex));
    if (wanted(DM_COLOR))
        printer.setColorMode(m.dmColor == DMCOLOR_MONOCHROME ? QPrinter::GrayScale : QPrinter::Color);
    if (wanted(DM_PRINTQUALITY) && m.dmPrintQuality > 0 && printer.supportedResolutions().contains(m.dmPrintQuality))
        printer.setResolution(m.dmPrintQuality);
}

DevMode devModeOf(const QPrinter& printer, const DevMode& base)
{
    DevMode m = base;
    const QPageLayout layout = printer.pageLayout();
    setPaperFields(m, layout.pageSize());
    m.dmOrientation = layout.orientation() == QPageLayout::Landscape ? DMORIENT_LANDSCAPE : DMORIENT_PORTRAIT;
    m.dmCopies = printer.copyCount();
    m.dmCollate = printer.collateCopies() ? DMCOLLATE_TRUE : DMCOLLATE_FALSE;
    m.dmDuplex = duplexCode(printer.duplex());
    m.dmColor = printer.colorMode() == QPrinter::GrayScale ? DMCOLOR_MONOCHROME : DMCOLOR_COLOR;
    m.dmPrintQuality = printer.resolution();
    return m;
}

DeviceCaps capsOf(const QPrinter& printer)
{
    const int dpi = printer.resolution();
    const QPageLayout layout = printer.pageLayout();
    const QRect full = layout.fullRectPixels(dpi);
    const QRect paint = layout.paintRectPixels(dpi);
    DeviceCaps c;
    c.logPixelsX = dpi;
    c.logPixelsY = dpi;
    c.physicalWidth = full.width();
    c.physicalHeight = full.height();
    c.physicalOffsetX = paint.left() - full.left();
    c.physicalOffsetY = paint.top() - full.top();
    c.horzRes = paint.width();
    c.vertRes = paint.height();
    return c;
}

} // namespace zt::platform::qt
