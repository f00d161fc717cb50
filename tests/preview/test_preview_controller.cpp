// A report's preview controller in place of the report's own settings, and
// the search dialog's keys.

#include "PreviewFixture.h"

#include "preview/TSearchDlg.h"
#include "report/QRPreviewController.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QToolButton>

using namespace zt;
using zt::testing::Preview;

namespace {

preview::TQRStandardPreview* openWindow(report::TBandoriaRep& rep)
{
    rep.Prepare();
    auto* w = new preview::TQRStandardPreview(rep.QRPrinter);
    w->setAttribute(Qt::WA_DeleteOnClose, false);
    return w;
}

TEST_F(Preview, AControllersSettingsReplaceTheReportsInTheWindow)
{
    records = 2;
    rep->PrevShowThumbs = true;
    rep->PreviewWidth = 500;
    auto* controller = new report::TQRPreviewController(&form);
    // A new controller shows everything at 800 x 640.
    EXPECT_TRUE(controller->ShowPrintButton && controller->ShowSysMenu);
    EXPECT_EQ(controller->prevInitWidth, 800);
    EXPECT_EQ(controller->prevInitHeight, 640);
    controller->ShowThumbs = false;
    controller->ShowFindButton = false;
    controller->ShowPrintButton = false;
    controller->ShowZoomPickButton = false;
    controller->ShowLastButton = false;
    controller->ShowMaximise = false;
    controller->PrevInitZoom = report::TQRZoomState::qrZoomToWidth;
    controller->PrevInitLeft = 40;
    controller->PrevInitTop = 30;
    controller->prevInitWidth = 700;
    controller->prevInitHeight = 520;
    rep->PreviewController = controller;

    window = openWindow(*rep);
    preview::TQRStandardPreview& w = *window;
    EXPECT_EQ(w.frameGeometry(), QRect(40, 30, 700, 520));
    EXPECT_FALSE(w.ShowThumbs);
    EXPECT_FALSE(w.ShowSearch);
    EXPECT_TRUE(w.ZoomToWidth->isChecked());
    EXPECT_FALSE(w.Print->isVisible());
    EXPECT_FALSE(w.FindButton->isVisible());
    EXPECT_FALSE(w.LastPage->isVisible());
    EXPECT_TRUE(w.ZoomPickButton->isHidden());
    EXPECT_TRUE(w.FirstPage->isVisible());
    EXPECT_TRUE(w.SaveReport->isVisible());
    EXPECT_FALSE(w.windowFlags().testFlag(Qt::WindowMaximizeButtonHint));
    EXPECT_TRUE(w.windowFlags().testFlag(Qt::WindowMinimizeButtonHint));
    // The title still comes from the report.
    EXPECT_EQ(w.windowTitle().toStdString(), "Bericht Vorschau : Probe");
}

TEST_F(Preview, AFreedControllerLeavesTheReportsOwnSettings)
{
    records = 1;
    rep->PrevShowSearch = true;
    auto* controller = new report::TQRPreviewController(&form);
    controller->ShowFindButton = false;
    rep->PreviewController = controller;
    controller->Free();
    EXPECT_EQ(rep->PreviewController, nullptr);
    window = openWindow(*rep);
    EXPECT_TRUE(window->ShowSearch);
    EXPECT_TRUE(window->FindButton->isVisible());
}

TEST(SearchDialog, OnlyItsButtonsAnswerItNotEnterOrEscape)
{
    zt::testing::ensureWidgetApplication();
    preview::TSearchDlg dlg;
    dlg.show();
    dlg.SearchEdit->setFocus();
    QTest::keyClicks(dlg.SearchEdit, "Koeln");
    QTest::keyClick(dlg.SearchEdit, Qt::Key_Return);
    QTest::keyClick(dlg.SearchEdit, Qt::Key_Enter);
    QTest::keyClick(dlg.SearchEdit, Qt::Key_Escape);
    dlg.SearchButton->setFocus();
    QTest::keyClick(dlg.SearchButton, Qt::Key_Return);
    EXPECT_TRUE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), 0);
    QTest::keyClick(dlg.SearchButton, Qt::Key_Space);
    EXPECT_FALSE(dlg.isVisible());
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.SearchEdit->text().toStdString(), "Koeln");

    dlg.show();
    QTest::mouseClick(dlg.CancelButton, Qt::LeftButton);
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
}

} // namespace
