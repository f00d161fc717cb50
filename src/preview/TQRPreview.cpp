#include "preview/TQRPreview.h"

#include "pages/QRPrinter.h"
#include "preview/PageAccessible.h"
#include "platform/gdi/EmfPlayer.h"
#include "platform/gdi/EmfReader.h"
#include "platform/qt/QtRenderTarget.h"
#include "base/QRMath.h"
#include "report/QRReport.h"

#include <QAccessible>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollBar>

namespace zt::preview {

using namespace zt::pages;

using report::Round;
using report::TQRZoomState;

// --- the page image ---------------------------------------------------------

TQRPreviewImage::TQRPreviewImage(QWidget* parent) : QWidget(parent)
{
    resize(100, 50);
}

TQRPreviewImage::~TQRPreviewImage() = default;

void TQRPreviewImage::LoadPage(int n)
{
    FMetafile = FQRPrinter != nullptr ? FQRPrinter->GetPage(n) : nullptr;
    FPageNumber = n;
    // A recorded page brings no link areas.
    FHyperlinks.clear();
    FIsLink = false;
    FLastLink.clear();
    FDrawn = QImage();
    repaint();
}

void TQRPreviewImage::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The whole sheet is drawn anew at the new size, not only what was uncovered.
    FDrawn = QImage();
    update();
}

const TQRPreviewImage::THyperlink* TQRPreviewImage::linkAt(const QPoint& at) const
{
    for (const THyperlink& l : FHyperlinks)
        if (l.Area.contains(at))
            return &l;
    return nullptr;
}

void TQRPreviewImage::mouseMoveEvent(QMouseEvent* event)
{
    const THyperlink* link = linkAt(event->position().toPoint());
    if ((link != nullptr) != FIsLink) {
        FIsLink = link != nullptr;
        if (FIsLink)
            setCursor(Qt::PointingHandCursor);
        else
            unsetCursor();
    }
    if (link != nullptr)
        FLastLink = link->Link;
    QWidget::mouseMoveEvent(event);
}

void TQRPreviewImage::mouseReleaseEvent(QMouseEvent* event)
{
    const THyperlink* link = linkAt(event->position().toPoint());
    if (link != nullptr && FOnHyperlink) {
        FLastLink = link->Link;
        FOnHyperlink(this, link->Link);
        return;
    }
    QWidget::mouseReleaseEvent(event);
}

void PaintPageSheet(QPainter& painter, const QRect& r, const platform::gdi::TMetafile* page, bool clip)
{
    const int w = r.width(), h = r.height();
    painter.save();
    painter.translate(r.topLeft());
    painter.fillRect(QRect(QPoint(1, 1), QPoint(w - 3, h - 3)), Qt::white);
    if (page != nullptr) {
        // The player sets its own transform and clip; they end with the page.
        painter.save();
        if (clip)
            painter.setClipRect(QRect(QPoint(1, 1), QPoint(w - 4, h - 4)));
        platform::qt::QtRenderTarget target(painter);
        const QPointF at = painter.transform().map(QPointF(0, 0));
        platform::gdi::playEmf(*page, target, {at.x(), at.y(), at.x() + w, at.y() + h});
        painter.restore();
    }
    painter.setPen(QPen(Qt::black, 0));
    painter.setBrush(Qt::NoBrush);
    painter.drawPolyline(QPolygon({{0, 0}, {0, h - 3}, {w - 3, h - 3}, {w - 3, 0}, {0, 0}}));
    painter.fillRect(QRect(QPoint(w - 2, 2), QPoint(w - 1, h - 1)), Qt::black);
    painter.fillRect(QRect(QPoint(2, h - 2), QPoint(w - 1, h - 1)), Qt::black);
    painter.restore();
}

void TQRPreviewImage::paintEvent(QPaintEvent* event)
{
    if (!FMetafile)
        return;
    // The page is vector data: it is played at the screen's device pixels,
    // so a scaled or high-density screen shows it as sharp as a printout.
    const qreal dpr = devicePixelRatioF();
    const QSize pixels = (QSizeF(size()) * dpr).toSize();
    if (FDrawn.size() != pixels || FDrawn.devicePixelRatio() != dpr) {
        FDrawn = QImage(pixels, QImage::Format_RGB32);
        FDrawn.setDevicePixelRatio(dpr);
        FDrawn.fill(palette().color(QPalette::Window));
        QPainter p(&FDrawn);
        p.setRenderHint(QPainter::Antialiasing);
        p.setRenderHint(QPainter::SmoothPixmapTransform);
        PaintPageSheet(p, rect(), FMetafile.get(), false);
    }
    QPainter painter(this);
    const QRectF r = event->rect();
    painter.drawImage(r, FDrawn, QRectF(r.topLeft() * dpr, r.size() * dpr));
}

// --- the page view ----------------------------------------------------------

TQRPreview::TQRPreview(QWidget* parent) : QScrollArea(parent)
{
    InstallPageViewAccessibility();
    resize(250, 250);
    FPreviewImage = new TQRPreviewImage;
    FPreviewImage->FOnHyperlink = [this](QObject*, const std::string& link) {
        if (OnHyperlink)
            OnHyperlink(this, link);
    };
    setWidget(FPreviewImage);
    setWidgetResizable(false);
    setAlignment(Qt::AlignCenter);
    setFocusPolicy(Qt::StrongFocus);
    horizontalScrollBar()->setTracking(true);
    verticalScrollBar()->setTracking(true);
    verticalScrollBar()->setSingleStep(20);
    horizontalScrollBar()->setSingleStep(20);
}

TQRPreview::~TQRPreview()
{
    if (FQRPrinter != nullptr && FQRPrinter->Client() == this) {
        FQRPrinter->SetShowingPreview(false);
        FQRPrinter->SetClient(nullptr);
    }
}

void TQRPreview::SetQRPrinter(TQRPrinter* printer)
{
    if (FQRPrinter != nullptr && FQRPrinter->Client() == this) {
        FQRPrinter->SetShowingPreview(false);
        FQRPrinter->SetClient(nullptr);
    }
    FQRPrinter = printer;
    FPreviewImage->SetQRPrinter(printer);
    if (printer != nullptr) {
        printer->SetClient(this);
        printer->SetShowingPreview(true);
    }
    FPageNumber = 1;
    FPreviewImage->LoadPage(1);
    viewport()->update();
    UpdateAccessibleText();
}

void TQRPreview::DetachPrinter(TQRPrinter* printer)
{
    if (FQRPrinter != printer)
        return;
    FQRPrinter = nullptr;
    FPreviewImage->SetQRPrinter(nullptr);
    UpdateAccessibleText();
    if (OnPrinterGone)
        OnPrinterGone(this);
}

void TQRPreview::SetPageNumber(int n)
{
    if ((n == FPageNumber && FPreviewImage->HasPage()) || n <= 0 || FQRPrinter == nullptr ||
        n > FQRPrinter->PageCount())
        return;
    FPreviewImage->LoadPage(n);
    FPageNumber = n;
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    UpdateAccessibleText();
}

void TQRPreview::SetZoom(int z)
{
    if (z < 2 || z > 2000)
        return;
    FZoomState = TQRZoomState::qrZoomOther;
    FZoom = z;
    UpdateZoom();
}

void TQRPreview::UpdateZoom()
{
    if (FQRPrinter == nullptr)
        return;
    const int w = FQRPrinter->XSize(FQRPrinter->PaperWidthValue() / 100 * FZoom) + 4;
    const int h = FQRPrinter->YSize(FQRPrinter->PaperLengthValue() / 100 * FZoom) + 4;
    FPreviewImage->resize(w, h);
    horizontalScrollBar()->setValue(0);
    verticalScrollBar()->setValue(0);
    FPreviewImage->SetZoom(FZoom);
}

void TQRPreview::ZoomToFit()
{
    if (FQRPrinter == nullptr)
        return;
    const long double pw = FQRPrinter->XSize(FQRPrinter->PaperWidthValue());
    const long double pl = FQRPrinter->YSize(FQRPrinter->PaperLengthValue());
    if (pw <= 0 || pl <= 0)
        return;
    FZoom = static_cast<int>(std::min(Round(width() / pw * 95), Round(height() / pl * 95)));
    FZoom = std::clamp(FZoom, 2, 2000);
    UpdateZoom();
    FZoomState = TQRZoomState::qrZoomToFit;
}

void TQRPreview::ZoomToWidth()
{
    if (FQRPrinter == nullptr)
        return;
    const long double pw = FQRPrinter->XSize(FQRPrinter->PaperWidthValue());
    if (pw <= 0)
        return;
    FZoom = std::clamp(static_cast<int>(Round(width() / pw * 90)), 2, 2000);
    UpdateZoom();
    FZoomState = TQRZoomState::qrZoomToWidth;
}

void TQRPreview::Zoom100()
{
    FZoom = 100;
    UpdateZoom();
    FZoomState = TQRZoomState::qrZoom100;
}

void TQRPreview::refit()
{
    if (FZoomState == TQRZoomState::qrZoomToFit)
        ZoomToFit();
    else if (FZoomState == TQRZoomState::qrZoomToWidth)
        ZoomToWidth();
    UpdateZoom();
}

void TQRPreview::resizeEvent(QResizeEvent* event)
{
    QScrollArea::resizeEvent(event);
    refit();
}

void TQRPreview::focusInEvent(QFocusEvent* event)
{
    QScrollArea::focusInEvent(event);
    refit();
}

void TQRPreview::UpdateImage()
{
    if (FQRPrinter == nullptr || FPreviewImage->HasPage() ||
        FQRPrinter->AvailablePages() < FPreviewImage->PageNumber())
        return;
    if (auto* rep = dynamic_cast<report::TCustomBandoriaRep*>(FQRPrinter->ParentReport()))
        if (rep->PrevInitialZoom == TQRZoomState::qrZoomToWidth)
            ZoomToWidth();
    FPreviewImage->LoadPage(FPreviewImage->PageNumber());
}

void TQRPreview::UpdateAccessibleText()
{
    const int total = FQRPrinter != nullptr ? FQRPrinter->PageCount() : 0;
    const QString name = total > 0 ? QString("Seite %1 von %2").arg(FPageNumber).arg(total)
                                   : QString::fromUtf8("Keine Seite");
    QStringList lines;
    if (const platform::gdi::TMetafile* page = FPreviewImage->Metafile())
        for (const std::string& text : platform::gdi::enumerateTexts(*page))
            lines << QString::fromStdString(text);
    const QString description = lines.join('\n');
    const bool textChanged = description != FPageText;
    const QString oldText = FPageText;
    FPageText = description;
    if (accessibleName() != name)
        setAccessibleName(name);
    if (accessibleDescription() != description)
        setAccessibleDescription(description);
    if (textChanged && QAccessible::isActive()) {
        // A text update names the text replaced and the new one.
        QAccessibleTextUpdateEvent event(this, 0, oldText, description);
        QAccessible::updateAccessibility(&event);
    }
}

std::intptr_t TQRPreview::handleMessage(const platform::Message& message)
{
    if (message.id == kPageAvailableNotice) {
        const int n = static_cast<int>(message.wParam & 0xFFFF);
        if (n == FPageNumber)
            UpdateImage();
        UpdateAccessibleText();
        if (OnPageAvailable)
            OnPageAvailable(this, n);
    } else if (message.id == kProgressNotice) {
        if (OnProgressUpdate)
            OnProgressUpdate(this, static_cast<int>(message.wParam));
    }
    return 0;
}

} // namespace zt::preview
