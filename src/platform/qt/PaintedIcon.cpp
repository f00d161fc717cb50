#include "platform/qt/PaintedIcon.h"

#include <QIconEngine>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace zt::platform::qt {

namespace {

class PaintedIconEngine final : public QIconEngine {
public:
    PaintedIconEngine(std::function<void(QPainter&)> paint, int designSize)
        : paint_(std::move(paint)), designSize_(designSize)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const qreal dpr = painter->device() != nullptr ? painter->device()->devicePixelRatioF() : 1.0;
        painter->drawPixmap(rect, render((QSizeF(rect.size()) * dpr).toSize(), mode, dpr));
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State) override { return render(size, mode, 1.0); }

    // `size` counts device pixels here, the ratio already applied.
    QPixmap scaledPixmap(const QSize& size, QIcon::Mode mode, QIcon::State, qreal scale) override
    {
        return render(size, mode, scale);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override { return size; }

    // Window managers take a window's icon only in the sizes listed here.
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override
    {
        return {{16, 16}, {24, 24}, {32, 32}, {48, 48}, {64, 64}, {128, 128}};
    }

    QIconEngine* clone() const override { return new PaintedIconEngine(paint_, designSize_); }

    QString key() const override { return QStringLiteral("ZtPaintedIcon"); }

private:
    // A picture of `pixels` device pixels for a screen of ratio `scale`.
    QPixmap render(const QSize& pixels, QIcon::Mode mode, qreal scale) const
    {
        if (pixels.isEmpty())
            return {};
        QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        {
            QPainter p(&image);
            p.setRenderHint(QPainter::Antialiasing);
            p.setRenderHint(QPainter::TextAntialiasing);
            const qreal side = std::min(pixels.width(), pixels.height());
            p.translate((pixels.width() - side) / 2, (pixels.height() - side) / 2);
            p.scale(side / designSize_, side / designSize_);
            paint_(p);
        }
        if (mode == QIcon::Disabled)
            greyOut(image);
        QPixmap pixmap = QPixmap::fromImage(image);
        pixmap.setDevicePixelRatio(scale);
        return pixmap;
    }

    // Grey and faint, as a toolkit greys a disabled picture.
    static void greyOut(QImage& image)
    {
        for (int y = 0; y < image.height(); ++y) {
            auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                const QRgb c = line[x];
                const int a = qAlpha(c) / 2;
                const int g = qGray(c) * a / std::max(1, qAlpha(c));
                line[x] = qRgba(g, g, g, a);
            }
        }
    }

    std::function<void(QPainter&)> paint_;
    int designSize_;
};

} // namespace

QIcon paintedIcon(std::function<void(QPainter&)> paint, int designSize)
{
    return QIcon(new PaintedIconEngine(std::move(paint), designSize));
}

} // namespace zt::platform::qt
