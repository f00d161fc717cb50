#include "preview/PreviewThumbs.h"

#include "pages/QRPrinter.h"
#include "preview/TQRPreview.h"
#include "base/QRMath.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

namespace zt::preview {

using namespace zt::pages;

TQRThumbGrid::TQRThumbGrid(QWidget* parent) : QAbstractScrollArea(parent)
{
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::StrongFocus);
}

void TQRThumbGrid::SetQRPrinter(TQRPrinter* printer)
{
    FQRPrinter = printer;
    Invalidate();
    UpdateGeometry();
}

void TQRThumbGrid::Invalidate()
{
    FCache.clear();
    FOrder.clear();
    viewport()->update();
}

void TQRThumbGrid::SetRowCount(int rows)
{
    FRowCount = std::max(0, rows);
    updateScrollRange();
    viewport()->update();
}

void TQRThumbGrid::SelectRow(int row)
{
    FRow = row;
    const int top = row * FRowHeight;
    QScrollBar* bar = verticalScrollBar();
    if (top < bar->value())
        bar->setValue(top);
    else if (top + FRowHeight > bar->value() + viewport()->height())
        bar->setValue(top + FRowHeight - viewport()->height());
    viewport()->update();
}

void TQRThumbGrid::UpdateGeometry()
{
    const int fontHeight = fontMetrics().height();
    const int columnWidth = viewport()->width() - 4;
    FDrawWidth = columnWidth - 20;
    long double pw = 2100, pl = 2970;
    if (FQRPrinter != nullptr && FQRPrinter->PaperWidthValue() > 0 && FQRPrinter->PaperLengthValue() > 0) {
        pw = FQRPrinter->PaperWidthValue();
        pl = FQRPrinter->PaperLengthValue();
    }
    FDrawHeight = static_cast<int>(report::Round(FDrawWidth / pw * pl - fontHeight));
    FRowHeight = std::max(FDrawHeight, 8);
    FLeftMargin = static_cast<int>(report::Round((columnWidth - FDrawWidth) / 2.0L));
    FTopMargin = static_cast<int>(report::Round((FRowHeight - FDrawHeight) / 2.0L));
    Invalidate();
    updateScrollRange();
}

void TQRThumbGrid::updateScrollRange()
{
    QScrollBar* bar = verticalScrollBar();
    bar->setRange(0, std::max(0, FRowCount * FRowHeight - viewport()->height()));
    bar->setPageStep(viewport()->height());
    bar->setSingleStep(std::max(1, FRowHeight / 4));
}

const QImage& TQRThumbGrid::thumbnail(int page, QSize size)
{
    // Drawn at the screen's device pixels, as the page view is.
    const qreal dpr = viewport()->devicePixelRatioF();
    const QSize pixels = (QSizeF(size) * dpr).toSize();
    if (const auto it = FCache.find(page);
        it != FCache.end() && it->second.size() == pixels && it->second.devicePixelRatio() == dpr) {
        FOrder.remove(page);
        FOrder.push_back(page);
        return it->second;
    }
    const auto metafile = FQRPrinter != nullptr ? FQRPrinter->GetPage(page) : nullptr;
    if (!metafile)
        return FEmpty;
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(dpr);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    PaintPageSheet(p, QRect(QPoint(0, 0), size), metafile.get(), true);
    p.end();
    if (FCache.size() >= kCached && !FOrder.empty()) {
        FCache.erase(FOrder.front());
        FOrder.pop_front();
    }
    FOrder.remove(page);
    FOrder.push_back(page);
    return FCache[page] = std::move(image);
}

void TQRThumbGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    const int offset = verticalScrollBar()->value();
    const int first = offset / std::max(1, FRowHeight);
    const int width = viewport()->width();
    for (int row = first; row < FRowCount && row * FRowHeight - offset < viewport()->height(); ++row) {
        const QRect cell(0, row * FRowHeight - offset, width, FRowHeight);
        QColor number = palette().color(QPalette::Text);
        if (row == FRow) {
            const QColor fill = palette().color(QPalette::Highlight).lighter(170);
            painter.fillRect(cell, fill);
            // The number stays readable on the light mark also under a dark palette.
            number = fill.lightness() > 128 ? QColor(Qt::black) : QColor(Qt::white);
        }
        const QRect sheet(QPoint(cell.left() + FLeftMargin, cell.top() + 10),
                          QPoint(cell.right() - 30, cell.bottom() - 10));
        if (sheet.width() > 4 && sheet.height() > 4) {
            const QImage& image = thumbnail(row + 1, sheet.size());
            if (!image.isNull())
                painter.drawImage(sheet.topLeft(), image);
        }
        painter.setPen(number);
        painter.drawText(cell.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop, QString::number(row + 1));
    }
}

void TQRThumbGrid::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    UpdateGeometry();
}

void TQRThumbGrid::scrollContentsBy(int, int)
{
    viewport()->update();
}

void TQRThumbGrid::mousePressEvent(QMouseEvent* event)
{
    const int row = (event->position().toPoint().y() + verticalScrollBar()->value()) / std::max(1, FRowHeight);
    if (row < 0 || row >= FRowCount)
        return;
    FRow = row;
    viewport()->update();
    if (OnSelect)
        OnSelect(row);
}

} // namespace zt::preview
