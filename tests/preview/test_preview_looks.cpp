// The preview on a screen scaled by two: the page as sharp as a 192-dpi
// rendering, white paper on a dark desktop, and what a screen reader hears
// of the page view.

#include "PreviewFixture.h"

#include "preview/PreviewIcons.h"
#include "platform/qt/QtRenderTarget.h"
#include "support/DarkPalette.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QStyleFactory>
#include <QToolButton>
#include <gtest/gtest.h>

#include <cstdlib>

using namespace zt;
using namespace zt::pages;
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

} // namespace
