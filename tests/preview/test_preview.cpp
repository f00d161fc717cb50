// The preview window and its page view, offscreen with scripted dialogs.

#include "PreviewFixture.h"

#include "export/QRExportLibrary.h"
#include "pages/QRPageSearch.h"
#include "pages/QRPrinter.h"
#include "preview/PreviewThumbs.h"
#include "preview/TQRStandardPreview.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/gdi/EmfRecorder.h"
#include "report/QRBands.h"
#include "report/QRLabels.h"
#include "report/QRReport.h"
#include "support/DialogScript.h"
#include "support/QtWidgetApp.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QScrollBar>
#include <QToolButton>
#include <QWheelEvent>
#include <QTest>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

using namespace zt;
using namespace zt::pages;
using namespace zt::preview;
namespace fs = std::filesystem;
using zt::testing::Preview;

namespace {

TEST_F(Preview, TheWindowTakesTheReportsTitleAndShowsItsFirstPage)
{
    TQRStandardPreview& w = open(3);
    EXPECT_EQ(w.windowTitle().toStdString(), "Bericht Vorschau : Probe");
    EXPECT_EQ(w.PanelText(1), "Seite 1 von 3");
    EXPECT_EQ(w.PanelText(3), "Probe");
    EXPECT_TRUE(w.QRPreview->PreviewImage()->HasPage());
    EXPECT_TRUE(w.Print->isEnabled());
    EXPECT_TRUE(w.ZoomFit->isChecked());
    EXPECT_FALSE(w.CancelButton->isEnabled());
}

TEST_F(Preview, FitOnA500By700ControlGives59)
{
    TQRStandardPreview& w = open(1);
    w.QRPreview->resize(500, 700);
    w.QRPreview->ZoomToFit();
    EXPECT_EQ(w.QRPreview->Zoom(), 59);
    EXPECT_EQ(w.QRPreview->ZoomState(), report::TQRZoomState::qrZoomToFit);
}

TEST_F(Preview, ZoomOutsideTwoToTwoThousandIsIgnored)
{
    TQRStandardPreview& w = open(1);
    w.QRPreview->SetZoom(80);
    w.QRPreview->SetZoom(1);
    w.QRPreview->SetZoom(2001);
    EXPECT_EQ(w.QRPreview->Zoom(), 80);
    w.QRPreview->SetZoom(2000);
    EXPECT_EQ(w.QRPreview->Zoom(), 2000);
    EXPECT_EQ(w.QRPreview->ZoomState(), report::TQRZoomState::qrZoomOther);
    w.ZoomMenuClick("N150");
    EXPECT_EQ(w.QRPreview->Zoom(), 150);
    EXPECT_TRUE(w.ZoomFit->isChecked());
    EXPECT_EQ(w.PanelText(2), "150%");
}

TEST_F(Preview, TheGotoBoxTakesOnlyPagesThatExist)
{
    TQRStandardPreview& w = open(5);
    for (const char* answer : {"0", "abc", "99"}) {
        w.SelectPage(4);
        dialogs.answerInput(std::string(answer));
        w.GotoPageClick();
        EXPECT_EQ(w.QRPreview->PageNumber(), 1) << answer;
    }
    dialogs.answerInput(std::string("3"));
    w.GotoPageClick();
    EXPECT_EQ(w.QRPreview->PageNumber(), 3);
    const auto input = dialogs.calls(platform::DialogCall::Kind::Input).back();
    EXPECT_EQ(input.caption, "Auswahl einer Seite von 1 bis 5");
    EXPECT_EQ(input.text, "Eingabe einer Seitennummer");
    dialogs.answerInput(std::nullopt);
    w.GotoPageClick();
    EXPECT_EQ(w.QRPreview->PageNumber(), 3);
}

TEST_F(Preview, KeysPageThroughTheReport)
{
    TQRStandardPreview& w = open(4);
    QWidget* view = w.QRPreview;
    w.PreviewKey(Qt::Key_End, {}, view);
    EXPECT_EQ(w.QRPreview->PageNumber(), 4);
    w.PreviewKey(Qt::Key_PageUp, {}, view);
    EXPECT_EQ(w.QRPreview->PageNumber(), 3);
    w.PreviewKey(Qt::Key_PageUp, Qt::ControlModifier | Qt::ShiftModifier, view);
    EXPECT_EQ(w.QRPreview->PageNumber(), 2); // Ctrl not alone: one page back
    w.PreviewKey(Qt::Key_PageUp, Qt::ControlModifier, view);
    EXPECT_EQ(w.QRPreview->PageNumber(), 1);
    w.PreviewKey(Qt::Key_PageDown, {}, view);
    EXPECT_EQ(w.QRPreview->PageNumber(), 2);
    w.PreviewKey(Qt::Key_Home, {}, view);
    EXPECT_EQ(w.QRPreview->PageNumber(), 1);
    // Keys are left to the thumbnail grid when it has the focus.
    EXPECT_FALSE(w.PreviewKey(Qt::Key_End, {}, w.ThumbGrid));
    EXPECT_EQ(w.QRPreview->PageNumber(), 1);
}

TEST_F(Preview, TheWheelTurnsPagesButASidewaysSwipeDoesNot)
{
    TQRStandardPreview& w = open(3);
    QWidget* viewport = w.QRPreview->viewport();
    const auto where = [&] {
        return std::pair(w.QRPreview->PageNumber(), w.QRPreview->verticalScrollBar()->value());
    };
    const auto wheel = [&](QPoint angle) {
        QWheelEvent event(QPointF(10, 10), QPointF(10, 10), QPoint(), angle, Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(viewport, &event);
    };
    const auto before = where();
    wheel(QPoint(-120, 0)); // a touchpad swipe to the side
    EXPECT_EQ(where(), before);
    wheel(QPoint(0, -120)); // the wheel turned towards the user
    EXPECT_NE(where(), before);
}

TEST_F(Preview, ArrowsScrollWithinAPageAndThenTurnIt)
{
    TQRStandardPreview& w = open(3);
    w.show();
    QApplication::processEvents();
    w.QRPreview->SetZoom(200);
    QApplication::processEvents();
    QScrollBar* bar = w.QRPreview->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 0);
    w.SelectPage(2);
    bar->setValue(bar->maximum());
    w.ArrowDown();
    EXPECT_EQ(w.QRPreview->PageNumber(), 3);
    EXPECT_EQ(bar->value(), 0);
    w.ArrowUp();
    EXPECT_EQ(w.QRPreview->PageNumber(), 2);
    EXPECT_EQ(bar->value(), bar->maximum() - bar->singleStep());
    w.ArrowUp();
    EXPECT_EQ(w.QRPreview->PageNumber(), 2);
}

TEST_F(Preview, ProgressShowsStepsOfFiveAndClearsAtTheEnd)
{
    TQRStandardPreview& w = open(1);
    w.ProgressUpdate(3);
    EXPECT_EQ(w.PanelText(0), "0%");
    w.ProgressUpdate(7);
    EXPECT_EQ(w.PanelText(0), "7%");
    w.ProgressUpdate(11);
    EXPECT_EQ(w.PanelText(0), "7%");
    w.ProgressUpdate(100);
    EXPECT_EQ(w.PanelText(0), "");
}

TEST_F(Preview, SearchListsMatchingPagesOrSaysThereAreNone)
{
    TQRStandardPreview& w = open(4);
    w.RunSearch("seite", false);
    ASSERT_EQ(w.SearchResultBox->count(), 3);
    EXPECT_EQ(w.SearchResultBox->item(0)->text().toStdString(), "Seite 1");
    EXPECT_EQ(w.SearchResultBox->item(2)->text().toStdString(), "Seite 4");
    w.SearchResultClick(2);
    EXPECT_EQ(w.QRPreview->PageNumber(), 4);
    w.RunSearch("seite", true);
    EXPECT_EQ(w.SearchResultBox->item(0)->text().toStdString(), "Kein Ergebnis bei Suche");
    EXPECT_FALSE(w.SearchResultBox->isEnabled());
    w.RunSearch("GRÜSSE", false);
    EXPECT_EQ(w.SearchResultBox->item(0)->text().toStdString(), "Kein Ergebnis bei Suche");
    w.RunSearch("grüße", false);
    EXPECT_EQ(w.SearchResultBox->item(0)->text().toStdString(), "Seite 3");
}

TEST_F(Preview, ASearchEndedByADamagedPageDoesNotHoldUpTheNextOne)
{
    TQRStandardPreview& w = open(3);
    const fs::path dir = fs::temp_directory_path() / "zt-preview-damaged-search";
    fs::create_directories(dir);
    const std::string file = (dir / "damaged.QRP").string();
    rep->QRPrinter->Save(file);
    std::string bytes;
    {
        std::ifstream in(file, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // The middle page's metafile signature, spoilt: loading reads only the
    // first and the last page.
    const std::size_t first = bytes.find(" EMF");
    ASSERT_NE(first, std::string::npos);
    const std::size_t second = bytes.find(" EMF", first + 4);
    ASSERT_NE(second, std::string::npos);
    ASSERT_NE(bytes.find(" EMF", second + 4), std::string::npos);
    bytes[second + 1] = 'X';
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out << bytes;
    }
    dialogs.answerOpen(file);
    try {
        w.LoadReportClick();
    } catch (const std::exception&) {
        // The thumbnails may already read the damaged page; the pages are loaded.
    }
    ASSERT_EQ(rep->QRPrinter->PageCount(), 3);
    EXPECT_ANY_THROW(w.RunSearch("seite", false));
    // Would wait for the first search for ever if it still counted as running.
    EXPECT_ANY_THROW(w.RunSearch("seite", false));
    fs::remove_all(dir);
}

TEST(PageSearch, ComparesTheLowByteOfEachCharacter)
{
    auto rec = platform::gdi::EmfRecorder::forPage(platform::gdi::RefDevice::screen(), 100, 100);
    rec.TextOut(0, 0, "Preis: 5 €");
    const auto page = rec.Finish();
    EXPECT_TRUE(PageContainsText(page, "5 €", true));
    // The euro sign's low byte is that of "¬".
    EXPECT_TRUE(PageContainsText(page, "5 ¬", true));
    EXPECT_TRUE(PageContainsText(page, "PREIS", false));
    EXPECT_FALSE(PageContainsText(page, "PREIS", true));
}

TEST_F(Preview, SavingFollowsTheExtensionOrTheChosenEntry)
{
    TQRStandardPreview& w = open(2);
    const fs::path dir = fs::temp_directory_path() / ("zt-preview-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    // No filter for PDF is registered here: nothing is written, and the
    // user is told so.
    dialogs.answerSave((dir / "a.pdf").string(), 1);
    dialogs.answerMessage(platform::mrOk);
    w.SaveReportClick();
    EXPECT_FALSE(fs::exists(dir / "a.pdf"));
    dialogs.answerSave((dir / "b").string(), 2);
    w.SaveReportClick();
    EXPECT_TRUE(fs::exists(dir / "b.QRP"));
    dialogs.answerSave((dir / "c").string(), 1);
    dialogs.answerMessage(platform::mrOk);
    w.SaveReportClick();
    EXPECT_FALSE(fs::exists(dir / "c.PDF"));
    dialogs.answerSave((dir / "d.QRP").string(), 1);
    w.SaveReportClick();
    EXPECT_TRUE(fs::exists(dir / "d.QRP"));
    const auto boxes = dialogs.calls(platform::DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtError);
    EXPECT_NE(boxes[0].text.find("nicht gespeichert"), std::string::npos) << boxes[0].text;
    const auto save = dialogs.calls(platform::DialogCall::Kind::Save).front();
    EXPECT_EQ(save.request.title, "Bericht speichern");
    EXPECT_EQ(save.request.filter, "PDF-Dokument (*.PDF)|*.PDF|Bandoria-Datei (*.QRP)|*.QRP");
    EXPECT_EQ(save.request.fileName, "*.PDF");
    fs::remove_all(dir);
}

TEST_F(Preview, LoadingAMissingFileSaysSo)
{
    TQRStandardPreview& w = open(1);
    dialogs.answerOpen(std::string("/nonexistent/report.QRP"));
    dialogs.answerMessage(platform::mrOk);
    w.LoadReportClick();
    ASSERT_EQ(dialogs.calls().size(), 2u);
    EXPECT_EQ(dialogs.calls()[1].kind, platform::DialogCall::Kind::Plain);
    EXPECT_EQ(dialogs.calls()[1].text, "Die Datei existiert nicht");
}

TEST_F(Preview, EscapeClosesTheWindowAndTheReportLetsGoOfItsRecorder)
{
    TQRStandardPreview& w = open(2);
    w.show();
    QApplication::processEvents();
    w.ThumbGrid->setFocus();
    EXPECT_TRUE(w.PreviewKey(Qt::Key_Escape, {}, w.ThumbGrid));
    QApplication::processEvents();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(rep->QRPrinter, nullptr);
}

TEST_F(Preview, EndDuringARunShowsTheLastCompletePage)
{
    records = 10;
    record = 0;
    std::unique_ptr<TQRStandardPreview> during;
    auto* detail = rep->FindBand(report::rbDetail);
    detail->AfterPrint = [&](report::TQRCustomBand*, bool) {
        if (record == 5 && !during) {
            // Page 5 is being drawn: four are complete.
            during = std::make_unique<TQRStandardPreview>(rep->QRPrinter);
            during->setAttribute(Qt::WA_DeleteOnClose, false);
            platform::messageQueue().processMessages();
            during->LastPageClick();
            EXPECT_EQ(during->QRPreview->PageNumber(), 4);
            EXPECT_FALSE(during->Print->isEnabled());
        }
    };
    rep->Prepare();
    ASSERT_TRUE(during);
}

} // namespace

#include "export/QRExportLibrary.h"

namespace {

TEST_F(Preview, WithThePdfFilterSavingAsPdfWritesTheDocument)
{
    exporting::RegisterExportFilters();
    TQRStandardPreview& w = open(2);
    const fs::path dir = fs::temp_directory_path() / ("zt-preview-pdf-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    dialogs.answerSave((dir / "a.pdf").string(), 1);
    w.SaveReportClick();
    ASSERT_TRUE(fs::exists(dir / "a.pdf"));
    EXPECT_GT(fs::file_size(dir / "a.pdf"), 500u);
    dialogs.answerSave((dir / "b").string(), 1);
    w.SaveReportClick();
    EXPECT_TRUE(fs::exists(dir / "b.PDF"));
    dialogs.answerSave((dir / "c").string(), 2);
    w.SaveReportClick();
    EXPECT_TRUE(fs::exists(dir / "c.QRP"));
    // The registered filter's type is the default type: listed once, in German.
    const auto save = dialogs.calls(platform::DialogCall::Kind::Save).front();
    EXPECT_EQ(save.request.filter, "PDF-Dokument (*.PDF)|*.PDF|Bandoria-Datei (*.QRP)|*.QRP");
    // The preview still shows its own pages.
    EXPECT_NE(w.QRPrinterOf(), nullptr);
    EXPECT_EQ(w.QRPrinterOf()->PageCount(), 2);
    fs::remove_all(dir);
}

} // namespace

#include "preview/TQRProgressForm.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

namespace {

TEST_F(Preview, TheProgressFormShowsStepsOfFiveAndCancels)
{
    records = 1;
    rep->Prepare();
    TQRPrinter* printer = rep->QRPrinter;
    TQRProgressForm form(printer);
    EXPECT_EQ(form.windowTitle().toStdString(), "Printing progress");
    EXPECT_EQ(form.size(), QSize(149, 97));
    printer->SetProgress(50);
    form.handleMessage({kProgressNotice, 50, 0});
    EXPECT_EQ(form.Gauge->value(), 50);
    EXPECT_EQ(form.Info->text().toStdString(), "50%  Durchgeführt");
    printer->SetProgress(53);
    form.handleMessage({kProgressNotice, 53, 0});
    EXPECT_EQ(form.Gauge->value(), 50);
    form.CancelButton->click();
    EXPECT_TRUE(rep->UserCancel);
    EXPECT_TRUE(printer->Cancelled());
}

} // namespace

namespace {

// A filter whose document came out other than asked, as an archive PDF
// without its claim does.
class NoticingFilter : public report::TQRExportFilter {
public:
    explicit NoticingFilter(const std::string& filename) : TQRExportFilter(filename) {}
    static const char* ClassName() { return "NoticingFilter"; }
    std::string FileExtension() const override { return "ZTN"; }
    void Finish() override
    {
        std::ofstream(Filename()) << "geschrieben";
        TQRExportFilter::Finish();
    }
    std::string Notice() const override { return "Das Dokument ist kein Archiv-PDF: eine Schrift fehlt."; }
};

} // namespace

TEST_F(Preview, WhatAFilterSaysOfTheDocumentWrittenIsShownAsInformation)
{
    exporting::QRExportFilterLibrary().AddFilter(report::FilterClassOf<NoticingFilter>());
    TQRStandardPreview& w = open(1);
    const fs::path dir = fs::temp_directory_path() / ("zt-preview-notice-" + std::to_string(::getpid()));
    fs::create_directories(dir);
    dialogs.answerSave((dir / "n.ZTN").string(), 1);
    dialogs.answerMessage(platform::mrOk);
    w.SaveReportClick();
    exporting::QRExportFilterLibrary().RemoveFilter(report::FilterClassOf<NoticingFilter>());
    // Written, and the user told how it came out: not an error.
    EXPECT_TRUE(fs::exists(dir / "n.ZTN"));
    const auto boxes = dialogs.calls(platform::DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtInformation);
    EXPECT_EQ(boxes[0].text, "Das Dokument ist kein Archiv-PDF: eine Schrift fehlt.");
    fs::remove_all(dir);
}
