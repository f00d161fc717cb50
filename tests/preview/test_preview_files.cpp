// The preview of a loaded saved report file: saved as PDF and printed from
// its recorded pages, a file cut short refused; and a preview window never
// outlives its recorder.

#include "PreviewFixture.h"

#include "preview/TQRStandardPreview.h"
#include "platform/printing/FakePrinterDriver.h"
#include "support/PdfFile.h"
#include "support/ScratchFolder.h"

#include <QTabBar>
#include <QTabWidget>
#include <QToolButton>

#include <filesystem>
#include <regex>
#include <stdexcept>

using namespace zt;
using zt::testing::Preview;
namespace fs = std::filesystem;

namespace {

class LoadedPreview : public Preview {
protected:
    LoadedPreview() { driver = platform::printing::installFakePrinterDriver(); }
    ~LoadedPreview() override { platform::printing::setPrinterDriver(nullptr); }

    // A report of `pages` pages saved and loaded back into its window.
    preview::TQRStandardPreview& openLoaded(int pages)
    {
        preview::TQRStandardPreview& w = open(pages);
        const std::string file = scratch.dir() + "bericht.QRP";
        rep->QRPrinter->Save(file);
        dialogs.answerOpen(file);
        w.LoadReportClick();
        return w;
    }

    std::shared_ptr<platform::printing::FakePrinterDriver> driver;
    zt::testing::ScratchFolder scratch{"zt-preview-loaded"};
};

TEST_F(LoadedPreview, SavingAsPdfPlaysTheRecordedPagesOntoTheDocument)
{
    preview::TQRStandardPreview& w = openLoaded(3);
    dialogs.answerSave(scratch.dir() + "bericht", 1);
    w.SaveReportClick();
    const auto save = dialogs.calls(platform::DialogCall::Kind::Save).back();
    // The loaded pages can always be written as PDF, filter or not.
    EXPECT_EQ(save.request.filter, "PDF-Dokument (*.PDF)|*.PDF|Bandoria-Datei (*.QRP)|*.QRP");
    const std::string pdf = scratch.dir() + "bericht.PDF";
    ASSERT_TRUE(fs::exists(pdf));
    const auto info = zt::testing::runTool("pdfinfo '" + pdf + "'");
    EXPECT_TRUE(std::regex_search(info.output, std::regex("Pages: +3\n"))) << info.output;
    const auto text = zt::testing::runTool("pdftotext '" + pdf + "' -");
    EXPECT_NE(text.output.find("Grüße aus Köln"), std::string::npos) << text.output;
}

TEST_F(LoadedPreview, APdfThatCannotBeWrittenGoesToTheErrorBox)
{
    preview::TQRStandardPreview& w = openLoaded(2);
    dialogs.answerSave(std::string("/nonexistent/folder/bericht.pdf"), 1);
    dialogs.answerMessage(platform::mrOk);
    w.SaveReportClick();
    const auto boxes = dialogs.calls(platform::DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    const auto& box = boxes.front();
    EXPECT_EQ(box.type, platform::TMsgDlgType::mtError);
    EXPECT_NE(box.text.find("Der Bericht wurde nicht gespeichert"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("/nonexistent/folder/bericht.pdf"), std::string::npos) << box.text;
}

TEST_F(LoadedPreview, PrintingPlaysTheLoadedPagesToThePrinter)
{
    preview::TQRStandardPreview& w = openLoaded(3);
    w.PrintClick();
    ASSERT_EQ(driver->Jobs().size(), 1u);
    EXPECT_EQ(driver->LastJob().pages.size(), 3u);
}

TEST_F(LoadedPreview, PrintingWithoutAPrinterSaysSo)
{
    preview::TQRStandardPreview& w = openLoaded(1);
    platform::printing::setPrinterDriver(std::make_shared<platform::printing::FakePrinterDriver>());
    dialogs.answerMessage(platform::mrOk);
    w.PrintClick();
    const auto boxes = dialogs.calls(platform::DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    const auto& box = boxes.front();
    EXPECT_EQ(box.type, platform::TMsgDlgType::mtError);
    EXPECT_NE(box.text.find("nicht gedruckt"), std::string::npos) << box.text;
}

TEST_F(LoadedPreview, AFileCutShortIsRefusedAndThePagesShownStay)
{
    preview::TQRStandardPreview& w = open(4);
    const std::string file = scratch.dir() + "kurz.QRP";
    rep->QRPrinter->Save(file);
    fs::resize_file(file, fs::file_size(file) - 40);
    dialogs.answerOpen(file);
    dialogs.answerMessage(platform::mrOk);
    w.LoadReportClick();
    const auto boxes = dialogs.calls(platform::DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    const auto& box = boxes.front();
    EXPECT_EQ(box.type, platform::TMsgDlgType::mtError);
    EXPECT_NE(box.text.find(file), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("beschädigt"), std::string::npos) << box.text;
    EXPECT_NE(box.text.find("4 Seiten"), std::string::npos) << box.text;
    EXPECT_EQ(w.QRPrinterOf()->PageCount(), 4);
    EXPECT_EQ(w.PanelText(1), "Seite 1 von 4");
}

TEST_F(Preview, AWindowWhoseRecorderGoesClosesWithIt)
{
    preview::TQRStandardPreview& w = open(2);
    w.show();
    QApplication::processEvents();
    // A new run replaces the recorder the window shows.
    rep->Prepare();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.QRPrinterOf(), nullptr);
}

TEST_F(Preview, ARunThatFailsClosesItsPreviewAndTheErrorGoesOn)
{
    preview::RegisterStandardPreview();
    records = 5;
    record = 0;
    auto needData = rep->OnNeedData;
    rep->OnNeedData = [&](report::TQRComponent* c, bool& more) {
        needData(c, more);
        if (record == 3)
            throw std::runtime_error("Datenquelle nicht erreichbar");
    };
    EXPECT_THROW(rep->Preview(), std::runtime_error);
    QApplication::processEvents();
    for (QWidget* widget : QApplication::topLevelWidgets())
        EXPECT_FALSE(qobject_cast<preview::TQRStandardPreview*>(widget) != nullptr && widget->isVisible());
    pages::SetStandardPreviewFactory(nullptr);
    pages::SetProgressFormFactory(nullptr);
}

TEST_F(Preview, TheTabCaptionsAreWholeAndEveryButtonHasItsHint)
{
    preview::TQRStandardPreview& w = open(1);
    w.show();
    QApplication::processEvents();
    QTabBar* bar = w.Tabs->tabBar();
    EXPECT_EQ(bar->elideMode(), Qt::ElideNone);
    EXPECT_GE(w.Tabs->width(), 193);
    for (int i = 0; i < bar->count(); ++i) {
        EXPECT_TRUE(bar->rect().contains(bar->tabRect(i))) << bar->tabText(i).toStdString();
        EXPECT_GE(bar->tabRect(i).width(), bar->fontMetrics().horizontalAdvance(bar->tabText(i)));
    }
    EXPECT_EQ(w.ZoomPickButton->statusTip().toStdString(), "Ansicht Zoom");
    EXPECT_EQ(w.ZoomPickButton->toolTip().toStdString(), "Ansicht Zoom");
}

TEST_F(Preview, APlacedPreviewTakesItsBoundsAndFitsThePage)
{
    records = 2;
    record = 0;
    rep->Prepare();
    pages::TQRPrinter loaded(nullptr);
    zt::testing::ScratchFolder scratch{"zt-preview-placed"};
    rep->QRPrinter->Save(scratch.dir() + "b.QRP");
    loaded.Load(scratch.dir() + "b.QRP");
    preview::TQRStandardPreview* placed = preview::OpenPlacedPreview(&loaded, QRect(256, 51, 768, 922));
    placed->setAttribute(Qt::WA_DeleteOnClose, false);
    window = placed;
    QApplication::processEvents();
    EXPECT_EQ(placed->frameGeometry(), QRect(256, 51, 768, 922));
    EXPECT_EQ(placed->QRPreview->ZoomState(), report::TQRZoomState::qrZoomToFit);
    EXPECT_TRUE(placed->ZoomFit->isChecked());
    EXPECT_LT(placed->QRPreview->Zoom(), 100);
    EXPECT_EQ(placed->PanelText(2), std::to_string(placed->QRPreview->Zoom()) + "%");
    placed->close();
    window = nullptr;
    delete placed;
}

} // namespace
