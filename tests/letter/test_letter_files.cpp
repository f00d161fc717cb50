// Open and Save through the window, against hand-written letter files.

#include "LetterWindowFixture.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "platform/files/FileAccess.h"
#include "support/ScratchFolder.h"

#include <QAction>
#include <QCheckBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <random>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace zt;
using letter::CurrentFile;
using letter::LastDir;
using letter::LetterSaved;
using platform::DialogCall;

namespace {

std::string fixture(const std::string& name)
{
    return std::string(ZT_TEST_DATA) + "/" + name;
}

class LetterFilesTest : public zt::testing::LetterWindowTest {
protected:
    std::string path(const std::string& name) const { return scratch.file(name); }

    void open(const std::string& file)
    {
        dialogs.answerOpen(file);
        frm->OeffnenExecute();
    }

    // Save's confirmation, answered with its OK.
    void expectSavedBox(const std::string& file)
    {
        dialogs.answerMessage(platform::mrOk);
        expectedSaves_.push_back(file);
    }

    // Open's warning about a file it could not read, answered with its OK.
    void expectOpenFailure() { dialogs.answerMessage(platform::mrOk); }

    // The confirmations seen are those announced, in order.
    void TearDown() override
    {
        std::vector<std::string> seen;
        for (const DialogCall& c : dialogs.calls(DialogCall::Kind::Message))
            if (c.text.ends_with("\" wurde gespeichert.")) {
                EXPECT_EQ(c.type, platform::TMsgDlgType::mtInformation);
                EXPECT_EQ(c.buttons, platform::mbOK);
                seen.push_back(c.text);
            }
        std::vector<std::string> announced;
        for (const std::string& file : expectedSaves_)
            announced.push_back("Zettelino \"" + file + "\" wurde gespeichert.");
        EXPECT_EQ(seen, announced);
    }

    // The letter of letter18.ZLW, typed into the window.
    void typeLetter18()
    {
        frm->MemoAbsender->SetText("Max Mustermann\nHauptstraße 1");
        frm->MemoAnschrift->SetText("Firma Beispiel GmbH\n  z. Hd. Frau Öztürk\n12345 Musterstadt");
        frm->MemoMitteilung->SetText("anbei die Unterlagen.\nGrüße = bis bald");
        for (int n : {1, 3, 10, 14})
            frm->TickMark(n)->setChecked(true);
        frm->EditTitel1->SetText("Ihre Anfrage vom 3. März");
        frm->EditSonst1->SetText("Weiterleitung");
        frm->EditSonst2->SetText("Plan");
        frm->edDatum->SetText("Köln, 08.12.2015");
    }

    void expectLetter18() const
    {
        EXPECT_EQ(frm->MemoAbsender->Lines(), (std::vector<std::string>{"Max Mustermann", "Hauptstraße 1"}));
        EXPECT_EQ(frm->MemoAnschrift->Lines(),
                  (std::vector<std::string>{"Firma Beispiel GmbH", "  z. Hd. Frau Öztürk", "12345 Musterstadt"}));
        EXPECT_EQ(frm->MemoMitteilung->Lines(),
                  (std::vector<std::string>{"anbei die Unterlagen.", "Grüße = bis bald"}));
        for (int n = 1; n <= 15; ++n)
            EXPECT_EQ(frm->TickMark(n)->isChecked(), n == 1 || n == 3 || n == 10 || n == 14) << n;
        EXPECT_EQ(frm->EditTitel1->Text(), "Ihre Anfrage vom 3. März");
        EXPECT_EQ(frm->EditTitel2->Text(), "");
        EXPECT_EQ(frm->EditSonst1->Text(), "Weiterleitung");
        EXPECT_EQ(frm->EditSonst2->Text(), "Plan");
        EXPECT_EQ(frm->edDatum->Text(), "Köln, 08.12.2015");
    }

    zt::testing::ScratchFolder scratch{"zt-files"};
    const fs::path& folder = scratch.path();

private:
    std::vector<std::string> expectedSaves_;
};

const char* const kOpenFailure = "Fehler beim Öffnen!\n"
                                  "Möglicherweise wurde der Zettelino mit einer älteren Programmversion erstellt.\n"
                                  "Versuchen Sie die ggf. über \"Zettelino|Öffnen alte Version...\" fortzufahren";

const char* const kNotSaved = "Die Kurzmitteilung wurde noch nicht gespeichert.\nMöchten Sie sie zuerst speichern?";

// Open's question about the unsaved letter, then its failure warning.
void expectOneOpenFailure(std::vector<DialogCall> boxes)
{
    if (!boxes.empty() && boxes[0].text == kNotSaved)
        boxes.erase(boxes.begin());
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, kOpenFailure);
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtWarning);
    EXPECT_EQ(boxes[0].buttons, platform::mbOK);
}

} // namespace

TEST_F(LetterFilesTest, SavingWritesTheHandWrittenBytesOfLayout18)
{
    typeLetter18();
    dialogs.answerSave(path("brief.ZLW"));
    expectSavedBox(path("brief.ZLW"));
    frm->SpeichernExecute(frm->Speichern);
    EXPECT_EQ(platform::files::readFileBytes(path("brief.ZLW")),
              platform::files::readFileBytes(fixture("letter18.ZLW")));
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Zettelino \"" + path("brief.ZLW") + "\" wurde gespeichert.");
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtInformation);
    EXPECT_TRUE(LetterSaved);
    EXPECT_EQ(CurrentFile, path("brief.ZLW"));
    EXPECT_EQ(LastDir, folder.string() + "/");
    EXPECT_EQ(frm->windowTitle().toStdString(), "Zettelino"); // Save leaves the caption alone
}

TEST_F(LetterFilesTest, AnEmptyLetterSavesZeroCountsFollowedByTheTickMarks)
{
    dialogs.answerSave(path("leer.ZLW"));
    expectSavedBox(path("leer.ZLW"));
    frm->SpeichernExecute(frm->SpeichernUnter);
    EXPECT_EQ(platform::files::readFileBytes(path("leer.ZLW")),
              platform::files::readFileBytes(fixture("empty18.ZLW")));
    open(path("leer.ZLW"));
    EXPECT_EQ(frm->MemoAbsender->LineCount(), 0);
    EXPECT_EQ(frm->MemoMitteilung->LineCount(), 0);
}

TEST_F(LetterFilesTest, BlocksWrappedInTheBoxAreSavedAsTheirDisplayedLines)
{
    // The sender box holds 40 Courier characters a line.
    frm->MemoAbsender->SetText(std::string(50, 'a'));
    dialogs.answerSave(path("wrap.ZLW"));
    expectSavedBox(path("wrap.ZLW"));
    frm->SpeichernExecute(frm->Speichern);
    const std::string bytes = platform::files::readFileBytes(path("wrap.ZLW"));
    EXPECT_EQ(bytes.rfind("ZLVersion=1.8\r\nAbsLines=2\r\nAnsLines=0\r\nMitLines=0\r\n" + std::string(40, 'a') +
                              "\r\n" + std::string(10, 'a') + "\r\ncb1=0\r\n",
                          0),
              0u);
}

TEST_F(LetterFilesTest, OpeningHandWrittenFilesInEveryEncodingAndLineEnd)
{
    for (const char* name : {"letter18.ZLW", "utf8bom.ZLW", "utf16le.ZLW", "lf.ZLW", "cr.ZLW"}) {
        SCOPED_TRACE(name);
        frm->NeuExecute();
        open(fixture(name));
        expectLetter18();
        EXPECT_TRUE(LetterSaved);
        EXPECT_EQ(frm->PanelText(2), name);
        EXPECT_EQ(frm->windowTitle().toStdString(), "Zettelino - [ " + fixture(name) + "]");
        EXPECT_EQ(LastDir, std::string(ZT_TEST_DATA) + "/");
    }
    EXPECT_EQ(dialogs.calls(DialogCall::Kind::Message).size(), 0u);
}

TEST_F(LetterFilesTest, KeysIgnoreCaseAndTheFirstLineWithAKeyWins)
{
    open(fixture("mixedcase.ZLW"));
    EXPECT_EQ(frm->MemoMitteilung->Lines(), std::vector<std::string>{"edDatum=Bonn"});
    EXPECT_EQ(frm->edDatum->Text(), "Bonn");
    EXPECT_TRUE(frm->TickMark(3)->isChecked());  // "CB3=1"
    EXPECT_FALSE(frm->TickMark(4)->isChecked()); // "yes"
    EXPECT_FALSE(frm->TickMark(5)->isChecked()); // " 1"
    EXPECT_EQ(frm->EditTitel1->Text(), "Betreff");
    EXPECT_EQ(frm->EditTitel2->Text(), "x=y");
    EXPECT_TRUE(dialogs.calls(DialogCall::Kind::Message).empty());
}

TEST_F(LetterFilesTest, AFailedOpenLeavesTheLetterItsFileCaptionAndPanelAsTheyWere)
{
    fs::copy_file(fixture("letter18.ZLW"), path("a.ZLW"));
    open(path("a.ZLW"));
    frm->EditTitel1->SetText("geändert");
    LetterSaved = false;
    const std::string caption = frm->windowTitle().toStdString();

    dialogs.answerMessage(platform::mrNo); // the changes may go
    expectOpenFailure();
    open(fixture("pastend.ZLW"));
    expectOneOpenFailure(dialogs.calls(DialogCall::Kind::Message));
    // Nothing of the file that could not be read reached the letter.
    EXPECT_EQ(frm->MemoAbsender->Lines(), (std::vector<std::string>{"Max Mustermann", "Hauptstraße 1"}));
    EXPECT_EQ(frm->MemoMitteilung->LineCount(), 2);
    EXPECT_EQ(frm->EditTitel1->Text(), "geändert");
    EXPECT_EQ(CurrentFile, path("a.ZLW"));
    EXPECT_EQ(frm->windowTitle().toStdString(), caption);
    EXPECT_EQ(frm->PanelText(2), "a.ZLW");
    EXPECT_FALSE(LetterSaved); // the changes made before are still unsaved
    EXPECT_EQ(LastDir, std::string(ZT_TEST_DATA) + "/");
}

TEST_F(LetterFilesTest, AfterAFailedFirstOpenSaveAsksForAName)
{
    fs::copy_file(fixture("nocount.ZLW"), path("nocount.ZLW")); // a regression must not hit the fixture
    frm->MemoAbsender->SetText("bleibt");
    dialogs.answerMessage(platform::mrNo);
    expectOpenFailure();
    open(path("nocount.ZLW"));
    expectOneOpenFailure(dialogs.calls(DialogCall::Kind::Message));
    EXPECT_EQ(frm->MemoAbsender->Text(), "bleibt");
    EXPECT_EQ(frm->PanelText(2), "<kein Zettelino geladen>");
    EXPECT_EQ(frm->windowTitle().toStdString(), "Zettelino");
    EXPECT_EQ(CurrentFile, "");
    dialogs.answerSave(std::nullopt);
    frm->SpeichernExecute(frm->Speichern);
    EXPECT_EQ(dialogs.calls(DialogCall::Kind::Save).size(), 1u);
    EXPECT_EQ(platform::files::readFileBytes(path("nocount.ZLW")), platform::files::readFileBytes(fixture("nocount.ZLW")));
}

TEST_F(LetterFilesTest, AMissingFileFailsWithTheMessage)
{
    expectOpenFailure();
    open(path("gibtsnicht.ZLW"));
    expectOneOpenFailure(dialogs.calls(DialogCall::Kind::Message));
    EXPECT_EQ(CurrentFile, "");
}

TEST_F(LetterFilesTest, OpenFillsEachBlockInOneStep)
{
    // Filling a box line by line re-reads it for every line; a long letter
    // then takes minutes. The boxes change a fixed number of times instead.
    std::string bytes = "ZLVersion=1.8\r\nAbsLines=0\r\nAnsLines=0\r\nMitLines=2000\r\n";
    for (int i = 0; i < 2000; ++i)
        bytes += "Zeile " + std::to_string(i) + "\r\n";
    std::ofstream(path("lang.ZLW"), std::ios::binary) << bytes;
    int changes = 0;
    QObject::connect(frm->MemoMitteilung, &QPlainTextEdit::textChanged, [&] { ++changes; });
    open(path("lang.ZLW"));
    EXPECT_EQ(frm->MemoMitteilung->LineCount(), 2000);
    EXPECT_EQ(frm->MemoMitteilung->Lines().back(), "Zeile 1999");
    EXPECT_EQ(frm->PanelText(1), "2000 Zeilen.");
    EXPECT_LE(changes, 4);
}

TEST_F(LetterFilesTest, CancellingOpenLeavesTheUnsavedLetterAsItWas)
{
    frm->setWindowTitle("Zettelino - [ /tmp/a.ZLW]");
    CurrentFile = "/tmp/a.ZLW";
    frm->SetPanelText(2, "a.ZLW");
    frm->cbVerbleib->setChecked(true);
    ASSERT_FALSE(LetterSaved);
    dialogs.answerMessage(platform::mrNo);
    dialogs.answerOpen(std::nullopt);
    frm->OeffnenExecute();
    EXPECT_FALSE(LetterSaved);
    EXPECT_TRUE(frm->cbVerbleib->isChecked());
    EXPECT_EQ(CurrentFile, "/tmp/a.ZLW");
    EXPECT_EQ(frm->windowTitle().toStdString(), "Zettelino - [ /tmp/a.ZLW]");
    EXPECT_EQ(frm->PanelText(2), "a.ZLW");
    EXPECT_EQ(LastDir, ""); // the open dialog was never confirmed
    // Closing still asks, so the letter is not lost.
    dialogs.answerMessage(platform::mrCancel);
    EXPECT_FALSE(frm->close());
    EXPECT_EQ(dialogs.calls(DialogCall::Kind::Message).size(), 2u);
}

TEST_F(LetterFilesTest, OpenAsksAboutAnUnsavedLetterBeforeItsDialog)
{
    fs::copy_file(fixture("letter18.ZLW"), path("b.ZLW"));
    struct Case {
        const char* name;
        platform::TModalResult answer; // mrNone: Escape or the close box
        std::optional<std::string> saveAs;
        bool opened;
    } cases[] = {{"Abbrechen", platform::mrCancel, {}, false},
                 {"Escape", platform::mrNone, {}, false},
                 {"Ja, the save dialog cancelled", platform::mrYes, std::nullopt, false},
                 {"Ja, saved", platform::mrYes, path("getippt.ZLW"), true},
                 {"Nein", platform::mrNo, {}, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::size_t asked = dialogs.calls(DialogCall::Kind::Message).size();
        const std::size_t opens = dialogs.calls(DialogCall::Kind::Open).size();
        LetterSaved = true;
        frm->NeuExecute();
        frm->EditTitel1->SetText("getippt");
        LetterSaved = false;
        dialogs.answerMessage(c.answer);
        if (c.answer == platform::mrYes) {
            dialogs.answerSave(c.saveAs);
            if (c.saveAs)
                expectSavedBox(*c.saveAs);
        }
        if (c.opened)
            dialogs.answerOpen(path("b.ZLW"));
        frm->OeffnenExecute();
        const auto boxes = dialogs.calls(DialogCall::Kind::Message);
        ASSERT_GT(boxes.size(), asked);
        EXPECT_EQ(boxes[asked].text, kNotSaved);
        EXPECT_EQ(boxes[asked].buttons, platform::mbYes | platform::mbNo | platform::mbCancel);
        EXPECT_EQ(dialogs.calls(DialogCall::Kind::Open).size() - opens, c.opened ? 1u : 0u);
        EXPECT_EQ(frm->EditTitel1->Text(), c.opened ? "Ihre Anfrage vom 3. März" : "getippt");
        EXPECT_EQ(LetterSaved, c.opened);
        if (c.saveAs) {
            EXPECT_NE(platform::files::readFileBytes(*c.saveAs).find("edTitel=getippt"), std::string::npos);
        }
    }
}

TEST_F(LetterFilesTest, SaveAfterOpenWritesInPlaceAndTakesTheSaveDialogsFolder)
{
    fs::copy_file(fixture("letter18.ZLW"), path("a.ZLW"));
    open(path("a.ZLW"));
    frm->EditTitel2->SetText("neu");
    expectSavedBox(path("a.ZLW"));
    frm->SpeichernExecute(frm->Speichern);
    EXPECT_TRUE(dialogs.calls(DialogCall::Kind::Save).empty());
    EXPECT_NE(platform::files::readFileBytes(path("a.ZLW")).find("edTitel2=neu\r\n"), std::string::npos);
    EXPECT_EQ(LastDir, ""); // the save dialog has not been used since the start
}

TEST_F(LetterFilesTest, SaveAsAsksBeforeReplacingAndEachDialogRemembersItsName)
{
    dialogs.answerSave(path("eins.ZLW"));
    expectSavedBox(path("eins.ZLW"));
    frm->SpeichernExecute(frm->SpeichernUnter);
    dialogs.answerSave(std::nullopt);
    frm->SpeichernExecute(frm->SpeichernUnter);
    const auto saves = dialogs.calls(DialogCall::Kind::Save);
    ASSERT_EQ(saves.size(), 2u);
    EXPECT_TRUE(saves[0].request.overwritePrompt);
    EXPECT_EQ(saves[0].request.fileName, "");
    EXPECT_EQ(saves[1].request.fileName, path("eins.ZLW"));
    EXPECT_EQ(saves[1].request.defaultExt, "*.ZLW");
    EXPECT_EQ(CurrentFile, path("eins.ZLW")); // a cancelled dialog changes nothing
}

TEST_F(LetterFilesTest, AFailedWriteKeepsTheLetterUnsavedAndThePreviousFile)
{
    const std::string target = path("alt.ZLW");
    std::ofstream(target, std::ios::binary) << "vorher";
    ::chmod(target.c_str(), 0444);
    frm->EditTitel1->SetText("neu");
    LetterSaved = false;
    dialogs.answerSave(target);
    dialogs.answerMessage(platform::mrOk);
    frm->Guarded([&] { frm->SpeichernExecute(frm->SpeichernUnter); });
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtError); // the general error box
    EXPECT_NE(boxes[0].text.find("alt.ZLW"), std::string::npos);
    EXPECT_FALSE(LetterSaved);
    EXPECT_EQ(LastDir, folder.string() + "/");
    EXPECT_EQ(platform::files::readFileBytes(target), "vorher");
    // New still asks before the letter is lost.
    dialogs.answerMessage(platform::mrNo);
    frm->NeuExecute();
    const auto asked = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[1].text, "Die Kurzmitteilung wurde noch nicht gespeichert.\nMöchten Sie sie zuerst speichern?");
    EXPECT_EQ(asked[1].type, platform::TMsgDlgType::mtWarning);
}

TEST_F(LetterFilesTest, OpenKeepsLongSubjectsWhole)
{
    const std::string longTitle(120, 'T');
    std::string bytes = "ZLVersion=1.8\r\nAbsLines=0\r\nAnsLines=0\r\nMitLines=0\r\nedTitel=" + longTitle +
                        "\r\nedSonst1=" + std::string(30, 'S') + "\r\n";
    std::ofstream(path("lang.ZLW"), std::ios::binary) << bytes;
    open(path("lang.ZLW"));
    EXPECT_EQ(frm->EditTitel1->Text(), longTitle);
    EXPECT_EQ(frm->EditSonst1->Text(), std::string(30, 'S'));
}

TEST_F(LetterFilesTest, SaveThenOpenRestoresEverything)
{
    typeLetter18();
    dialogs.answerSave(path("rund.ZLW"));
    expectSavedBox(path("rund.ZLW"));
    frm->SpeichernExecute(frm->Speichern);
    frm->NeuExecute();
    open(path("rund.ZLW"));
    expectLetter18();
}

TEST_F(LetterFilesTest, TheOldVersionEntryReadsTheSectionedLayout)
{
    std::ofstream(path("alt.ini"), std::ios::binary)
        << "[data]\r\ns1=R\xFC" "ckruf\r\nmb3=1\r\nan2=1\r\ntitel=Alter Brief\r\n"
           "MemoAnschrift=\"Frau Muster\",\"Weg 3\"\r\n";
    frm->setWindowTitle("Zettelino");
    dialogs.answerOpen(path("alt.ini"));
    frm->OeffnenAltExecute();
    EXPECT_EQ(frm->EditSonst1->Text(), "Rückruf");
    EXPECT_TRUE(frm->TickMark(3)->isChecked());
    EXPECT_TRUE(frm->TickMark(11)->isChecked());
    EXPECT_EQ(frm->EditTitel1->Text(), "Alter Brief");
    EXPECT_EQ(frm->MemoAnschrift->Lines(), (std::vector<std::string>{"Frau Muster", "Weg 3"}));
    EXPECT_EQ(CurrentFile, path("alt.ini"));
    EXPECT_EQ(frm->PanelText(2), path("alt.ini")); // the full path
    EXPECT_EQ(LastDir, folder.string() + "/");
    EXPECT_EQ(frm->windowTitle().toStdString(), "Zettelino");
    EXPECT_TRUE(LetterSaved);
    EXPECT_TRUE(dialogs.calls(DialogCall::Kind::Message).empty());

    // A later Save writes layout 1.8 to the same path.
    expectSavedBox(path("alt.ini"));
    frm->SpeichernExecute(frm->Speichern);
    EXPECT_EQ(platform::files::readFileBytes(path("alt.ini")).rfind("ZLVersion=1.8\r\n", 0), 0u);
}

TEST_F(LetterFilesTest, TheOldVersionEntryReadsFixedRecords)
{
    auto counted = [](const std::string& t) {
        std::string f(81, '\0');
        f[0] = static_cast<char>(t.size());
        f.replace(1, t.size(), t);
        return f;
    };
    std::string bytes = counted("S1") + counted("S2") + std::string(15, '\0') + counted("Titel");
    for (int i = 0; i < 20; ++i)
        bytes += counted("L" + std::to_string(i));
    std::ofstream(path("alt.zlw"), std::ios::binary) << bytes;
    dialogs.answerOpen(path("alt.zlw"));
    frm->OeffnenAltExecute();
    EXPECT_EQ(frm->EditSonst2->Text(), "S2");
    EXPECT_EQ(frm->MemoAbsender->Lines(), (std::vector<std::string>{"L0", "L1", "L2", "L3", "L4"}));
    EXPECT_EQ(frm->MemoMitteilung->LineCount(), 10);
    EXPECT_EQ(frm->EditTitel2->Text(), "");
}

TEST_F(LetterFilesTest, TheOldVersionEntryLeavesAFileOfNeitherLayoutAlone)
{
    frm->EditTitel1->SetText("bleibt");
    dialogs.answerOpen(fixture("letter18.ZLW"));
    frm->OeffnenAltExecute();
    EXPECT_EQ(frm->EditTitel1->Text(), "bleibt");
    EXPECT_EQ(CurrentFile, "");
    EXPECT_TRUE(dialogs.calls(DialogCall::Kind::Message).empty());
}

TEST_F(LetterFilesTest, TheOldVersionEntryLeavesRandomBytesAlone)
{
    std::mt19937 random(7);
    std::string bytes(4000, '\0');
    for (char& c : bytes)
        c = static_cast<char>(random() & 0xFF);
    std::ofstream(path("zufall.bin"), std::ios::binary) << bytes;
    frm->MemoMitteilung->SetText("bleibt");
    LetterSaved = true;
    dialogs.answerOpen(path("zufall.bin"));
    frm->OeffnenAltExecute();
    EXPECT_EQ(frm->MemoMitteilung->Text(), "bleibt");
    EXPECT_EQ(frm->EditSonst1->Text(), "");
    EXPECT_EQ(CurrentFile, "");
    EXPECT_EQ(frm->PanelText(2), "<kein Zettelino geladen>");
    EXPECT_TRUE(dialogs.calls(DialogCall::Kind::Message).empty());
}

namespace {

// Drops `file` on `target` as a file manager does.
void dropFile(QWidget* target, const std::string& file)
{
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(QString::fromStdString(file))});
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    EXPECT_TRUE(enter.isAccepted());
    QDropEvent drop(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &drop);
    EXPECT_TRUE(drop.isAccepted());
    QApplication::processEvents();
}

} // namespace

TEST_F(LetterFilesTest, ADroppedLetterOpensAndADroppedReportGoesToItsPreview)
{
    frm->show();
    // A letter dropped on the message: asked about the typed one first.
    frm->MemoMitteilung->setPlainText("getippt");
    LetterSaved = false;
    dialogs.answerMessage(platform::mrCancel);
    dropFile(frm->MemoMitteilung->viewport(), fixture("letter18.ZLW"));
    EXPECT_EQ(frm->MemoMitteilung->Text(), "getippt"); // "Abbrechen" kept it
    dialogs.answerMessage(platform::mrNo);
    dropFile(frm->MemoMitteilung->viewport(), fixture("letter18.ZLW"));
    expectLetter18();
    EXPECT_EQ(CurrentFile, fixture("letter18.ZLW"));
    EXPECT_EQ(dialogs.calls(DialogCall::Kind::Open).size(), 0u);

    std::string report;
    frm->OnOpenReportFile = [&](const std::string& path) { report = path; };
    dropFile(frm->EditTitel1, "/tmp/bericht.QRP");
    EXPECT_EQ(report, "/tmp/bericht.QRP");
    EXPECT_EQ(frm->EditTitel1->Text(), "Ihre Anfrage vom 3. März"); // no address typed in

    // Anything else is the controls' own business.
    QMimeData picture;
    picture.setUrls({QUrl::fromLocalFile("/tmp/bild.png")});
    QDragEnterEvent other(QPoint(5, 5), Qt::CopyAction, &picture, Qt::LeftButton, Qt::NoModifier);
    other.ignore();
    QApplication::sendEvent(frm.get(), &other);
    EXPECT_FALSE(other.isAccepted());
}

#include "files/LetterFields.h"
#include "files/LetterFile.h"

TEST_F(LetterFilesTest, EveryFieldOfTheDescriptionIsAControlAndAKeyOfTheFile)
{
    for (const files::TLetterFieldInfo& f : files::kLetterFields) {
        SCOPED_TRACE(f.fileKey);
        letter::TEdit* control = frm->FieldControl(f.field);
        ASSERT_NE(control, nullptr);
        EXPECT_EQ(control->objectName().toStdString(), f.control);
        EXPECT_EQ(control->accessibleName().toStdString(), f.spokenName);
        EXPECT_EQ(control->MaxLength(), f.maxLength);
        control->SetText(std::string("Wert von ") + f.fileKey);
    }
    const std::vector<std::string> lines = files::LetterFileLines(frm->LetterContent());
    files::TLetterBuffer read;
    files::ReadLetterFile(files::TLetterFileReader(lines), read);
    for (const files::TLetterFieldInfo& f : files::kLetterFields) {
        const std::string expected = std::string("Wert von ") + f.fileKey;
        EXPECT_NE(std::find(lines.begin(), lines.end(), std::string(f.fileKey) + "=" + expected), lines.end());
        EXPECT_EQ(read.Field(f.field).value_or(""), expected);
        EXPECT_EQ(files::FieldText(frm->LetterContent(), f.field), expected);
    }
}

TEST_F(LetterFilesTest, EveryBlockAndTickMarkOfTheDescriptionIsAControl)
{
    for (const files::TLetterBlockInfo& b : files::kLetterBlocks) {
        SCOPED_TRACE(b.control);
        letter::TMemo* box = frm->BlockControl(b.block);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->objectName().toStdString(), b.control);
        EXPECT_EQ(box->accessibleName().toStdString(), b.spokenName);
        box->SetLines({std::string(b.countKey) + " eins"});
    }
    for (const files::TTickMarkInfo& m : files::kTickMarks) {
        SCOPED_TRACE(m.number);
        QCheckBox* box = frm->TickMark(m.number);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->objectName().toStdString(), m.control);
        EXPECT_EQ(box->text().toStdString(), m.caption);
        EXPECT_EQ(box->accessibleName().toStdString(), m.spokenName != nullptr ? m.spokenName : m.caption);
        EXPECT_EQ(box->accessibleDescription().toStdString(), files::TickMarkGroupName(m.group));
        box->setChecked(m.number % 2 == 0);
    }
    frm->EditSonst1->SetText("Weiterleitung");
    const output::TWindowlessLetter shown = frm->ShownLetter();
    for (const files::TLetterBlockInfo& b : files::kLetterBlocks)
        EXPECT_EQ(shown.content.*b.lines, std::vector<std::string>{std::string(b.countKey) + " eins"});
    for (const files::TTickMarkInfo& m : files::kTickMarks) {
        EXPECT_EQ(shown.content.marks[static_cast<std::size_t>(m.number)], m.number % 2 == 0);
        EXPECT_EQ(shown.labels[static_cast<std::size_t>(m.number)], frm->TickMarkLabel(m.number));
    }
    EXPECT_EQ(frm->TickMarkLabel(9), "Weiterleitung");
    EXPECT_EQ(frm->TickMarkLabel(0), "");

    // New empties every part the description names.
    frm->EditTitel1->SetText("Betreff");
    LetterSaved = true;
    frm->NeuExecute();
    const files::TLetterContent cleared = frm->LetterContent();
    for (const files::TLetterBlockInfo& b : files::kLetterBlocks)
        EXPECT_TRUE((cleared.*b.lines).empty()) << b.control;
    for (const files::TLetterFieldInfo& f : files::kLetterFields)
        EXPECT_EQ(cleared.*f.text, "") << f.fileKey;
    for (const files::TTickMarkInfo& m : files::kTickMarks)
        EXPECT_FALSE(cleared.marks[static_cast<std::size_t>(m.number)]) << m.number;
}
