// The preview on a screen scaled by two: the page as sharp as a 192-dpi
// rendering, white paper on a dark desktop, every command in view on a
// 1280 x 1024 screen, and what a screen reader hears of the page view.

#include "PreviewFixture.h"

#include "preview/PreviewIcons.h"
#include "platform/qt/QtRenderTarget.h"
#include "support/DarkPalette.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QStyleFactory>
#include <QScreen>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace zt;
using namespace zt::pages;
using namespace zt::preview;
using zt::testing::Preview;

namespace {

// Before the application exists: every window of this program is on a
// screen scaled by two.
const bool kScaledScreen = [] { return setenv("QT_SCALE_FACTOR", "2", 1) == 0; }();

int grey(QRgb c) { return qGray(c); }

TEST_F(Preview, AtScaleTwoThePageIsAsSharpAsA192DpiRendering)
{
    ASSERT_TRUE(kScaledScreen);
    TQRStandardPreview& w = open(1);
    w.show();
    w.QRPreview->SetZoom(100);
    QApplication::processEvents();
    TQRPreviewImage* view = w.QRPreview->PreviewImage();
    ASSERT_EQ(view->devicePixelRatioF(), 2.0);
    ASSERT_TRUE(view->HasPage());
    const QImage shown = view->grab().toImage().convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(shown.size(), view->size() * 2);
    const QImage direct = platform::qt::renderPage(*view->Metafile(), shown.size());
    // Inside the sheet's outline: every ink pixel of the direct rendering
    // is where the view has it; a page drawn at half the pixels and blown
    // up smears each edge.
    int ink = 0, off = 0;
    for (int y = 8; y < shown.height() - 8; ++y)
        for (int x = 8; x < shown.width() - 8; ++x) {
            const int d = grey(direct.pixel(x, y));
            if (d < 160)
                ++ink;
            if (std::abs(d - grey(shown.pixel(x, y))) > 64)
                ++off;
        }
    ASSERT_GT(ink, 100) << "the page has text to compare";
    EXPECT_LT(off, ink / 20) << off << " of " << ink << " ink pixels differ";
}

TEST_F(Preview, ToolbarPicturesAreDrawnAtTheScreensDevicePixels)
{
    for (int i = 0; i <= 15; ++i)
        EXPECT_EQ(PreviewIcon(i).pixmap(QSize(16, 16), 2.0).size(), QSize(32, 32)) << i;
}

TEST_F(Preview, OnADarkDesktopThePageStaysWhitePaper)
{
    const QPalette saved = QApplication::palette();
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(zt::testing::darkPalette());
    TQRStandardPreview& w = open(1);
    w.show();
    QApplication::processEvents();
    TQRPreviewImage* view = w.QRPreview->PreviewImage();
    const QImage shown = view->grab().toImage();
    QApplication::setPalette(saved);
    // The lower half of the page is empty paper.
    for (const QPoint p : {QPoint(shown.width() / 2, shown.height() * 3 / 4), QPoint(20, shown.height() - 20),
                           QPoint(shown.width() - 20, shown.height() / 2)})
        EXPECT_EQ(QColor(shown.pixel(p)), QColor(Qt::white)) << p.x() << "," << p.y();
}

TEST_F(Preview, ThePageViewTellsAScreenReaderThePageAndItsText)
{
    TQRStandardPreview& w = open(3);
    QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(w.QRPreview);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->text(QAccessible::Name).toStdString(), "Seite 1 von 3");
    EXPECT_NE(iface->text(QAccessible::Description).indexOf("Seite 1"), -1);
    w.nextPage->trigger();
    w.nextPage->trigger();
    EXPECT_EQ(iface->text(QAccessible::Name).toStdString(), "Seite 3 von 3");
    EXPECT_NE(iface->text(QAccessible::Description).indexOf(QString::fromUtf8("Grüße aus Köln")), -1);
    // A reader can also walk the page's text as a document.
    EXPECT_EQ(iface->role(), QAccessible::Document);
    QAccessibleTextInterface* text = iface->textInterface();
    ASSERT_NE(text, nullptr);
    EXPECT_NE(text->text(0, text->characterCount()).indexOf(QString::fromUtf8("Grüße aus Köln")), -1);
    // Every toolbar button is heard by a name, the picture-only ones by their hints.
    for (QToolButton* button : w.findChildren<QToolButton*>()) {
        if (!button->isVisibleTo(&w) || button->objectName() == "qt_toolbar_ext_button")
            continue;
        QAccessibleInterface* b = QAccessible::queryAccessibleInterface(button);
        EXPECT_FALSE(b->text(QAccessible::Name).isEmpty()) << button->objectName().toStdString();
    }
    EXPECT_EQ(QAccessible::queryAccessibleInterface(w.ZoomPickButton)->text(QAccessible::Name).toStdString(),
              "Ansicht Zoom");
}

TEST_F(Preview, OnA1280By1024ScreenScaledByTwoNoCommandHidesInTheOverflow)
{
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    ASSERT_EQ(area.size(), QSize(640, 512)) << "1280 x 1024 at factor 2";
    TQRStandardPreview& w = open(2);
    // Placed as the letter's preview is: 60 % of the screen's width.
    w.PlaceWindow(QRect(area.width() / 5, area.height() / 20, area.width() * 3 / 5, area.height() * 9 / 10));
    w.show();
    QApplication::processEvents();
    EXPECT_TRUE(area.contains(w.frameGeometry())) << w.frameGeometry().width();
    int commands = 0;
    for (QToolBar* bar : {w.ToolBar1, w.ToolBar2}) {
        auto* more = bar->findChild<QToolButton*>("qt_toolbar_ext_button");
        ASSERT_NE(more, nullptr);
        EXPECT_FALSE(more->isVisible()) << bar->objectName().toStdString();
        EXPECT_EQ(QAccessible::queryAccessibleInterface(more)->text(QAccessible::Name).toStdString(),
                  "Weitere Befehle");
        for (QAction* a : bar->actions()) {
            QWidget* b = bar->widgetForAction(a);
            if (a->isSeparator() || !a->isVisible())
                continue;
            ++commands;
            ASSERT_NE(b, nullptr);
            EXPECT_TRUE(b->isVisible()) << a->text().toStdString();
            EXPECT_TRUE(w.rect().contains(QRect(b->mapTo(&w, QPoint(0, 0)), b->size()))) << a->text().toStdString();
        }
    }
    EXPECT_GE(commands, 17);
    // Wide enough for both, the toolbars share one row again.
    w.resize(1200, 500);
    QApplication::processEvents();
    EXPECT_EQ(w.ToolBar1->y(), w.ToolBar2->y());
}

TEST_F(Preview, ALargerFontKeepsTheCloseButtonsCaptionWhole)
{
    const QFont saved = QApplication::font();
    QFont large = saved;
    large.setPointSize(20);
    QApplication::setFont(large);
    TQRStandardPreview& w = open(1);
    w.show();
    // The font reaches the window's controls through posted events, as a
    // desktop's change of font does.
    for (int i = 0; i < 5; ++i)
        QApplication::processEvents();
    const QFontMetrics fm(w.ExitButton->font());
    const int caption = fm.horizontalAdvance(QString::fromUtf8("Schließen"));
    const QRect box = w.ExitButton->geometry();
    QApplication::setFont(saved);
    EXPECT_GT(box.width(), caption);
    EXPECT_GE(box.height(), fm.height());
    // Within its toolbar, not cut off by it.
    EXPECT_TRUE(w.ToolBar2->rect().contains(box)) << box.height() << " in " << w.ToolBar2->height();
}

TEST_F(Preview, OnADarkDesktopTheZoomPickersMagnifierStandsOut)
{
    const QPalette saved = QApplication::palette();
    QApplication::setStyle(QStyleFactory::create("Fusion"));
    QApplication::setPalette(zt::testing::darkPalette());
    const QColor face = QApplication::palette().color(QPalette::Button);
    const QImage glyph = PreviewIcon(15).pixmap(QSize(16, 16), 2.0).toImage();
    QApplication::setPalette(saved);
    int clear = 0;
    for (int y = 0; y < glyph.height(); ++y)
        for (int x = 0; x < glyph.width(); ++x) {
            const QColor c = glyph.pixelColor(x, y);
            if (c.alpha() > 200 && zt::testing::contrast(c, face) >= 3.0)
                ++clear;
        }
    EXPECT_GT(clear, 60) << "pixels of the glyph that stand out from the button face";
}

} // namespace
