#pragma once
// The preview's page view: a scroll box holding one page image at a zoom in
// percent. It follows its recorder's progress and page-available notices,
// so pages show as they are recorded.

#include "pages/QRPreviewInterface.h"
#include "platform/gdi/Metafile.h"
#include "platform/messages/MessageQueue.h"
#include "base/QRTypes.h"

#include <QImage>
#include <QScrollArea>
#include <QWidget>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace zt::pages {
class TQRPrinter;
}

namespace zt::preview {

using namespace zt::pages;

// The page drawn with its outline and shadow; the drawing is kept until the
// page or the size changes, so scrolling and repainting cost a blit.
class TQRPreviewImage : public QWidget {
    Q_OBJECT
public:
    explicit TQRPreviewImage(QWidget* parent = nullptr);
    ~TQRPreviewImage() override;

    void SetQRPrinter(TQRPrinter* printer) { FQRPrinter = printer; }
    int PageNumber() const { return FPageNumber; }
    void SetPageNumber(int n) { FPageNumber = n; }
    int Zoom() const { return FZoom; }
    void SetZoom(int zoom) { FZoom = zoom; }
    // Takes page n from the recorder (none while it is not complete) and paints at once.
    void LoadPage(int n);
    bool HasPage() const { return FMetafile != nullptr; }
    const platform::gdi::TMetafile* Metafile() const { return FMetafile.get(); }

    // Link areas of the shown page and the link under the pointer. Recorded
    // pages carry none, so these stay empty, the pointer stays the arrow
    // and a click follows no link.
    struct THyperlink {
        QRect Area;
        std::string Link;
    };
    const std::vector<THyperlink>& Hyperlinks() const { return FHyperlinks; }
    bool IsLink() const { return FIsLink; }
    const std::string& LastLink() const { return FLastLink; }
    std::function<void(QObject* sender, const std::string& link)> FOnHyperlink;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    const THyperlink* linkAt(const QPoint& at) const;
    std::vector<THyperlink> FHyperlinks;
    TQRPrinter* FQRPrinter = nullptr;
    int FPageNumber = 1;
    std::unique_ptr<platform::gdi::TMetafile> FMetafile;
    int FZoom = 100;
    bool FIsLink = false;
    std::string FLastLink;
    QImage FDrawn;
};

// Draws a page's sheet into `r`: white inside, the page stretched over it
// (clipped to the inside of its outline when `clip`), a black outline and shadow.
void PaintPageSheet(QPainter& painter, const QRect& r, const platform::gdi::TMetafile* page, bool clip);

class TQRPreview : public QScrollArea, public platform::MessageTarget, public TQRPrinterClient {
    Q_OBJECT
public:
    explicit TQRPreview(QWidget* parent = nullptr);
    ~TQRPreview() override;

    TQRPrinter* QRPrinter() const { return FQRPrinter; }
    void SetQRPrinter(TQRPrinter* printer);
    int PageNumber() const { return FPageNumber; }
    void SetPageNumber(int n);
    int Zoom() const { return FZoom; }
    // Ignored unless 2 <= z <= 2000.
    void SetZoom(int z);
    report::TQRZoomState ZoomState() const { return FZoomState; }
    void ZoomToFit();
    void ZoomToWidth();
    // The page at 100 %, kept so when the view is resized (qrZoom100).
    void Zoom100();
    void UpdateZoom();
    void UpdateImage();
    TQRPreviewImage* PreviewImage() const { return FPreviewImage; }

    std::function<void(TQRPreview* sender, int pageNum)> OnPageAvailable;
    std::function<void(TQRPreview* sender, int progress)> OnProgressUpdate;
    // A link of the shown page was clicked (pages carry none here).
    std::function<void(TQRPreview* sender, const std::string& link)> OnHyperlink;
    // The recorder shown went away (its report freed it): the view is empty now.
    std::function<void(TQRPreview* sender)> OnPrinterGone;

    std::intptr_t handleMessage(const platform::Message& message) override;
    void DetachPrinter(TQRPrinter* printer) override;

    // What a screen reader hears of the view: "Seite n von m" as its name,
    // the shown page's text lines as its description.
    void UpdateAccessibleText();
    // The shown page's text records, one a line.
    const QString& PageText() const { return FPageText; }

protected:
    void resizeEvent(QResizeEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    void refit();

    TQRPreviewImage* FPreviewImage = nullptr;
    int FPageNumber = 1;
    TQRPrinter* FQRPrinter = nullptr;
    int FZoom = 100;
    report::TQRZoomState FZoomState = report::TQRZoomState::qrZoomOther;
    QString FPageText;
};

} // namespace zt::preview
