// The letter leaves the window: as a PDF by e-mail, and to every recipient
// of an address list in one preview.

#include "LetterWindowFixture.h"

#include "export/QRExportLibrary.h"
#include "letter/state/Forms.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"
#include "preview/TQRStandardPreview.h"
#include "platform/core/PlatformError.h"
#include "platform/printing/FakePrinterDriver.h"
#include "platform/qt/QtMessageQueue.h"
#include "platform/shell/MailClient.h"
#include "support/PdfFile.h"
#include "support/ScratchFolder.h"

#include <QAction>
#include <QPointer>
#include <QTimer>
#include <fstream>
#include <functional>

namespace {

using namespace zt;
using platform::DialogCall;

class RecordingMail final : public platform::MailClient {
public:
    void compose(const std::string& subject, const std::string& attachment) override
    {
        if (fail)
            throw platform::PlatformError(platform::ErrorKind::SystemFailure, "Die Kurzmitteilung kann nicht per "
                                                                              "E-Mail gesendet werden: es ist kein "
                                                                              "E-Mail-Programm eingerichtet.");
        subjects.push_back(subject);
        attachments.push_back(attachment);
    }
    std::vector<std::string> subjects, attachments;
    bool fail = false;
};

class LetterSending : public zt::testing::LetterWindowTest {
protected:
    LetterSending()
    {
        exporting::RegisterExportFilters();
        letter::frmReport = &report;
        report.BandoriaRep1->ShowProgress = false;
        previous = platform::setMailClient(&mail);
        preview::RegisterStandardPreview();
        // Mailed PDFs stay after the program; these go with the scratch folder.
        if (const char* tmp = std::getenv("TMPDIR"))
            previousTmp = tmp;
        ::setenv("TMPDIR", scratch.dir().c_str(), 1);
    }
    ~LetterSending() override
    {
        // Deleting one window may take others with it: each is looked at
        // through a guard.
        std::vector<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets())
            windows.emplace_back(w);
        for (const QPointer<QWidget>& w : windows)
            if (auto* p = qobject_cast<preview::TQRStandardPreview*>(w.data()))
                delete p;
        frm.reset();
        letter::frmReport = nullptr;
        platform::setMailClient(previous);
        if (previousTmp)
            ::setenv("TMPDIR", previousTmp->c_str(), 1);
        else
            ::unsetenv("TMPDIR");
    }
    preview::TQRStandardPreview* openPreview() const
    {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<preview::TQRStandardPreview*>(w); p != nullptr && p->isVisible())
                return p;
        return nullptr;
    }

    output::TfrmReport report;
    RecordingMail mail;
    platform::MailClient* previous = nullptr;
    zt::testing::ScratchFolder scratch{"zt-sending"};
    std::optional<std::string> previousTmp;
};

TEST_F(LetterSending, EMailHandsTheSubjectAndTheLettersPdfToTheMailProgram)
{
    frm->EditTitel1->SetText("Ihre Anfrage: Preise/Lieferung");
    frm->MemoMitteilung->setPlainText("Größe 5 € netto");
    frm->EMailPdf->trigger();
    ASSERT_EQ(mail.subjects, (std::vector<std::string>{"Ihre Anfrage: Preise/Lieferung"}));
    const std::string pdf = mail.attachments.at(0);
    EXPECT_TRUE(pdf.ends_with("/Ihre Anfrage_ Preise_Lieferung.pdf")) << pdf;
    EXPECT_EQ(zt::testing::qpdfProblems(pdf), "");
    EXPECT_NE(zt::testing::runTool("pdftotext -enc UTF-8 " + zt::testing::quoted(pdf) + " -").output.find("Größe 5 €"),
              std::string::npos);
    // Without a subject the file and the message have the letter's name.
    frm->EditTitel1->SetText("");
    frm->EMailPdf->trigger();
    ASSERT_EQ(mail.attachments.size(), 2u);
    EXPECT_TRUE(mail.attachments[1].ends_with("/Kurzmitteilung.pdf"));
    EXPECT_EQ(mail.subjects.at(1), "Kurzmitteilung");
}

TEST_F(LetterSending, EachMailHasAnAttachmentOfItsOwnThatOutlivesTheWindow)
{
    // The mail program may read a file only when its message is sent.
    frm->EditTitel1->SetText("Angebot");
    frm->MemoMitteilung->setPlainText("erste");
    frm->EMailPdf->trigger();
    frm->MemoMitteilung->setPlainText("zweite");
    frm->EMailPdf->trigger();
    ASSERT_EQ(mail.attachments.size(), 2u);
    EXPECT_NE(mail.attachments[0], mail.attachments[1]);
    frm.reset();
    for (const std::string& pdf : mail.attachments)
        EXPECT_TRUE(std::filesystem::exists(pdf)) << pdf;
    const auto textOf = [](const std::string& pdf) {
        return zt::testing::runTool("pdftotext " + zt::testing::quoted(pdf) + " -").output;
    };
    EXPECT_NE(textOf(mail.attachments[0]).find("erste"), std::string::npos);
    EXPECT_NE(textOf(mail.attachments[1]).find("zweite"), std::string::npos);
}

TEST_F(LetterSending, AMailThatCannotBeHandedOverSaysWhyAndKeepsTheLetter)
{
    mail.fail = true;
    frm->EditTitel1->SetText("Betreff");
    dialogs.answerMessage(platform::mrOk);
    frm->EMailPdf->trigger();
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtError);
    EXPECT_NE(boxes[0].text.find("kein E-Mail-Programm eingerichtet"), std::string::npos);
    EXPECT_EQ(frm->EditTitel1->Text(), "Betreff");
}

TEST_F(LetterSending, SerienbriefPreviewsEveryRecipientsLetter)
{
    const std::string list = scratch.file("adressen.csv");
    std::ofstream(list, std::ios::binary) << "Anrede;Name;Ort\nHerr;Muster;Köln\nFrau;Schmidt;Bonn\n";
    frm->MemoMitteilung->setPlainText("Sehr geehrte(r) «Anrede» «Name»,");
    dialogs.answerOpen(list);
    dialogs.answerMessage(platform::mrOk);
    frm->Serienbrief->trigger();
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Der Serienbrief geht an 2 Empfänger.");
    preview::TQRStandardPreview* preview = openPreview();
    ASSERT_NE(preview, nullptr);
    ASSERT_EQ(preview->QRPrinterOf()->PageCount(), 2);
    EXPECT_EQ(preview->PanelText(1), "Seite 1 von 2");
    EXPECT_NE(preview->windowTitle().toStdString().find("adressen.csv (2 Empfänger)"), std::string::npos);

    // A list that does not fit the letter: the reason, and no preview.
    preview->close();
    QApplication::processEvents();
    frm->MemoMitteilung->setPlainText("Sehr geehrte(r) «Titel» «Name»,");
    dialogs.answerOpen(list);
    dialogs.answerMessage(platform::mrOk);
    frm->Serienbrief->trigger();
    const auto all = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[1].type, platform::TMsgDlgType::mtError);
    EXPECT_NE(all[1].text.find("\"«Titel»\""), std::string::npos) << all[1].text;
    EXPECT_EQ(openPreview(), nullptr);
}

// Runs `command` once while `work` (a print or save in `preview`) is in
// progress; true when it got to run.
bool runDuring(preview::TQRStandardPreview* preview, const std::function<void()>& work,
               const std::function<void()>& command)
{
    bool tried = false;
    QTimer timer; // goes with this frame, so it never fires into a later one
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        EXPECT_TRUE(preview->Working());
        command();
        tried = true;
    });
    timer.start(0);
    work();
    return tried;
}

struct TCommandTry {
    const char* name;
    std::function<void()> command;
    bool says; // the letter window's commands say why they wait
};

const char* const kWaitMessage = "Zettelino druckt oder speichert gerade.\nBitte warten Sie, bis das fertig ist.";

TEST_F(LetterSending, CommandsWaitWhileAPreviewPrintsOrSaves)
{
    // Printing and saving run the event loop; a command that freed the merge
    // run, ran the report again or cleared the letter meanwhile would pull
    // the pages out from under them.
    const auto driver = platform::printing::installFakePrinterDriver();
    // The program's queue, whose processing lets Qt's events (clicks) run.
    platform::qt::QtMessageQueue queue;
    platform::setMessageQueue(&queue);
    struct Restore {
        ~Restore()
        {
            platform::setMessageQueue(nullptr);
            platform::printing::setPrinterDriver(nullptr);
        }
    } restore;
    const std::string list = scratch.file("adressen.csv");
    std::ofstream(list, std::ios::binary) << "Anrede;Name;Ort\nHerr;Muster;Köln\nFrau;Schmidt;Bonn\n";
    frm->MemoMitteilung->setPlainText("Sehr geehrte(r) «Anrede» «Name»,");
    dialogs.answerOpen(list);
    dialogs.answerMessage(platform::mrOk);
    frm->Serienbrief->trigger();
    preview::TQRStandardPreview* merged = openPreview();
    ASSERT_NE(merged, nullptr);

    const std::vector<TCommandTry> tries = {
        {"Serienbrief", [&] { frm->Serienbrief->trigger(); }, true},
        {"Vorschau", [&] { frm->DruckvorschauExecute(); }, true},
        {"Drucken", [&] { frm->DruckenExecute(); }, true},
        {"PDF-Mail", [&] { frm->EMailPdf->trigger(); }, true},
        {"Neu", [&] { frm->NeuExecute(); }, true},
        {"Öffnen", [&] { frm->OeffnenExecute(); }, true},
        {"close the window", [&] { frm->close(); }, true},
        {"Bericht laden", [&] { merged->LoadReportClick(); }, false},
        {"Drucken in the preview", [&] { merged->PrintClick(); }, false},
        {"close the preview", [&] { merged->close(); }, false},
    };
    for (const TCommandTry& t : tries) {
        SCOPED_TRACE(t.name);
        const std::size_t boxes = dialogs.calls(DialogCall::Kind::Message).size();
        if (t.says)
            dialogs.answerMessage(platform::mrOk);
        driver->ClearJobs();
        EXPECT_TRUE(runDuring(merged, [&] { merged->PrintClick(); }, t.command));
        const auto asked = dialogs.calls(DialogCall::Kind::Message);
        ASSERT_EQ(asked.size(), boxes + (t.says ? 1 : 0));
        if (t.says) {
            EXPECT_EQ(asked.back().text, kWaitMessage);
        }
        ASSERT_EQ(driver->Jobs().size(), 1u);
        EXPECT_EQ(driver->LastJob().pages.size(), 2u);
        EXPECT_FALSE(merged->Working());
        EXPECT_EQ(openPreview(), merged);
        EXPECT_EQ(dialogs.calls(DialogCall::Kind::Open).size(), 1u); // only the first merge's list
    }
    merged->close();
    QApplication::processEvents();

    // The letter's own preview saving its PDF, with the progress it shows.
    report.BandoriaRep1->ShowProgress = true;
    frm->MemoMitteilung->setPlainText("Der ganze Brief");
    // (The preview's run waits on the program's queue until it closes.)
    platform::setMessageQueue(nullptr);
    frm->DruckvorschauExecute();
    platform::setMessageQueue(&queue);
    preview::TQRStandardPreview* preview = openPreview();
    ASSERT_NE(preview, nullptr);
    const std::string pdf = scratch.file("brief.pdf");
    dialogs.answerSave(pdf);
    dialogs.answerMessage(platform::mrOk);
    EXPECT_TRUE(runDuring(preview, [&] { preview->SaveReportClick(); }, [&] { frm->NeuExecute(); }));
    EXPECT_EQ(dialogs.calls(DialogCall::Kind::Message).back().text, kWaitMessage);
    EXPECT_EQ(frm->MemoMitteilung->Text(), "Der ganze Brief");
    EXPECT_NE(zt::testing::runTool("pdftotext " + zt::testing::quoted(pdf) + " -").output.find("Der ganze Brief"),
              std::string::npos);
}

} // namespace
