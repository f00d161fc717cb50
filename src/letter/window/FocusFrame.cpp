#include "letter/window/FocusFrame.h"

#include <QApplication>
#include <QPainter>
#include <QStyleFactory>
#include <QStyleOption>

namespace zt::letter {

// On the style the application has now, so the tick marks look like the rest.
FocusFrameStyle::FocusFrameStyle() : QProxyStyle(QStyleFactory::create(QApplication::style()->name())) {}

void FocusFrameStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                    const QWidget* widget) const
{
    if (element != PE_FrameFocusRect) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    // Only focus that came by keyboard is marked, as everywhere on the desktop.
    if (!(option->state & State_KeyboardFocusChange))
        return;
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(QPen(option->palette.color(QPalette::Highlight), 2));
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(QRectF(option->rect).adjusted(1, 1, -1, -1));
    painter->restore();
}

QRect FocusFrameStyle::subElementRect(SubElement element, const QStyleOption* option, const QWidget* widget) const
{
    if (element == SE_CheckBoxFocusRect) {
        const auto* box = qstyleoption_cast<const QStyleOptionButton*>(option);
        // A box without caption (the two "other" marks) is marked on the box,
        // which is all there is of it; a caption is framed with a pixel to spare.
        if (box != nullptr && box->text.isEmpty())
            return QProxyStyle::subElementRect(SE_CheckBoxIndicator, option, widget) & option->rect;
        return QProxyStyle::subElementRect(element, option, widget).adjusted(-1, -1, 1, 1) & option->rect;
    }
    return QProxyStyle::subElementRect(element, option, widget);
}

} // namespace zt::letter
