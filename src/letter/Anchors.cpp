#include "letter/Anchors.h"

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

} // namespace zt::letter
