// The editing aids and the auxiliary windows, driven through the window.

#include "LetterWindowFixture.h"
#include "letter/state/DateTexts.h"
#include "letter/state/Forms.h"
#include "letter/state/PhraseList.h"
#include "letter/dialogs/TAboutBox.h"
#include "letter/dialogs/TFrmKalender.h"
#include "letter/dialogs/TfrmTextbausteine.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "platform/clipboard/Clipboard.h"
#include "platform/files/FileAccess.h"
#include "platform/shell/Shell.h"
#include "support/ScratchFolder.h"

#include <QCalendarWidget>
#include <QClipboard>
#include <QMenu>
#include <QComboBox>
#include <QDate>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <fstream>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace zt;
using letter::LetterSaved;
using platform::DialogCall;
using Lines = std::vector<std::string>;

namespace {

// Runs each test in a folder of its own, which is also the program folder
// and the working folder (the default sender file lives there).
class EditingAidsTest : public zt::testing::LetterWindowTest {
protected:
    EditingAidsTest() : previousClipboard_(platform::setClipboard(&clipboard))
    {
        letter::ProgramDir = folder.string() + "/";
        letter::ShortDateFormat = "dd.mm.yyyy";
    }
    ~EditingAidsTest() override
    {
        platform::setClipboard(previousClipboard_);
    }

    void placeCaret(letter::TMemo* memo, int position, int anchor = -1)
    {
        QTextCursor c = memo->textCursor();
        c.setPosition(anchor < 0 ? position : anchor);
        if (anchor >= 0)
            c.setPosition(position, QTextCursor::KeepAnchor);
        memo->setTextCursor(c);
    }

    void typeKey(QWidget* w, char c)
    {
        QTest::keyClick(w, c);
    }

    zt::testing::ScratchFolder scratch{"zt-aids", true};
    const fs::path& folder = scratch.path();
    platform::MemoryClipboard clipboard;

private:
    platform::Clipboard* previousClipboard_;
};

} // namespace

TEST_F(EditingAidsTest, InsertingAPhraseTypesItAtTheCaretAndLeavesItOnTheClipboard)
{
    frm->MemoMitteilung->SetText("Anfang Ende");
    placeCaret(frm->MemoMitteilung, 7);
    LetterSaved = true;
    frm->ComboBox1->setCurrentIndex(0);
    frm->SpeedButton1Click();
    EXPECT_EQ(frm->MemoMitteilung->Text(), "Anfang Sehr geehrter Herr Ende");
    EXPECT_EQ(frm->MemoMitteilung->textCursor().position(), 7 + 19);
    EXPECT_EQ(clipboard.text(), "Sehr geehrter Herr ");
    EXPECT_EQ(frm->edDummy->Text(), "Sehr geehrter Herr ");
    EXPECT_FALSE(LetterSaved);
}

TEST_F(EditingAidsTest, InsertingWithoutAPhraseChosenOnlyExplains)
{
    dialogs.answerMessage(platform::mrOk);
    frm->SpeedButton1Click();
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Bitte wählen Sie zuerst einen Textbaustein aus.");
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtInformation);
    EXPECT_EQ(frm->MemoMitteilung->Text(), "");
}

TEST_F(EditingAidsTest, TheDateButtonReplacesTheSelectedWord)
{
    frm->MemoMitteilung->SetText("am DATUM um");
    placeCaret(frm->MemoMitteilung, 8, 3);
    frm->SBDatumClick();
    EXPECT_EQ(frm->MemoMitteilung->Text(), "am " + letter::DateText() + " um");
    const QDate today = QDate::currentDate();
    EXPECT_EQ(letter::DateText(), today.toString("dd.MM.yyyy").toStdString());
}

TEST_F(EditingAidsTest, TheTimeButtonInsertsTheTime)
{
    frm->SBZeitClick();
    EXPECT_FALSE(frm->MemoMitteilung->Text().empty());
    EXPECT_EQ(frm->MemoMitteilung->Text(), clipboard.text());
}

TEST_F(EditingAidsTest, ThePlaceDateButtonAppendsTheDateWithoutMarkingTheLetter)
{
    frm->edDatum->SetText("Köln, ");
    LetterSaved = true;
    frm->SpeedButton2Click();
    EXPECT_EQ(frm->edDatum->Text(), "Köln, " + letter::DateText());
    frm->edDatum->SetText("");
    frm->SpeedButton2Click();
    frm->SpeedButton2Click();
    EXPECT_EQ(frm->edDatum->Text(), letter::DateText() + letter::DateText());
    EXPECT_TRUE(LetterSaved);
    EXPECT_EQ(clipboard.text(), "");
}

TEST_F(EditingAidsTest, ChoosingAPhraseMovesTheFocusToTheMessage)
{
    showWindow();
    frm->activateWindow();
    frm->ComboBox1->setFocus();
    QTest::keyClick(frm->ComboBox1, Qt::Key_Down);
    EXPECT_EQ(frm->ComboBox1->currentIndex(), 0);
    EXPECT_EQ(QApplication::focusWidget(), frm->MemoMitteilung);
}

TEST_F(EditingAidsTest, CharacterKeysInThePickerAreDiscarded)
{
    showWindow();
    frm->activateWindow();
    frm->ComboBox1->setFocus();
    QTest::keyClicks(frm->ComboBox1->lineEdit(), "xyz");
    QTest::keyClick(frm->ComboBox1->lineEdit(), Qt::Key_Backspace);
    EXPECT_EQ(frm->ComboBox1->currentText().toStdString(), "<Textbaustein auswählen>");
    EXPECT_EQ(frm->ComboBox1->currentIndex(), -1);
}

TEST_F(EditingAidsTest, EnterInAFullSenderBlockDoesNothingOtherKeysStillType)
{
    showWindow();
    frm->MemoAbsender->SetText("1\n2\n3\n4\n5");
    frm->MemoAbsender->setFocus();
    placeCaret(frm->MemoAbsender, 9);
    QTest::keyClick(frm->MemoAbsender, Qt::Key_Return);
    EXPECT_EQ(frm->MemoAbsender->Text(), "1\n2\n3\n4\n5");
    QTest::keyClicks(frm->MemoAbsender, "x");
    EXPECT_EQ(frm->MemoAbsender->Text(), "1\n2\n3\n4\n5x");
}

TEST_F(EditingAidsTest, APastedSeventhLineGoesWithTheNextKeyWhichTypesAtTheStart)
{
    showWindow();
    frm->MemoAnschrift->setFocus();
    frm->MemoAnschrift->SetText("a\nb\nc\nd\ne\nf\ng");
    EXPECT_EQ(frm->MemoAnschrift->LineCount(), 7);
    placeCaret(frm->MemoAnschrift, 5);
    QTest::keyClicks(frm->MemoAnschrift, "X");
    EXPECT_EQ(frm->MemoAnschrift->Text(), "Xa\nb\nc\nd\ne\nf\n");
    EXPECT_EQ(frm->MemoAnschrift->LineCount(), 6);
    QTest::keyClicks(frm->MemoAnschrift, "Y");
    EXPECT_EQ(frm->MemoAnschrift->LineCount(), 5);
}

TEST_F(EditingAidsTest, AWrappedLineCountsTowardsTheLimit)
{
    showWindow();
    frm->MemoAbsender->setFocus();
    // 40 characters fill a line of the sender box; 45 make two.
    frm->MemoAbsender->SetText("1\n2\n3\n" + std::string(45, 'w'));
    ASSERT_EQ(frm->MemoAbsender->LineCount(), 5);
    placeCaret(frm->MemoAbsender, 2);
    QTest::keyClick(frm->MemoAbsender, Qt::Key_Return);
    EXPECT_EQ(frm->MemoAbsender->LineCount(), 5);
}

TEST_F(EditingAidsTest, ScrollToTopKeepsTheTextAndIsNoChange)
{
    // It edits the box and undoes the edit: the text is as it was, so the
    // letter is not changed by it.
    frm->MemoAbsender->SetText("a\nb");
    placeCaret(frm->MemoAbsender, 3);
    LetterSaved = true;
    frm->MemoAbsender->ScrollToTop();
    EXPECT_EQ(frm->MemoAbsender->Text(), "a\nb");
    EXPECT_EQ(frm->MemoAbsender->textCursor().position(), 0);
    EXPECT_TRUE(LetterSaved);
}

TEST_F(EditingAidsTest, PopupActsOnTheControlItWasOpenedOn)
{
    showWindow();
    frm->edDatum->SetText("Bonn, heute");
    frm->edDatum->setSelection(0, 4);
    // Open the menu on the place/date line and close it again at once.
    QTimer::singleShot(0, frm->PopupMenu1, [&] { frm->PopupMenu1->close(); });
    emit frm->edDatum->customContextMenuRequested(QPoint(1, 1));
    frm->Kopieren1Click();
    EXPECT_EQ(QApplication::clipboard()->text().toStdString(), "Bonn");
    frm->Ausschneiden1Click();
    EXPECT_EQ(frm->edDatum->Text(), ", heute");
}

TEST_F(EditingAidsTest, TheDefaultSenderIsSavedByItsOwnBreaksAndLoadedBack)
{
    showWindow();
    frm->MemoAbsender->SetText(std::string(50, 's') + "\nStraße 2");
    frm->btnAbsenderSpeichernClick();
    EXPECT_EQ(platform::files::readFileBytes("Absender.txt"), std::string(50, 's') + "\r\nStra\xDF" "e 2\r\n");
    frm->MemoAbsender->clear();
    LetterSaved = true;
    frm->btnAbsenderLadenClick();
    EXPECT_EQ(frm->MemoAbsender->TextLines(), (Lines{std::string(50, 's'), "Straße 2"}));
    EXPECT_FALSE(LetterSaved);
}

TEST_F(EditingAidsTest, WithoutOneInTheWorkingFolderTheSenderLivesWithTheSettings)
{
    // The settings' folder apart from the working folder, as for an
    // installed program started from the menu.
    zt::testing::ScratchFolder settings{"zt-aids-settings"};
    letter::ProgramDir = settings.dir() + "zettelino/";
    frm->MemoAbsender->SetText("Erika Muster");
    frm->btnAbsenderSpeichernClick();
    EXPECT_FALSE(fs::exists("Absender.txt"));
    EXPECT_EQ(platform::files::readFileBytes(letter::ProgramDir + "Absender.txt"), "Erika Muster\r\n");
    frm->MemoAbsender->clear();
    frm->btnAbsenderLadenClick();
    EXPECT_EQ(frm->MemoAbsender->TextLines(), Lines{"Erika Muster"});
    // One in the working folder is read and written where it is.
    std::ofstream("Absender.txt", std::ios::binary) << "Max Muster\r\n";
    frm->btnAbsenderLadenClick();
    EXPECT_EQ(frm->MemoAbsender->TextLines(), Lines{"Max Muster"});

    // A sender that cannot be stored says so.
    fs::remove("Absender.txt");
    letter::ProgramDir = "/proc/zettelino/";
    dialogs.answerMessage(platform::mrOk);
    frm->btnAbsenderSpeichernClick();
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtError);
    EXPECT_EQ(boxes[0].text.rfind("Der Standardabsender wurde nicht gespeichert: ", 0), 0u) << boxes[0].text;
}

TEST_F(EditingAidsTest, AMissingDefaultSenderGivesThePlainMessage)
{
    frm->MemoAbsender->SetText("bleibt");
    dialogs.answerMessage(platform::mrOk);
    frm->btnAbsenderLadenClick();
    const auto boxes = dialogs.calls(DialogCall::Kind::Plain);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Standardabsender nicht gefunden (Datei: \"absender.txt\")!");
    EXPECT_EQ(frm->MemoAbsender->Text(), "bleibt");
}

TEST(PhraseSort, EmptyFirstThenWithoutRegardToCase)
{
    EXPECT_EQ(letter::sortPhrases({"b", "A", "a", ""}), (Lines{"", "A", "a", "b"}));
    EXPECT_EQ(letter::sortPhrases({"Zebra", "apfel", "Apfel", "birne"}), (Lines{"apfel", "Apfel", "birne", "Zebra"}));
}

namespace {

class AuxWindowsTest : public EditingAidsTest {
protected:
    AuxWindowsTest()
    {
        editor = std::make_unique<letter::TfrmTextbausteine>(frm.get());
        about = std::make_unique<letter::TAboutBox>(frm.get());
        calendar = std::make_unique<letter::TFrmKalender>(frm.get());
        letter::frmTextbausteine = editor.get();
        letter::AboutBox = about.get();
        letter::FrmKalender = calendar.get();
    }
    ~AuxWindowsTest() override
    {
        letter::frmTextbausteine = nullptr;
        letter::AboutBox = nullptr;
        letter::FrmKalender = nullptr;
    }

    // Runs the phrase command and closes the editor with `button` once shown.
    void runEditor(const std::function<void()>& edit, QPushButton* button)
    {
        QTimer::singleShot(0, editor.get(), [=] {
            edit();
            button->click();
        });
        frm->TextbausteineExecute();
    }

    std::unique_ptr<letter::TfrmTextbausteine> editor;
    std::unique_ptr<letter::TAboutBox> about;
    std::unique_ptr<letter::TFrmKalender> calendar;
};

} // namespace

TEST_F(AuxWindowsTest, WithoutAPhraseFileTheEditorShowsAndOkKeepsTheBuiltInPhrases)
{
    ASSERT_EQ(frm->ComboBox1->count(), 13);
    runEditor([&] { EXPECT_EQ(editor->Memo1->TextLines(), letter::builtInPhrases()); }, editor->Button1);
    EXPECT_EQ(letter::readPhraseFile(letter::ProgramDir), letter::builtInPhrases());
    ASSERT_EQ(frm->ComboBox1->count(), 13);
    EXPECT_EQ(frm->ComboBox1->itemText(0).toStdString(), letter::builtInPhrases().front());
}

TEST_F(AuxWindowsTest, TheEditorsButtonsAreInTheKeyboardsReach)
{
    // Tab types a tab into the phrases; Ctrl+Tab goes on to OK, and Return there accepts.
    QTimer::singleShot(0, editor.get(), [&] {
        editor->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(editor.get()));
        editor->Memo1->setFocus();
        QTest::keyClick(editor->Memo1, Qt::Key_Tab);
        EXPECT_EQ(QApplication::focusWidget(), editor->Memo1);
        QTest::keyClick(editor->Memo1, Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(QApplication::focusWidget(), editor->Button1);
        QTest::keyClick(editor->Button1, Qt::Key_Tab, Qt::ShiftModifier);
        EXPECT_EQ(QApplication::focusWidget(), editor->Memo1);
        QTest::keyClick(editor->Memo1, Qt::Key_Tab, Qt::ControlModifier);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    frm->TextbausteineExecute();
    EXPECT_TRUE(letter::readPhraseFile(letter::ProgramDir).has_value());
}

TEST_F(AuxWindowsTest, EditedAndSortedPhrasesReachTheFileAndThePicker)
{
    std::ofstream("zlwtext.txt", std::ios::binary) << "b\r\nA\r\n";
    runEditor(
        [&] {
            editor->Memo1->AppendLine("a");
            editor->Memo1->AppendLine("");
            editor->SpeedButton1Click();
        },
        editor->Button1);
    EXPECT_EQ(platform::files::readFileBytes("zlwtext.txt"), "\r\nA\r\na\r\nb\r\n");
    ASSERT_EQ(frm->ComboBox1->count(), 4);
    EXPECT_EQ(frm->ComboBox1->itemText(1).toStdString(), "A");
}

TEST_F(AuxWindowsTest, CancelWritesNothingAndTheNextShowingReloads)
{
    std::ofstream("zlwtext.txt", std::ios::binary) << "eins\r\n";
    runEditor([&] { editor->Memo1->AppendLine("zwei"); }, editor->Button2);
    EXPECT_EQ(platform::files::readFileBytes("zlwtext.txt"), "eins\r\n");
    runEditor([&] { EXPECT_EQ(editor->Memo1->TextLines(), Lines{"eins"}); }, editor->Button2);
}

TEST_F(AuxWindowsTest, CalendarShowsTheStartDateAndComesToTheFront)
{
    EXPECT_EQ(calendar->MonthCalendar1->selectedDate(), QDate::currentDate());
    EXPECT_EQ(calendar->windowTitle(), "Kalender");
    // German names and Monday first, whatever the session's locale.
    EXPECT_EQ(calendar->MonthCalendar1->locale().monthName(12).toStdString(), "Dezember");
    EXPECT_EQ(calendar->MonthCalendar1->firstDayOfWeek(), Qt::Monday);
    frm->KalenderExecute();
    EXPECT_TRUE(calendar->isVisible());
    EXPECT_TRUE(calendar->windowFlags() & Qt::Tool);
    calendar->MonthCalendar1->setSelectedDate(QDate(2020, 1, 1));
    frm->KalenderExecute(); // shown again: the date is not reset
    EXPECT_EQ(calendar->MonthCalendar1->selectedDate(), QDate(2020, 1, 1));
}

TEST_F(AuxWindowsTest, AboutBoxShowsTheVersionAndOpensItsLinksThroughTheShell)
{
    platform::RecordingShell shell;
    platform::Shell* previous = platform::setShell(&shell);
    frm->Ueber1Click();
    EXPECT_TRUE(about->isVisible());
    EXPECT_FALSE(about->isModal());
    EXPECT_EQ(about->lblVersion->text().toStdString(), "1.8.7 - 27.04.2015");
    QTest::mouseClick(about->Label3, Qt::LeftButton);
    QTest::mouseClick(about->Label2, Qt::LeftButton);
    EXPECT_EQ(shell.opened, (Lines{"MAILTO:info@zettelino.example", "https://zettelino.example/"}));

    shell.fail = true;
    dialogs.answerMessage(platform::mrOk);
    dialogs.answerMessage(platform::mrOk);
    about->Label3Click();
    about->Label2Click();
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, "Fehler beim Starten der E-Mail-Anwendung.");
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtError);
    EXPECT_EQ(boxes[1].text, "Fehler beim Starten des Internet-Browsers.");
    EXPECT_EQ(boxes[1].type, platform::TMsgDlgType::mtError);
    platform::setShell(previous);
}
