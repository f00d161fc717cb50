// The plain-text rendering and the Editor, mail and Word hand-offs.

#include "LetterWindowFixture.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "output/PlainText.h"
#include "platform/files/FileAccess.h"
#include "platform/shell/Shell.h"
#include "platform/text/TextFile.h"
#include "support/RecordingAutomation.h"
#include "support/ScratchFolder.h"
#include "support/Unprivileged.h"

#include <QCheckBox>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace zt;
using platform::DialogCall;
using Lines = std::vector<std::string>;

namespace {

class LetterOutputTest : public zt::testing::LetterWindowTest {
protected:
    LetterOutputTest() : previousShell_(platform::setShell(&shell)) {}
    ~LetterOutputTest() override { platform::setShell(previousShell_); }

    Lines rendered() const { return platform::text::readTextFile("_zlwmitt.txt"); }

    zt::testing::ScratchFolder scratch{"zt-output", true};
    const fs::path& folder = scratch.path();
    platform::RecordingShell shell;

private:
    platform::Shell* previousShell_;
};

const Lines kUntickedRows = {
    "[ ] Kenntnisnahme      [ ] Schreiben         ",
    "[ ] Anruf/Rücksprache  [ ] Rechnung          ",
    "[ ] Stellungnahme      [ ] Kopien            ",
    "[ ] Kontrolle          [ ] Muster            ",
    "[ ] Erledigung         [ ] Vertrag           ",
    "[ ] Entscheidung       [ ]                   ",
    "[ ] Rücknahme",
    "[ ] Verbleib",
    "[ ] ",
};

} // namespace

TEST(TickMarkText, PrefixAndLabel)
{
    EXPECT_EQ(output::TickMarkText(true, "Kopien"), "[X] Kopien");
    EXPECT_EQ(output::TickMarkText(false, ""), "[ ] ");
    EXPECT_EQ(output::padLeft("ab", 4), "  ab");
    EXPECT_EQ(output::padLeft("abcdef", 4), "abcdef");
    EXPECT_EQ(output::cutAndPadRight("äöüß", 2), "äö");
    EXPECT_EQ(output::cutAndPadRight("ä", 3), "ä  ");
}

TEST_F(LetterOutputTest, AOneLineMessageAloneGivesElevenLinesThenTheNineRows)
{
    frm->MemoMitteilung->SetText("Bitte um Rückruf.");
    frm->EditorExecute();
    Lines expected = {"", std::string(78, ' '), "", "", "", "", "Bitte um Rückruf.", "",
                      std::string(58, '_'), "Mit der Bitte um:      Anlagen:", ""};
    expected.insert(expected.end(), kUntickedRows.begin(), kUntickedRows.end());
    EXPECT_EQ(rendered(), expected);
    EXPECT_EQ(shell.opened, Lines{"_zlwmitt.txt"});
    EXPECT_TRUE(dialogs.calls().empty());
    // Windows-1252 with CR LF after every line.
    const std::string bytes = platform::files::readFileBytes("_zlwmitt.txt");
    EXPECT_NE(bytes.find("R\xFC" "ckruf.\r\n"), std::string::npos);
    EXPECT_EQ(bytes.substr(bytes.size() - 6), "[ ] \r\n");
}

TEST_F(LetterOutputTest, RowsCutAndPadTheirColumns)
{
    frm->MemoMitteilung->SetText("x");
    frm->cbKenntnisnahme->setChecked(true);
    frm->EditSonst2->SetText(std::string(20, 'z'));
    frm->EditSonst1->SetText(std::string(20, 'z'));
    frm->edDatum->SetText(std::string(90, 'd'));
    frm->EditorExecute();
    const Lines lines = rendered();
    ASSERT_EQ(lines.size(), 20u);
    EXPECT_EQ(lines[1], std::string(90, 'd')); // longer than 78: whole, no blanks
    EXPECT_EQ(lines[11], "[X] Kenntnisnahme      [ ] Schreiben         ");
    EXPECT_EQ(lines[16], "[ ] Entscheidung       [ ] " + std::string(18, 'z'));
    EXPECT_EQ(lines[19], "[ ] " + std::string(20, 'z'));
}

TEST_F(LetterOutputTest, BlocksGoInAsDisplayedAndAMessageOfAnEmptyLineAndTextCounts)
{
    frm->MemoAbsender->SetText(std::string(45, 'a')); // wraps after 40 in the sender box
    frm->MemoAnschrift->SetText("Frau\nMuster");
    frm->MemoMitteilung->SetText("\nzweite Zeile");
    frm->EditTitel1->SetText("T1");
    frm->EditTitel2->SetText("T2");
    frm->EditorExecute();
    const Lines lines = rendered();
    EXPECT_EQ((Lines(lines.begin(), lines.begin() + 12)),
              (Lines{std::string(40, 'a'), std::string(5, 'a'), "", "Frau", "Muster", std::string(78, ' '), "",
                     "T1", "T2", "", "", "zweite Zeile"}));
}

TEST_F(LetterOutputTest, AnEmptyMessageOnlyExplains)
{
    for (auto run : {&letter::TFrmMain::EditorExecute, &letter::TFrmMain::EMailExecute,
                     &letter::TFrmMain::WordExecute}) {
        dialogs.answerMessage(platform::mrOk);
        (frm.get()->*run)();
    }
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 3u);
    for (const DialogCall& box : boxes) {
        EXPECT_EQ(box.text, "Bitte geben Sie zuerst eine Mitteilung ein.");
        EXPECT_EQ(box.type, platform::TMsgDlgType::mtInformation);
    }
    EXPECT_FALSE(fs::exists("_zlwmitt.txt"));
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(LetterOutputTest, AReadOnlyWorkingFolderGivesTheEditorErrorAndTheShellIsNotAsked)
{
    frm->MemoMitteilung->SetText("x");
    zt::testing::handOver(folder);
    fs::permissions(folder, fs::perms::owner_read | fs::perms::owner_exec);
    {
        zt::testing::AsUnprivilegedUser user;
        if (!user.active())
            GTEST_SKIP() << user.reason();
        if (zt::testing::canCreateIn(folder))
            GTEST_SKIP() << "this user writes into read-only folders";
        dialogs.answerMessage(platform::mrOk);
        frm->EditorExecute();
    }
    EXPECT_FALSE(fs::exists(folder / "_zlwmitt.txt"));
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Fehler beim Starten des Standard-Texteditors.");
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtError);
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(LetterOutputTest, AWorkingFolderNobodyMayWriteToIsReportedByTheEditorAndTheMailHandOff)
{
    // A working folder that has been removed takes no new file, not even
    // from root, so this holds whoever runs the suite.
    fs::create_directory(folder / "weg");
    fs::current_path(folder / "weg");
    fs::remove(folder / "weg");
    frm->MemoMitteilung->SetText("x");
    dialogs.answerMessage(platform::mrOk);
    dialogs.answerMessage(platform::mrOk);
    frm->EditorExecute();
    frm->EMailExecute();
    fs::current_path(folder);
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Fehler beim Starten des Standard-Texteditors.");
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtError);
    EXPECT_EQ(boxes[1].text, "Fehler beim Starten der E-Mail-Anwendung.");
    EXPECT_EQ(boxes[1].type, platform::TMsgDlgType::mtError);
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_FALSE(fs::exists(folder / "_zlwmitt.txt"));
}

TEST_F(LetterOutputTest, AFileInTheWayGivesTheEditorError)
{
    // A folder named like the file cannot be replaced by it, even by root.
    fs::create_directory("_zlwmitt.txt");
    fs::create_directory("_zlwmitt.txt/inside");
    frm->MemoMitteilung->SetText("x");
    dialogs.answerMessage(platform::mrOk);
    frm->EditorExecute();
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Fehler beim Starten des Standard-Texteditors.");
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtError);
    EXPECT_TRUE(shell.opened.empty());
}

TEST_F(LetterOutputTest, RunningTheEditorTwiceReplacesTheFileAndChangesNothingElse)
{
    frm->MemoMitteilung->SetText("eins");
    letter::LetterSaved = true;
    frm->EditorExecute();
    frm->MemoMitteilung->SetText("zwei");
    letter::LetterSaved = true;
    frm->EditorExecute();
    EXPECT_EQ(rendered()[6], "zwei");
    EXPECT_EQ(shell.opened.size(), 2u);
    EXPECT_TRUE(letter::LetterSaved);
    EXPECT_EQ(frm->windowTitle().toStdString(), "Zettelino");
}

TEST_F(LetterOutputTest, MailWritesTheTextAndOpensAMailToThePlaceholder)
{
    frm->MemoMitteilung->SetText("x");
    frm->EMailExecute();
    EXPECT_EQ(shell.opened, Lines{"MAILTO: empfaenger@zettelino.example"});
    EXPECT_TRUE(fs::exists("_zlwmitt.txt"));
    EXPECT_TRUE(dialogs.calls().empty());
    shell.fail = true;
    dialogs.answerMessage(platform::mrOk);
    frm->EMailExecute();
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Fehler beim Starten der E-Mail-Anwendung.");
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtError);
}

TEST_F(LetterOutputTest, WithoutWordTheBoxGivesTheSystemsMessageAndNothingIsWritten)
{
    frm->MemoMitteilung->SetText("x");
    dialogs.answerMessage(platform::mrOk);
    frm->WordExecute();
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Fehler beim Starten von MS-Word.\nUngültige Klassenzeichenfolge");
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtError);
    EXPECT_FALSE(fs::exists("_zlwmitt.txt"));
}

TEST_F(LetterOutputTest, WordReceivesTheWholeCallSequence)
{
    zt::testing::RecordingAutomationFactory word("Word.Application");
    platform::TAutomationFactory* previous = platform::setAutomationFactory(&word);
    word.log->values["activewindow.view.splitspecial"] = 2;
    word.log->values["activewindow.activepane.view.type"] = 2; // outline view: the second comparison matches
    frm->MemoMitteilung->SetText("Hallo");
    frm->WordExecute();
    platform::setAutomationFactory(previous);

    const Lines memoLines = frm->Memo1->Lines();
    Lines expected = {
        "set Visible = true",
        "get Documents",
        "call Documents.Add",
        "get ActiveWindow",
        "get ActiveWindow.View",
        "get ActiveWindow.View.SplitSpecial",
        "get ActiveWindow",
        "get ActiveWindow.Panes(2)",
        "call ActiveWindow.Panes(2).Close",
        "get ActiveWindow", "get ActiveWindow.ActivePane", "get ActiveWindow.ActivePane.View",
        "get ActiveWindow.ActivePane.View.Type",
        "get ActiveWindow", "get ActiveWindow.ActivePane", "get ActiveWindow.ActivePane.View",
        "get ActiveWindow.ActivePane.View.Type",
        "get ActiveWindow", "get ActiveWindow.ActivePane", "get ActiveWindow.ActivePane.View",
        "set ActiveWindow.ActivePane.View.Type = 3",
        "get ActiveWindow", "get ActiveWindow.ActivePane", "get ActiveWindow.ActivePane.View",
        "set ActiveWindow.ActivePane.View.SeekView = 9",
        "get Selection", "get Selection.Font", "set Selection.Font.Name = Courier New",
        "get Selection", "get Selection.Font", "set Selection.Font.Size = 10",
        "get ActiveWindow", "get ActiveWindow.ActivePane", "get ActiveWindow.ActivePane.View",
        "set ActiveWindow.ActivePane.View.SeekView = 0",
    };
    for (const std::string& line : memoLines) {
        expected.push_back("get Selection");
        expected.push_back("call Selection.typetext text=" + line);
        expected.push_back("get Selection");
        expected.push_back("call Selection.TypeParagraph");
    }
    EXPECT_EQ(word.log->calls, expected);
    EXPECT_EQ(word.created, Lines{"Word.Application"});

    // Memo1 is 185 pixels wide: the 45-character rows arrive as two lines each.
    EXPECT_GT(memoLines.size(), rendered().size());
    EXPECT_EQ(frm->Memo1->TextLines(), rendered());
}

TEST_F(LetterOutputTest, AnUnsplitWindowInPrintLayoutIsLeftAsItIs)
{
    zt::testing::RecordingAutomationFactory word("Word.Application");
    platform::TAutomationFactory* previous = platform::setAutomationFactory(&word);
    word.log->values["activewindow.view.splitspecial"] = 0;
    word.log->values["activewindow.activepane.view.type"] = 3;
    frm->MemoMitteilung->SetText("Hallo");
    frm->WordExecute();
    platform::setAutomationFactory(previous);
    int typeGets = 0;
    for (const std::string& c : word.log->calls) {
        EXPECT_EQ(c.find("Panes"), std::string::npos) << c;
        EXPECT_NE(c, "set ActiveWindow.ActivePane.View.Type = 3");
        typeGets += c == "get ActiveWindow.ActivePane.View.Type";
    }
    EXPECT_EQ(typeGets, 3); // compared with 1, 2 and 5
}

TEST_F(LetterOutputTest, TheEditorsTextGoesToAPrivateFolderOfTheRun)
{
    const char* old = std::getenv("TMPDIR");
    const std::string kept = old != nullptr ? old : "";
    ::setenv("TMPDIR", folder.c_str(), 1);
    frm->PrivatePlainText = true;
    frm->MemoMitteilung->SetText("eins");
    frm->EditorExecute();
    frm->MemoMitteilung->SetText("zwei");
    frm->EditorExecute();
    if (old != nullptr)
        ::setenv("TMPDIR", kept.c_str(), 1);
    else
        ::unsetenv("TMPDIR");
    ASSERT_EQ(shell.opened.size(), 2u);
    // Both clicks hand over the same file, in a folder only the user may enter.
    EXPECT_EQ(shell.opened[0], shell.opened[1]);
    const fs::path text = shell.opened[0];
    EXPECT_EQ(text.filename(), "_zlwmitt.txt");
    EXPECT_EQ(text.parent_path().parent_path(), folder);
    EXPECT_TRUE(text.parent_path().filename().string().starts_with("zettelino-editor-"));
    EXPECT_EQ(fs::status(text.parent_path()).permissions() & fs::perms::all, fs::perms::owner_all);
    EXPECT_EQ(platform::text::readTextFile(text.string())[6], "zwei");
    EXPECT_FALSE(fs::exists("_zlwmitt.txt"));
}

TEST_F(LetterOutputTest, WithoutAnEditorForTextTheEditorCommandSaysSo)
{
    frm->TextEditorKnown = [] { return false; };
    frm->MemoMitteilung->SetText("x");
    dialogs.answerMessage(platform::mrOk);
    frm->EditorExecute();
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text.rfind("Für Textdateien ist kein Editor eingerichtet.", 0), 0u);
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtWarning);
    EXPECT_TRUE(shell.opened.empty());
    EXPECT_FALSE(fs::exists("_zlwmitt.txt"));
}
