// Typing into the window as a user does: length limits, the tab order out
// of the phrase picker, and typing or pasting marking the letter changed
// however the focus got there.

#include "LetterWindowFixture.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"

#include <QClipboard>
#include <QComboBox>
#include <QKeyEvent>
#include <QInputMethodEvent>
#include <QLineEdit>
#include <QTest>

using namespace zt;
using letter::LetterSaved;
using platform::DialogCall;

namespace {

class TypingTest : public zt::testing::LetterWindowTest {
protected:
    void SetUp() override
    {
        showWindow();
        frm->activateWindow();
    }

    // The focus put there by the program, not by a click.
    void focus(QWidget* w)
    {
        w->setFocus(Qt::TabFocusReason);
        ASSERT_EQ(QApplication::focusWidget(), w);
    }

    // The eight text controls and what keys go to.
    std::vector<QWidget*> textControls() const
    {
        return {frm->MemoAbsender, frm->MemoAnschrift, frm->EditTitel1, frm->EditTitel2,
                frm->edDatum,      frm->MemoMitteilung, frm->EditSonst1, frm->EditSonst2};
    }
};

// Keys that carry their text, for characters beyond ASCII.
void typeText(QWidget* w, const QString& text)
{
    for (const QChar c : text) {
        QKeyEvent press(QEvent::KeyPress, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &press);
        QKeyEvent release(QEvent::KeyRelease, 0, Qt::NoModifier, QString(c));
        QApplication::sendEvent(w, &release);
    }
}

} // namespace

TEST_F(TypingTest, TypingPastTheLimitKeepsTheFirstCharactersAndDropsEveryFurtherKey)
{
    focus(frm->EditSonst1);
    QTest::keyClicks(frm->EditSonst1, "Weiterleitung an Herrn Schmidt");
    EXPECT_EQ(frm->EditSonst1->Text(), "Weiterleitung an Her");

    focus(frm->EditTitel1);
    const std::string full(80, 'b');
    QTest::keyClicks(frm->EditTitel1, QString::fromStdString(full));
    ASSERT_EQ(frm->EditTitel1->Text(), full);
    QTest::keyClicks(frm->EditTitel1, "12345678");
    EXPECT_EQ(frm->EditTitel1->Text(), full);

    // Keys typed in the middle of a full field do nothing either, umlauts included.
    frm->EditTitel1->setCursorPosition(10);
    typeText(frm->EditTitel1, QString::fromUtf8("äöüß"));
    EXPECT_EQ(frm->EditTitel1->Text(), full);
    EXPECT_EQ(frm->EditTitel1->cursorPosition(), 10);

    // Room made by deleting takes exactly one key again.
    QTest::keyClick(frm->EditTitel1, Qt::Key_Backspace);
    QTest::keyClicks(frm->EditTitel1, "xy");
    EXPECT_EQ(frm->EditTitel1->Text(), std::string(9, 'b') + "x" + std::string(70, 'b'));
}

TEST_F(TypingTest, TabLeavesThePhrasePickerForTheSenderBlock)
{
    focus(frm->ComboBox1);
    QTest::keyClicks(QApplication::focusWidget(), "abc");
    EXPECT_EQ(frm->ComboBox1->currentText().toStdString(), "<Textbaustein auswählen>");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), frm->MemoAbsender);
    QTest::keyClicks(frm->MemoAbsender, "Max");
    EXPECT_EQ(frm->MemoAbsender->Text(), "Max");
    // And back again.
    QTest::keyClick(frm->MemoAbsender, Qt::Key_Backtab);
    EXPECT_TRUE(QApplication::focusWidget() == frm->ComboBox1 ||
                frm->ComboBox1->isAncestorOf(QApplication::focusWidget()));
}

TEST_F(TypingTest, FifteenTabsFromTheSenderBlockReachTheFirstOtherField)
{
    focus(frm->MemoAbsender);
    for (int i = 0; i < 15; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), frm->EditSonst1);
}

TEST_F(TypingTest, TypingIntoAnyTextControlMarksTheLetterChanged)
{
    for (QWidget* w : textControls()) {
        SCOPED_TRACE(w->objectName().toStdString());
        LetterSaved = true;
        focus(w);
        QTest::keyClicks(w, "x");
        EXPECT_FALSE(LetterSaved);
    }
}

TEST_F(TypingTest, InputMethodEventsThatChangeNoTextLeaveTheLetterSaved)
{
    // A Wayland session's input method sends such events when the focus
    // moves; the letter has not changed, so nothing may ask to save it.
    frm->MemoAnschrift->setPlainText("Frau Muster\nWeg 1");
    frm->EditTitel1->SetText("Betreff");
    for (QWidget* w : textControls()) {
        SCOPED_TRACE(w->objectName().toStdString());
        LetterSaved = true;
        focus(w);
        QInputMethodEvent preedit("", {});
        QApplication::sendEvent(w, &preedit);
        QInputMethodEvent commit;
        commit.setCommitString("");
        QApplication::sendEvent(w, &commit);
        focus(frm->ComboBox1);
        EXPECT_TRUE(LetterSaved);
    }
    // A commit that types text is a change.
    LetterSaved = true;
    focus(frm->MemoMitteilung);
    QInputMethodEvent typed;
    typed.setCommitString(QString::fromUtf8("ä"));
    QApplication::sendEvent(frm->MemoMitteilung, &typed);
    EXPECT_FALSE(LetterSaved);
}

TEST_F(TypingTest, PastingIntoAnyTextControlMarksTheLetterChanged)
{
    QApplication::clipboard()->setText("eingefügt");
    for (QWidget* w : textControls()) {
        SCOPED_TRACE(w->objectName().toStdString());
        LetterSaved = true;
        focus(w);
        QTest::keyClick(w, Qt::Key_V, Qt::ControlModifier);
        EXPECT_FALSE(LetterSaved);
    }
}

TEST_F(TypingTest, AnAddressTypedAfterTabbingMakesNewAsk)
{
    focus(frm->MemoAbsender);
    QTest::keyClick(frm->MemoAbsender, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), frm->MemoAnschrift);
    QTest::keyClicks(frm->MemoAnschrift, "Frau Muster");
    EXPECT_FALSE(LetterSaved);
    dialogs.answerMessage(platform::mrNo);
    QTest::keyClick(frm.get(), Qt::Key_N, Qt::ControlModifier);
    const auto asked = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text,
              "Die Kurzmitteilung wurde noch nicht gespeichert.\nMöchten Sie sie zuerst speichern?");
    EXPECT_EQ(asked[0].type, platform::TMsgDlgType::mtWarning);
    EXPECT_EQ(asked[0].buttons, platform::mbYes | platform::mbNo | platform::mbClosedCancels);
    EXPECT_EQ(frm->MemoAnschrift->Text(), "");
}

TEST_F(TypingTest, ThePlaceDateButtonStillLeavesTheFlagAlone)
{
    frm->SpeedButton2Click();
    EXPECT_FALSE(frm->edDatum->Text().empty());
    EXPECT_TRUE(LetterSaved);
}
