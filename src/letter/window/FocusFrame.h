#pragma once
// A keyboard focus mark that can be seen: a two-pixel frame in the
// highlight colour, around a tick mark's caption, or on the box itself
// when the tick mark has no caption.

#include <QProxyStyle>

namespace zt::letter {

class FocusFrameStyle final : public QProxyStyle {
public:
    FocusFrameStyle();

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    QRect subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const override;
};

} // namespace zt::letter
