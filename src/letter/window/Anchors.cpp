#include "letter/window/Anchors.h"

#include <algorithm>

namespace zt::letter {

void AnchorLayout::place(QWidget* w, QRect designed, TAnchors anchors)
{
    entries_.push_back({w, designed, anchors});
    w->setGeometry(designed);
}

QRect AnchorLayout::rectFor(QRect r, TAnchors anchors, QSize size) const
{
    const int dx = size.width() - designed_.width();
    const int dy = size.height() - designed_.height();
    int left = r.left(), width = r.width(), top = r.top(), height = r.height();
    if ((anchors & akLeft) && (anchors & akRight))
        width += dx;
    else if (anchors & akRight)
        left += dx;
    if ((anchors & akTop) && (anchors & akBottom))
        height += dy;
    else if (anchors & akBottom)
        top += dy;
    return QRect(left, top, std::max(0, width), std::max(0, height));
}

void AnchorLayout::apply(QSize size) const
{
    for (const Entry& e : entries_)
        e.widget->setGeometry(rectFor(e.designed, e.anchors, size));
}

bool AnchorLayout::fits(QSize size) const
{
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Entry& e = entries_[i];
        const QRect r = rectFor(e.designed, e.anchors, size);
        const QSize needed =
            e.widget->minimumSize().expandedTo(e.widget->minimumSizeHint()).boundedTo(e.designed.size());
        if (r.width() < std::max(0, needed.width()) || r.height() < std::max(0, needed.height()))
            return false;
        for (std::size_t j = i + 1; j < entries_.size(); ++j) {
            const Entry& o = entries_[j];
            if (e.designed.intersects(o.designed))
                continue;
            if (r.intersects(rectFor(o.designed, o.anchors, size)))
                return false;
        }
    }
    return true;
}

QSize AnchorLayout::minimumSize() const
{
    // Each edge moves with one measure only: narrow first at the designed
    // height, then lower at that width.
    int width = designed_.width();
    while (width > 0 && fits(QSize(width - 1, designed_.height())))
        --width;
    int height = designed_.height();
    while (height > 0 && fits(QSize(width, height - 1)))
        --height;
    return QSize(width, height);
}

} // namespace zt::letter
