#include "letter/window/Images.h"

#include "platform/qt/PaintedIcon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace zt::letter {

namespace {

const QColor kInk(40, 40, 40);
const QColor kPaper(255, 255, 255);
const QColor kBlue(40, 90, 200);
const QColor kYellow(235, 190, 60);
const QColor kRed(200, 50, 40);
const QColor kGreen(40, 140, 60);

// A sheet with a folded corner, the base of several images.
void sheet(QPainter& p, const QRectF& r = QRectF(3.5, 1.5, 10, 13))
{
    QPainterPath path;
    path.moveTo(r.left(), r.top());
    path.lineTo(r.right() - 3, r.top());
    path.lineTo(r.right(), r.top() + 3);
    path.lineTo(r.right(), r.bottom());
    path.lineTo(r.left(), r.bottom());
    path.closeSubpath();
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawPath(path);
    p.drawLine(QPointF(r.right() - 3, r.top()), QPointF(r.right() - 3, r.top() + 3));
    p.drawLine(QPointF(r.right() - 3, r.top() + 3), QPointF(r.right(), r.top() + 3));
}

void textLines(QPainter& p, qreal left, qreal right, int from, int to, const QColor& c = kBlue)
{
    p.setPen(QPen(c, 1));
    for (int y = from; y <= to; y += 2)
        p.drawLine(QPointF(left, y + 0.5), QPointF(right, y + 0.5));
}

void calendar(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawRect(QRectF(1.5, 2.5, 13, 12));
    p.fillRect(QRectF(2, 3, 12, 3), kRed);
    p.setPen(QPen(kInk, 1));
    for (int y = 8; y <= 12; y += 2)
        for (int x = 4; x <= 12; x += 3)
            p.drawPoint(QPointF(x + 0.5, y + 0.5));
}

void clock(QPainter& p)
{
    p.setPen(QPen(kInk, 1));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
    p.setPen(QPen(kBlue, 1.5));
    p.drawLine(QPointF(8, 8), QPointF(8, 4));
    p.drawLine(QPointF(8, 8), QPointF(11, 9.5));
}

void paintImage(QPainter& p, int index)
{
    switch (index) {
    case 0: // new
        sheet(p);
        p.setPen(QPen(kYellow, 1.5));
        p.drawLine(QPointF(12, 10), QPointF(12, 15));
        p.drawLine(QPointF(9.5, 12.5), QPointF(14.5, 12.5));
        break;
    case 1: { // open: a folder
        p.setPen(QPen(kInk, 1));
        p.setBrush(kYellow);
        p.drawRect(QRectF(1.5, 4.5, 12, 9));
        p.drawRect(QRectF(1.5, 3.5, 5, 1));
        p.setBrush(kYellow.lighter(130));
        QPolygonF flap({{3.5, 7.5}, {15.5, 7.5}, {13.5, 13.5}, {1.5, 13.5}});
        p.drawPolygon(flap);
        break;
    }
    case 2: // save: a disk
        p.setPen(QPen(kInk, 1));
        p.setBrush(kBlue);
        p.drawRect(QRectF(1.5, 1.5, 13, 13));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.fillRect(QRectF(4, 9, 8, 5), QColor(220, 220, 220));
        break;
    case 3: // print
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 1.5, 7, 5));
        p.setBrush(QColor(170, 170, 170));
        p.drawRect(QRectF(1.5, 6.5, 13, 6));
        p.setBrush(kPaper);
        p.drawRect(QRectF(4.5, 10.5, 7, 4));
        p.fillRect(QRectF(12, 8, 1, 1), kGreen);
        break;
    case 4: // Word
        sheet(p);
        p.setPen(QPen(kBlue, 1.5));
        p.drawPolyline(QPolygonF({{5, 6}, {6.5, 12}, {8.5, 8}, {10.5, 12}, {12, 6}}));
        break;
    case 5: // mail: an envelope
        p.setPen(QPen(kInk, 1));
        p.setBrush(kPaper);
        p.drawRect(QRectF(1.5, 3.5, 13, 9));
        p.drawPolyline(QPolygonF({{1.5, 3.5}, {8, 9}, {14.5, 3.5}}));
        break;
    case 6: // preview: a sheet under a lens
        sheet(p, QRectF(1.5, 1.5, 10, 13));
        textLines(p, 3, 8, 5, 11);
        p.setPen(QPen(kInk, 1.5));
        p.setBrush(QColor(200, 230, 255, 200));
        p.drawEllipse(QRectF(7, 6, 6, 6));
        p.drawLine(QPointF(12, 11), QPointF(15, 14.5));
        break;
    case 7: // editor: a sheet of text
        sheet(p);
        textLines(p, 5, 11, 5, 13, kInk);
        break;
    case 8: // calendar
        calendar(p);
        break;
    case 9: { // phrases: stacked text blocks
        p.setPen(QPen(kInk, 1));
        for (int i = 0; i < 3; ++i) {
            p.setBrush(i == 1 ? kYellow.lighter(140) : kPaper);
            p.drawRect(QRectF(1.5 + i, 1.5 + i * 4.5, 12, 3.5));
        }
        break;
    }
    case 10: // about
        p.setPen(QPen(kBlue, 1));
        p.setBrush(kBlue);
        p.drawEllipse(QRectF(1.5, 1.5, 13, 13));
        p.setPen(QPen(kPaper, 2));
        p.drawPoint(QPointF(8, 4.5));
        p.drawLine(QPointF(8, 7), QPointF(8, 12));
        break;
    default:
        break;
    }
}

QIcon draw(void (*painter)(QPainter&, int), int arg)
{
    return platform::qt::paintedIcon([painter, arg](QPainter& p) { painter(p, arg); });
}

void paintGlyph(QPainter& p, int which)
{
    switch (static_cast<Glyph>(which)) {
    case Glyph::InsertPhrase:
        p.setPen(QPen(kInk, 1));
        p.setBrush(kYellow.lighter(140));
        p.drawRect(QRectF(1.5, 3.5, 9, 4));
        p.setPen(QPen(kGreen, 2));
        p.drawLine(QPointF(6, 9), QPointF(6, 14));
        p.drawPolyline(QPolygonF({{3.5, 11.5}, {6, 14}, {8.5, 11.5}}));
        break;
    case Glyph::InsertDate:
    case Glyph::DateIntoPlace:
        calendar(p);
        break;
    case Glyph::InsertTime:
        clock(p);
        break;
    case Glyph::Sort:
        p.setPen(QPen(kInk, 1));
        p.drawText(QRectF(0, 0, 9, 8), Qt::AlignCenter, "A");
        p.drawText(QRectF(0, 8, 9, 8), Qt::AlignCenter, "Z");
        p.setPen(QPen(kBlue, 1.5));
        p.drawLine(QPointF(12, 2), QPointF(12, 14));
        p.drawPolyline(QPolygonF({{9.5, 11.5}, {12, 14}, {14.5, 11.5}}));
        break;
    }
}

} // namespace

QIcon commandImage(int index)
{
    return draw(paintImage, index);
}

QIcon buttonGlyph(Glyph glyph)
{
    return draw(paintGlyph, static_cast<int>(glyph));
}

namespace {

void paintProgramIcon(QPainter& p)
{
    p.setPen(QPen(kInk, 0.8));
    p.setBrush(QColor(255, 248, 200));
    p.drawRect(QRectF(1.5, 1.5, 13, 13));
    p.fillRect(QRectF(1.9, 1.9, 12.2, 3), QColor(73, 126, 252));
    textLines(p, 4, 12, 7, 11, kInk);
    p.setPen(QPen(kRed, 1.6));
    p.drawPolyline(QPolygonF({{8, 11}, {10, 13.5}, {15, 6}}));
}

} // namespace

QPixmap programIcon(int size, qreal dpr)
{
    return programWindowIcon().pixmap(QSize(size, size), dpr);
}

QIcon programWindowIcon()
{
    return platform::qt::paintedIcon(paintProgramIcon);
}

QPixmap aboutBanner(int width, int height, qreal dpr)
{
    QPixmap pixmap(QSize(width, height) * dpr);
    pixmap.setDevicePixelRatio(dpr);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient g(0, 0, width, 0);
    g.setColorAt(0, QColor(128, 128, 0));
    g.setColorAt(1, QColor(73, 126, 252));
    const QRect area(0, 0, width, height);
    p.fillRect(area, g);
    QFont f("Liberation Sans");
    f.setPixelSize(height * 2 / 3);
    f.setBold(true);
    f.setItalic(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(area, Qt::AlignCenter, "Zettelino");
    return pixmap;
}

} // namespace zt::letter
