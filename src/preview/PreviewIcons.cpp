#include "preview/PreviewIcons.h"

#include "platform/qt/PaintedIcon.h"

#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QPainterPath>
#include <QPixmap>

namespace zt::preview {

namespace {

const QColor kInk(40, 40, 40);
const QColor kBlue(30, 90, 200);
const QColor kPaper(255, 255, 255);
const QColor kLens(200, 230, 255);

// Lines drawn straight on the toolbar, not on a sheet: in the toolbar's
// text colour, so they stand out on a dark desktop as on a light one. The
// picture is drawn anew at every paint and follows a change of palette.
QColor lineInk()
{
    return QGuiApplication::palette().color(QPalette::ButtonText);
}

void sheet(QPainter& p, const QRectF& r)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(r);
}

void triangle(QPainter& p, double x, double dir)
{
    QPainterPath path;
    path.moveTo(x, 8);
    path.lineTo(x + 5 * dir, 3);
    path.lineTo(x + 5 * dir, 13);
    path.closeSubpath();
    p.fillPath(path, kBlue);
}

void printer(QPainter& p)
{
    sheet(p, QRectF(4.5, 1.5, 7, 5));
    p.setPen(QPen(kInk, 1));
    p.setBrush(QColor(170, 170, 170));
    p.drawRect(QRectF(1.5, 6.5, 13, 6));
    sheet(p, QRectF(4.5, 10.5, 7, 4));
}

void draw(QPainter& p, int index)
{
    switch (index) {
    case 0: // fit: a whole page
        sheet(p, QRectF(4.5, 1.5, 7, 13));
        p.setPen(QPen(kBlue, 1));
        p.drawLine(QPointF(6, 5), QPointF(10, 5));
        p.drawLine(QPointF(6, 8), QPointF(10, 8));
        break;
    case 1: // 100 %
        sheet(p, QRectF(1.5, 1.5, 13, 13));
        p.setPen(kBlue);
        p.setFont(QFont("Liberation Sans", 7, QFont::Bold));
        p.drawText(QRectF(1, 1, 14, 14), Qt::AlignCenter, "1:1");
        break;
    case 2: // width: arrows to both sides
        sheet(p, QRectF(3.5, 1.5, 9, 13));
        p.setPen(QPen(kBlue, 1.5));
        p.drawLine(QPointF(1, 8), QPointF(15, 8));
        triangle(p, 0.5, 1);
        triangle(p, 15.5, -1);
        break;
    case 3:
        p.fillRect(QRectF(3, 3, 2, 10), kBlue);
        triangle(p, 6, 1);
        break;
    case 4:
        triangle(p, 5, 1);
        break;
    case 5:
        triangle(p, 11, -1);
        break;
    case 6:
        triangle(p, 10, -1);
        p.fillRect(QRectF(11, 3, 2, 10), kBlue);
        break;
    case 7: // printer setup
        printer(p);
        p.setPen(QPen(kBlue, 1.5));
        p.drawEllipse(QPointF(12, 12), 2.5, 2.5);
        break;
    case 8:
        printer(p);
        break;
    case 9: { // load: an open folder
        p.setPen(QPen(kInk, 1));
        p.setBrush(QColor(240, 200, 80));
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        p.drawRect(QRectF(1.5, 3.5, 5, 1));
        break;
    }
    case 10: // save: a disk
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.fillRect(QRectF(4, 2, 8, 5), kPaper);
        p.fillRect(QRectF(5, 10, 6, 4), QColor(200, 200, 200));
        break;
    case 11: // find: a magnifier
        p.setPen(QPen(lineInk(), 1.5));
        p.setBrush(kLens);
        p.drawEllipse(QPointF(6.5, 6.5), 4, 4);
        p.setPen(QPen(lineInk(), 2.5));
        p.drawLine(QPointF(9.5, 9.5), QPointF(14, 14));
        break;
    case 12: // go to page: a page and an arrow
        sheet(p, QRectF(6.5, 1.5, 8, 13));
        p.setPen(QPen(kBlue, 1.5));
        p.drawLine(QPointF(1, 8), QPointF(8, 8));
        triangle(p, 12, -1);
        break;
    case 13: // cancel
        p.setPen(QPen(QColor(200, 30, 30), 2.5));
        p.drawLine(QPointF(3, 3), QPointF(13, 13));
        p.drawLine(QPointF(13, 3), QPointF(3, 13));
        break;
    case 14: // copy: two sheets
        sheet(p, QRectF(1.5, 1.5, 8, 10));
        sheet(p, QRectF(6.5, 4.5, 8, 10));
        break;
    default: { // zoom pick: a small magnifier with a menu arrow
        p.setPen(QPen(lineInk(), 1.5));
        p.setBrush(kLens);
        p.drawEllipse(QPointF(6, 6), 3.5, 3.5);
        p.setPen(QPen(lineInk(), 2));
        p.drawLine(QPointF(8.5, 8.5), QPointF(11, 11));
        QPainterPath arrow;
        arrow.moveTo(14, 8);
        arrow.lineTo(9, 3);
        arrow.lineTo(9, 13);
        arrow.closeSubpath();
        p.fillPath(arrow, lineInk());
        break;
    }
    }
}

} // namespace

QIcon PreviewIcon(int index)
{
    return platform::qt::paintedIcon([index](QPainter& p) { draw(p, index); });
}

} // namespace zt::preview
