#pragma once
// The preview's thumbnail grid: one column, one row per page. Only the rows
// in view are drawn, each page rendered once at its thumbnail size and kept
// in a small cache, so a long report scrolls without stalls.

#include <QAbstractScrollArea>
#include <QImage>
#include <functional>
#include <list>
#include <unordered_map>

namespace zt::pages {
class TQRPrinter;
}

namespace zt::preview {

using namespace zt::pages;

class TQRThumbGrid : public QAbstractScrollArea {
    Q_OBJECT
public:
    explicit TQRThumbGrid(QWidget* parent = nullptr);

    void SetQRPrinter(TQRPrinter* printer);
    int RowCount() const { return FRowCount; }
    void SetRowCount(int rows);
    int Row() const { return FRow; }
    // Selects a row without telling OnSelect.
    void SelectRow(int row);
    // Recomputes the geometry from the grid's width and the recorder's paper.
    void UpdateGeometry();
    int RowHeight() const { return FRowHeight; }
    // Forgets rendered pages (the recorder changed).
    void Invalidate();

    std::function<void(int row)> OnSelect;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;

private:
    const QImage& thumbnail(int page, QSize size);
    void updateScrollRange();

    TQRPrinter* FQRPrinter = nullptr;
    int FRowCount = 1;
    int FRow = 0;
    int FRowHeight = 90;
    int FDrawWidth = 0, FDrawHeight = 0, FLeftMargin = 0, FTopMargin = 0;
    // Least recently used pages last; at most kCached are kept.
    static constexpr std::size_t kCached = 48;
    std::list<int> FOrder;
    std::unordered_map<int, QImage> FCache;
    QImage FEmpty;
};

} // namespace zt::preview
