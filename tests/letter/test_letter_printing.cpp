// "Drucken" and "Vorschau" in the letter window: the letter as typed reaches
// the printer, with the page total of the prepared run.

#include "LetterWindowFixture.h"

#include "letter/state/Forms.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"
#include "platform/printing/FakePrinterDriver.h"
#include "support/PageContent.h"
#include "pages/PrinterTestSupport.h"

#include <QAction>
#include <QCheckBox>

namespace {

using namespace zt;

class LetterPrinting : public zt::testing::LetterWindowTest {
protected:
    LetterPrinting()
    {
        driver = platform::printing::installFakePrinterDriver();
        letter::frmReport = &report;
        report.BandoriaRep1->ShowProgress = false;
    }
    ~LetterPrinting() override
    {
        letter::frmReport = nullptr;
        platform::printing::setPrinterDriver(nullptr);
    }

    void typeMessage(int lines)
    {
        std::string text;
        for (int i = 1; i <= lines; ++i)
            text += "Zeile " + std::to_string(i) + (i < lines ? "\n" : "");
        frm->MemoMitteilung->setPlainText(QString::fromStdString(text));
    }

    std::shared_ptr<platform::printing::FakePrinterDriver> driver;
    output::TfrmReport report;
};

TEST_F(LetterPrinting, DruckenPrintsTheLetterAsTypedWithItsPageTotal)
{
    frm->MemoAbsender->setPlainText("Erika Mustermann\nHauptstraße 5");
    frm->EditTitel1->SetText("Betreff");
    frm->TickMark(2)->setChecked(true);
    typeMessage(150);
    frm->Drucken->trigger();
    ASSERT_EQ(driver->Jobs().size(), 1u);
    const auto& job = driver->LastJob();
    ASSERT_EQ(job.pages.size(), 3u);
    EXPECT_EQ(letter::PreviewPageTotal, 3);
    const auto first = zt::testing::readPageContent(job.pages[0].drawing);
    EXPECT_NE(first.find("Erika Mustermann, Hauptstraße 5"), nullptr);
    EXPECT_NE(first.find("Betreff"), nullptr);
    EXPECT_NE(first.find("[X] Anruf/Rücksprache"), nullptr);
    EXPECT_NE(first.find("Seite 1 von 3"), nullptr);
    // The recorded font keeps the face the letter asks for, at the printer's resolution.
    const auto* line = first.find("Zeile 1");
    ASSERT_NE(line, nullptr);
    EXPECT_EQ(line->font.face, "Courier New");
    EXPECT_EQ(line->font.height, -83);  // 10 points at 600 dpi
    EXPECT_EQ(report.BandoriaRep1->PrinterSettings().FirstPage, 0);
    EXPECT_EQ(report.BandoriaRep1->PrinterSettings().LastPage, 0);
}

TEST_F(LetterPrinting, OnePageLetterPrintedWithoutPreviewShowsPageOneOfOne)
{
    typeMessage(1);
    frm->DruckenExecute();
    const auto page = zt::testing::readPageContent(driver->LastJob().pages.at(0).drawing);
    EXPECT_NE(page.find("Seite 1 von 1"), nullptr);
}

TEST_F(LetterPrinting, PreviewRunsWithTheWindowPlacedOnTheScreen)
{
    typeMessage(50);
    frm->DruckvorschauExecute();
    const report::TBandoriaRep& r = *report.BandoriaRep1;
    EXPECT_EQ(letter::PreviewPageTotal, 2);
    EXPECT_FALSE(r.PrevShowThumbs);
    EXPECT_FALSE(r.PrevShowSearch);
    EXPECT_GT(r.PreviewWidth, 0);
    ASSERT_NE(r.QRPrinter, nullptr);
    EXPECT_EQ(r.QRPrinter->PageCount(), 2);
    EXPECT_TRUE(driver->Jobs().empty());
}

// The texts recorded after `from` and before `to`, in record order.
std::vector<std::string> textsBetween(const zt::testing::PageContent& page, const std::string& from, const std::string& to)
{
    std::vector<std::string> out;
    bool inside = false;
    for (const auto& t : page.texts) {
        if (t.text == to)
            break;
        if (inside)
            out.push_back(t.text);
        inside = inside || t.text == from;
    }
    return out;
}

// The lines as one text, without the blanks that end it.
std::string joined(const std::vector<std::string>& lines)
{
    std::string all;
    for (const std::string& line : lines)
        all += (all.empty() || all.ends_with(' ') ? "" : " ") + line;
    while (all.ends_with(' '))
        all.pop_back();
    return all;
}

TEST_F(LetterPrinting, WhateverTheOtherFieldsAcceptedPrintsWhole)
{
    frm->MemoMitteilung->setPlainText("ENDE");
    for (const char* other : {"Unterschrift bis 15.", "Unterschriftenmappe1", "a b c d e f g h i j ", "kurz"})
        for (const bool ticked : {true, false}) {
            SCOPED_TRACE(std::string(other) + (ticked ? " ticked" : ""));
            frm->EditSonst1->SetText(other);
            frm->EditSonst2->SetText(other);
            frm->TickMark(9)->setChecked(ticked);
            frm->TickMark(15)->setChecked(ticked);
            frm->DruckenExecute();
            const auto page = zt::testing::readPageContent(driver->LastJob().pages.at(0).drawing);
            const std::string mark = std::string(ticked ? "[X] " : "[ ] ") + other;
            // Mark 9 may take two lines inside the request box, at the list's left edge.
            const auto request = textsBetween(page, "[ ] Entscheidung", "ENDE");
            ASSERT_FALSE(request.empty());
            ASSERT_LE(request.size(), 2u);
            EXPECT_EQ(joined(request), joined({mark}));
            const int listLeft = page.find("[ ] Entscheidung")->x;
            for (const std::string& line : request)
                EXPECT_EQ(page.find(line)->x, listLeft) << line;
            // Mark 15 prints on its row, whole.
            EXPECT_EQ(joined(textsBetween(page, "[ ] Vertrag", "Seite 1 von 1")), joined({mark}));
        }
}

TEST_F(LetterPrinting, WithoutAPrinterBothPrintCommandsSaySoAndPrintNothing)
{
    auto none = std::make_shared<platform::printing::FakePrinterDriver>();
    platform::printing::setPrinterDriver(none);
    typeMessage(1);
    for (QAction* command : {frm->Drucken, frm->DruckenMitDialog}) {
        dialogs.answerMessage(platform::mrOk);
        command->trigger();
    }
    const auto boxes = dialogs.calls(platform::DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 2u);
    for (const auto& box : boxes) {
        EXPECT_EQ(box.type, platform::TMsgDlgType::mtError);
        EXPECT_EQ(box.text, "Es ist kein Drucker eingerichtet. Der Brief wurde nicht gedruckt.");
    }
    EXPECT_TRUE(none->Jobs().empty());
}

} // namespace

#include "preview/TQRStandardPreview.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QToolButton>

#include <vector>

namespace {

TEST_F(LetterPrinting, VorschauOpensTheWindowPlacedOnTheScreenZoomedToFit)
{
    preview::RegisterStandardPreview();
    typeMessage(70);
    frm->DruckvorschauExecute();
    preview::TQRStandardPreview* preview = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<preview::TQRStandardPreview*>(w); p != nullptr && p->isVisible())
            preview = p;
    ASSERT_NE(preview, nullptr);
    EXPECT_EQ(preview->windowTitle().toStdString(), "Bericht Vorschau : Zettelino für Windows");
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const auto place = output::PreviewPlacementFor(screen.width(), screen.height());
    // The placement is the window's outer bounds, its frame included.
    QApplication::processEvents();
    EXPECT_EQ(preview->frameGeometry(), QRect(place.left, place.top, place.width, place.height));
    EXPECT_LT(preview->geometry().width(), place.width);
    EXPECT_EQ(preview->QRPreview->ZoomState(), report::TQRZoomState::qrZoomToFit);
    EXPECT_FALSE(preview->Tabs->isVisible());
    EXPECT_EQ(preview->PanelText(1), "Seite 1 von 2");
    preview->LastPageClick();
    EXPECT_EQ(preview->QRPreview->PageNumber(), 2);
    preview->close();
    QApplication::processEvents();
    EXPECT_EQ(report.BandoriaRep1->QRPrinter, nullptr);
    pages::SetStandardPreviewFactory(nullptr);
    pages::SetProgressFormFactory(nullptr);
}


// The letter's open previews, visible ones only.
std::vector<preview::TQRStandardPreview*> openPreviews()
{
    std::vector<preview::TQRStandardPreview*> open;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<preview::TQRStandardPreview*>(w); p != nullptr && p->isVisible())
            open.push_back(p);
    return open;
}

TEST_F(LetterPrinting, ASecondVorschauReplacesTheOpenPreview)
{
    preview::RegisterStandardPreview();
    typeMessage(70);
    frm->DruckvorschauExecute();
    ASSERT_EQ(openPreviews().size(), 1u);
    const QPointer<preview::TQRStandardPreview> first = openPreviews().front();
    // The letter changes while its preview is open.
    typeMessage(1);
    frm->DruckvorschauExecute();
    QApplication::processEvents();
    const auto open = openPreviews();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_NE(open.front(), first.data());
    EXPECT_EQ(open.front()->QRPrinterOf(), report.BandoriaRep1->QRPrinter);
    EXPECT_EQ(open.front()->PanelText(1), "Seite 1 von 1");
    open.front()->close();
    QApplication::processEvents();
    pages::SetStandardPreviewFactory(nullptr);
    pages::SetProgressFormFactory(nullptr);
}

TEST_F(LetterPrinting, ASecondVorschauLeavesAPrintingPreviewAndItsRecorderAlone)
{
    preview::RegisterStandardPreview();
    typeMessage(70);
    frm->DruckvorschauExecute();
    ASSERT_EQ(openPreviews().size(), 1u);
    preview::TQRStandardPreview* printing = openPreviews().front();
    pages::TQRPrinter* recorder = report.BandoriaRep1->QRPrinter;
    // While it prints, its close button is off and it refuses to close;
    // Vorschau says why it waits.
    printing->ExitButton->setEnabled(false);
    dialogs.answerMessage(platform::mrOk);
    frm->DruckvorschauExecute();
    EXPECT_EQ(dialogs.calls(platform::DialogCall::Kind::Message).back().text,
              "Zettelino druckt oder speichert gerade.\nBitte warten Sie, bis das fertig ist.");
    EXPECT_EQ(openPreviews(), std::vector<preview::TQRStandardPreview*>{printing});
    EXPECT_EQ(report.BandoriaRep1->QRPrinter, recorder);
    EXPECT_EQ(printing->PanelText(1), "Seite 1 von 2");
    printing->ExitButton->setEnabled(true);
    printing->close();
    QApplication::processEvents();
    pages::SetStandardPreviewFactory(nullptr);
    pages::SetProgressFormFactory(nullptr);
}

} // namespace

namespace {

class LetterPrintingWithDialog : public LetterPrinting {
protected:
    LetterPrintingWithDialog() { platform::printing::setSystemPrintDialog(&dialog); }
    ~LetterPrintingWithDialog() override { platform::printing::setSystemPrintDialog(nullptr); }
    zt::pages::test::ScriptedPrintDialog dialog;
};

} // namespace

TEST_F(LetterPrintingWithDialog, DruckenMitDialogPrintsWhatTheDialogChoseAndOnlyThisOnce)
{
    typeMessage(150);
    ASSERT_EQ(frm->DruckenMitDialog->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_P));
    EXPECT_EQ(frm->DruckenMitDialog->text().toStdString(), "Drucken...");
    dialog.edit = [](platform::printing::PrintDialogAnswer& a) {
        a.printer = "Fake B";
        a.flags |= platform::printing::PD_PAGENUMS;
        a.fromPage = 2;
        a.toPage = 3;
        a.copies = 2;
    };
    frm->DruckenMitDialog->trigger();
    ASSERT_EQ(dialog.requests.size(), 1u);
    // The dialog knows the letter's pages.
    EXPECT_EQ(dialog.requests[0].maxPage, 3);
    ASSERT_EQ(driver->Jobs().size(), 1u);
    EXPECT_EQ(driver->LastJob().printer, "Fake B");
    EXPECT_EQ(driver->LastJob().mode.dmCopies, 2);
    ASSERT_EQ(driver->LastJob().pages.size(), 2u);
    EXPECT_NE(zt::testing::readPageContent(driver->LastJob().pages[0].drawing).find("Seite 2 von 3"), nullptr);

    // Plain "Drucken" still goes to the default printer, every page once.
    frm->Drucken->trigger();
    ASSERT_EQ(driver->Jobs().size(), 2u);
    EXPECT_EQ(driver->LastJob().printer, "Fake A");
    EXPECT_EQ(driver->LastJob().mode.dmCopies, 1);
    EXPECT_EQ(driver->LastJob().pages.size(), 3u);
}

TEST_F(LetterPrintingWithDialog, ACancelledPrintDialogPrintsNothing)
{
    typeMessage(3);
    dialog.confirm = false;
    frm->DruckenMitDialog->trigger();
    EXPECT_EQ(dialog.requests.size(), 1u);
    EXPECT_TRUE(driver->Jobs().empty());
    frm->Drucken->trigger();
    EXPECT_EQ(driver->Jobs().size(), 1u);
}
