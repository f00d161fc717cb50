// The main window: change tracking, New, limits, commands, layout, status.

#include "LetterWindowFixture.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"

#include <QAccessible>
#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <QToolBar>
#include <QToolButton>
#include <functional>
#include <stdexcept>

using namespace zt;
using letter::LetterSaved;
using platform::DialogCall;
using zt::testing::LetterWindowTest;

namespace {

void fillLetter(letter::TFrmMain& f)
{
    f.MemoAbsender->SetText("Absender");
    f.MemoAnschrift->SetText("Anschrift");
    f.MemoMitteilung->SetText("Mitteilung");
    f.EditTitel1->SetText("Titel 1");
    f.EditTitel2->SetText("Titel 2");
    f.EditSonst1->SetText("Sonst 1");
    f.EditSonst2->SetText("Sonst 2");
    f.edDatum->SetText("Ort, Datum");
    for (int n = 1; n <= 15; ++n)
        f.TickMark(n)->setChecked(n % 2 == 1);
}

void expectCleared(const letter::TFrmMain& f)
{
    for (const letter::TMemo* m : {f.MemoAbsender, f.MemoAnschrift, f.MemoMitteilung})
        EXPECT_EQ(m->Text(), "") << m->objectName().toStdString();
    for (const letter::TEdit* e : {f.EditTitel1, f.EditTitel2, f.EditSonst1, f.EditSonst2, f.edDatum})
        EXPECT_EQ(e->Text(), "") << e->objectName().toStdString();
    for (int n = 1; n <= 15; ++n)
        EXPECT_FALSE(f.TickMark(n)->isChecked()) << n;
    EXPECT_EQ(f.ComboBox1->currentIndex(), -1);
    EXPECT_EQ(f.ComboBox1->currentText().toStdString(), "<Textbaustein auswählen>");
}

} // namespace

TEST_F(LetterWindowTest, NewAtStartClearsWithoutAsking)
{
    EXPECT_TRUE(LetterSaved);
    frm->NeuExecute();
    EXPECT_TRUE(dialogs.calls().empty());
    expectCleared(*frm);
    EXPECT_EQ(frm->PanelText(1), "0 Zeilen.");
    EXPECT_EQ(frm->PanelText(2), "");
}

TEST_F(LetterWindowTest, TickingAndUntickingLeavesTheLetterChanged)
{
    frm->cbKontrolle->click();
    frm->cbKontrolle->click();
    EXPECT_FALSE(frm->cbKontrolle->isChecked());
    EXPECT_FALSE(LetterSaved);

    dialogs.answerMessage(platform::mrNo);
    frm->NeuExecute();
    const auto asked = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0].text,
              "Die Kurzmitteilung wurde noch nicht gespeichert.\nMöchten Sie sie zuerst speichern?");
    EXPECT_EQ(asked[0].type, platform::TMsgDlgType::mtWarning);
    EXPECT_EQ(asked[0].buttons, platform::mbYes | platform::mbNo | platform::mbClosedCancels);
    EXPECT_TRUE(dialogs.calls(DialogCall::Kind::Save).empty());
    EXPECT_TRUE(LetterSaved);
}

TEST_F(LetterWindowTest, ClosingNewsQuestionWithoutAButtonKeepsTheLetter)
{
    frm->EditTitel1->SetText("getippt");
    LetterSaved = false;
    dialogs.closeMessage(); // Escape or the close box
    frm->NeuExecute();
    ASSERT_EQ(dialogs.calls(DialogCall::Kind::Message).size(), 1u);
    EXPECT_EQ(dialogs.calls(DialogCall::Kind::Message)[0].answer, platform::mrCancel);
    EXPECT_EQ(frm->EditTitel1->Text(), "getippt");
    EXPECT_FALSE(LetterSaved);
    EXPECT_TRUE(dialogs.calls(DialogCall::Kind::Save).empty());
}

TEST_F(LetterWindowTest, TickMarksChangedByCodeCountToo)
{
    frm->CheckBox15->setChecked(true);
    EXPECT_FALSE(LetterSaved);
}

TEST_F(LetterWindowTest, AClickInATextControlMarksTheLetterChanged)
{
    showWindow();
    QWidget* targets[] = {frm->MemoAnschrift->viewport(), frm->EditTitel2, frm->edDatum, frm->EditSonst2};
    for (QWidget* w : targets) {
        LetterSaved = true;
        QTest::mouseClick(w, Qt::LeftButton);
        EXPECT_FALSE(LetterSaved) << w->objectName().toStdString();
    }
}

TEST_F(LetterWindowTest, AnyChangeOfTheSenderTextMarksTheLetterChanged)
{
    frm->MemoAbsender->SetText("Firma");
    EXPECT_FALSE(LetterSaved);
}

TEST_F(LetterWindowTest, YesToNewThenACancelledSaveKeepsTheLetter)
{
    fillLetter(*frm);
    frm->setWindowTitle("Zettelino - [ /tmp/a.ZLW]");
    frm->SetPanelText(2, "a.ZLW");
    ASSERT_FALSE(LetterSaved);
    letter::LastDir = "/tmp/briefe/";
    dialogs.answerMessage(platform::mrYes);
    dialogs.answerSave(std::nullopt);
    frm->NeuExecute();
    const auto saves = dialogs.calls(DialogCall::Kind::Save);
    ASSERT_EQ(saves.size(), 1u);
    EXPECT_EQ(saves[0].request.initialDir, "/tmp/briefe/");
    EXPECT_EQ(saves[0].request.filter, "Zettelino für Windows (*.ZLW)|*.ZLW");
    EXPECT_EQ(frm->MemoAbsender->Text(), "Absender");
    EXPECT_TRUE(frm->TickMark(1)->isChecked());
    EXPECT_FALSE(LetterSaved);
    EXPECT_EQ(letter::CurrentFile, "");
    EXPECT_EQ(frm->windowTitle().toStdString(), "Zettelino - [ /tmp/a.ZLW]");
    EXPECT_EQ(frm->PanelText(2), "a.ZLW");
}

TEST_F(LetterWindowTest, YesToNewThenAFailedSaveKeepsTheLetterAndItsFile)
{
    fillLetter(*frm);
    letter::CurrentFile = "/nonexistent-folder/a.ZLW";
    dialogs.answerMessage(platform::mrYes);
    EXPECT_ANY_THROW(frm->NeuExecute());
    EXPECT_EQ(frm->EditTitel1->Text(), "Titel 1");
    EXPECT_FALSE(LetterSaved);
    EXPECT_EQ(letter::CurrentFile, "/nonexistent-folder/a.ZLW");
}

TEST_F(LetterWindowTest, NewKeepsTheCaptionButEmptiesThePanel)
{
    frm->setWindowTitle("Zettelino - [ /tmp/a.ZLW]");
    letter::CurrentFile = "/tmp/a.ZLW";
    frm->SetPanelText(2, "a.ZLW");
    frm->NeuExecute();
    EXPECT_EQ(frm->windowTitle().toStdString(), "Zettelino - [ /tmp/a.ZLW]");
    EXPECT_EQ(frm->PanelText(2), "");
    EXPECT_EQ(letter::CurrentFile, "");
}

TEST_F(LetterWindowTest, PastingIntoASubjectLineKeepsEightyCharacters)
{
    showWindow();
    QApplication::clipboard()->setText(QString(100, QChar(u'ä')));
    frm->EditTitel1->setFocus();
    frm->EditTitel1->paste();
    EXPECT_EQ(frm->EditTitel1->text(), QString(80, QChar(u'ä')));

    // A paste into a partly filled field keeps as much of the paste as fits.
    frm->EditSonst1->SetText("abcdefghijklmno");
    frm->EditSonst1->setCursorPosition(5);
    QApplication::clipboard()->setText("0123456789");
    frm->EditSonst1->paste();
    EXPECT_EQ(frm->EditSonst1->Text(), "abcde01234fghijklmno");
    EXPECT_EQ(frm->EditSonst1->cursorPosition(), 10);
}

TEST_F(LetterWindowTest, TextPutInByTheProgramIsNotCutButTypingCannotLengthenIt)
{
    showWindow();
    const std::string longText(100, 'x');
    frm->EditTitel2->SetText(longText);
    EXPECT_EQ(frm->EditTitel2->Text(), longText);
    frm->EditTitel2->setFocus();
    frm->EditTitel2->end(false);
    QTest::keyClicks(frm->EditTitel2, "y");
    EXPECT_EQ(frm->EditTitel2->Text(), longText);
    QTest::keyClick(frm->EditTitel2, Qt::Key_Backspace);
    EXPECT_EQ(frm->EditTitel2->Text(), std::string(99, 'x'));
}

TEST_F(LetterWindowTest, HiddenCommandsAppearNeitherInTheMenuNorOnTheToolbar)
{
    showWindow();
    EXPECT_FALSE(frm->Word->isVisible());
    EXPECT_FALSE(frm->EMail->isVisible());
    // The hidden mail command sends plain text; the visible one, a PDF.
    for (QAction* item : frm->MainMenuZettelino->actions()) {
        if (item->isVisible()) {
            EXPECT_TRUE(item->text().indexOf("Word") < 0 && item->text() != "als E-Mail senden...")
                << item->text().toStdString();
        }
    }
    int shownButtons = 0;
    for (QAction* action : frm->ToolBar1->actions()) {
        QWidget* w = frm->ToolBar1->widgetForAction(action);
        if (!w || !w->isVisible())
            continue;
        if (!action->isSeparator()) {
            ++shownButtons;
            EXPECT_TRUE(action->text() != "Word" && action->text() != "E-Mail");
        }
    }
    EXPECT_EQ(shownButtons, 7); // Neu, Öffnen, Speichern, Vorschau, Drucken, Editor, PDF-Mail
}

TEST_F(LetterWindowTest, CommandListHoldsItsCommandsWithTheirShortcuts)
{
    // The eleven of the original list, then printing through the print
    // dialog, the PDF by e-mail and the mail merge.
    ASSERT_EQ(frm->ActionList1.size(), 14);
    EXPECT_EQ(frm->DruckenMitDialog->shortcut(), QKeySequence("Ctrl+P"));
    EXPECT_TRUE(frm->Drucken->shortcut().isEmpty());
    EXPECT_EQ(frm->Neu->shortcut(), QKeySequence("Ctrl+N"));
    EXPECT_EQ(frm->Oeffnen->shortcut(), QKeySequence("Ctrl+O"));
    EXPECT_EQ(frm->Speichern->shortcut(), QKeySequence("Ctrl+S"));
    EXPECT_TRUE(frm->SpeichernUnter->shortcut().isEmpty());
    EXPECT_EQ(frm->Druckvorschau->property("ImageIndex").toInt(), 6);
    EXPECT_EQ(frm->Kalender->property("ImageIndex").toInt(), 8);
    EXPECT_EQ(frm->SpeichernUnter->text().toStdString(), "Speichern unter...");
    // The menu shows the preview and the editor under captions of their own.
    QStringList captions;
    for (QAction* item : frm->MainMenuZettelino->actions())
        if (item->isVisible() && !item->isSeparator())
            captions << item->text();
    EXPECT_EQ(captions.join(",").toStdString(),
              "Neu,Öffnen,Öffnen alte Version...,&Zuletzt geöffnet,Speichern,Speichern unter...,Drucken,Drucken...,"
              "Druckvorschau,Serienbrief...,"
              "mit Editor öffnen...,Als PDF per E-Mail senden...,B&eenden");
}

TEST_F(LetterWindowTest, TheShortcutOfNewRunsNew)
{
    showWindow();
    frm->activateWindow();
    frm->EditTitel1->SetText("weg");
    LetterSaved = true;
    QTest::keyClick(frm.get(), Qt::Key_N, Qt::ControlModifier);
    EXPECT_EQ(frm->EditTitel1->Text(), "");
}

TEST_F(LetterWindowTest, ControlsFollowTheirAnchors)
{
    showWindow();
    EXPECT_EQ(frm->MemoAbsender->geometry(), QRect(2, 64, 329, 89));
    EXPECT_EQ(frm->EditSonst1->geometry(), QRect(487, 120, 174, 23));
    EXPECT_EQ(frm->MemoMitteilung->geometry(), QRect(2, 384, 661, 70));
    EXPECT_EQ(frm->cbSonst1->geometry(), QRect(468, 121, 13, 17));

    frm->centralWidget()->resize(letter::TFrmMain::kDesignedClientWidth + 100,
                                 letter::TFrmMain::kDesignedClientHeight + 50);
    EXPECT_EQ(frm->MemoAbsender->geometry(), QRect(2, 64, 429, 89));       // L T R
    EXPECT_EQ(frm->EditSonst1->geometry(), QRect(587, 120, 174, 23));      // T R
    EXPECT_EQ(frm->ComboBox1->geometry(), QRect(2, 344, 295, 21));         // L T
    EXPECT_EQ(frm->MemoMitteilung->geometry(), QRect(2, 384, 761, 120));   // L T R B
    EXPECT_EQ(frm->StatusBar1->geometry(), QRect(0, 502, 764, 19));

    // The window cannot shrink below the size at which controls start to overlap.
    frm->resize(100, 100);
    QApplication::processEvents();
    EXPECT_EQ(frm->size(), frm->minimumSize());
    EXPECT_GE(frm->centralWidget()->height(), frm->centralWidget()->minimumHeight());
}

TEST_F(LetterWindowTest, TabOrderRunsThroughTheLetter)
{
    showWindow();
    frm->activateWindow();
    frm->MemoAbsender->setFocus();
    QStringList visited;
    for (int i = 0; i < 24; ++i) {
        visited << QApplication::focusWidget()->objectName();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    EXPECT_EQ(visited.join(" ").toStdString(),
              "MemoAbsender MemoAnschrift EditTitel1 EditTitel2 edDatum MemoMitteilung "
              "cbKenntnisnahme cbAnrufRuecksprache cbStellungnahme cbKontrolle cbErledigung "
              "cbEntscheidung cbRuecknahme cbVerbleib cbSonst1 EditSonst1 cbSchreiben "
              "CheckBox11 CheckBox12 CheckBox13 CheckBox14 CheckBox15 EditSonst2 ComboBox1");
}

TEST_F(LetterWindowTest, StatusPanelsAtStartAndOnMessageChanges)
{
    EXPECT_EQ(frm->PanelText(1), "");
    EXPECT_EQ(frm->PanelText(2), "<kein Zettelino geladen>");
    EXPECT_EQ(frm->PanelText(3), "Version 1.8.7 - 27.04.2015");
    frm->MemoMitteilung->SetText("eins\nzwei\n");
    EXPECT_EQ(frm->PanelText(1), "2 Zeilen.");
    // 638 pixels of text width hold 79 Courier characters: 100 make two lines.
    frm->MemoMitteilung->SetText(std::string(100, 'x'));
    EXPECT_EQ(frm->MemoMitteilung->FormatWidth(), 661 - 4 - 2 - 17);
    EXPECT_EQ(frm->PanelText(1), "2 Zeilen.");
}

TEST_F(LetterWindowTest, HintsShowTheirLongPartInPanelZero)
{
    EXPECT_EQ(letter::TFrmMain::GetLongHint("kurz|lang"), "lang");
    EXPECT_EQ(letter::TFrmMain::GetLongHint("nur eins"), "nur eins");
    QStatusTipEvent tip(frm->Neu->statusTip());
    QApplication::sendEvent(frm->ToolBar1, &tip);
    EXPECT_EQ(frm->PanelText(0), "Neuen Zettelino anlegen");
    QStatusTipEvent hover(frm->SBDatum->statusTip());
    QApplication::sendEvent(frm->SBDatum, &hover);
    EXPECT_EQ(frm->PanelText(0), "Aktuelles Datum einfügen");
    // Another window's hints (the preview's toolbar) stay in that window.
    QWidget other;
    QToolButton button(&other);
    QStatusTipEvent foreign("Erste Seite");
    QApplication::sendEvent(&button, &foreign);
    EXPECT_EQ(frm->PanelText(0), "Aktuelles Datum einfügen");
    // A pop-up menu of the letter window is the letter window's own.
    QMenu menu(frm.get());
    QStatusTipEvent fromMenu("Aus dem Menü");
    QApplication::sendEvent(&menu, &fromMenu);
    EXPECT_EQ(frm->PanelText(0), "Aus dem Menü");
}

TEST_F(LetterWindowTest, WhatACommandDoesNotCatchGoesToTheGeneralErrorBox)
{
    dialogs.answerMessage(platform::mrOk);
    frm->Guarded([] { throw std::runtime_error("Zugriff verweigert"); });
    const auto boxes = dialogs.calls(DialogCall::Kind::Message);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, "Zugriff verweigert");
    EXPECT_EQ(boxes[0].type, platform::TMsgDlgType::mtError);
    EXPECT_EQ(boxes[0].buttons, platform::mbOK);
}

TEST_F(LetterWindowTest, TickMarkLabelsNameTheOtherFieldsForNineAndFifteen)
{
    frm->EditSonst1->SetText("Weiterleitung");
    EXPECT_EQ(frm->TickMarkLabel(1), "Kenntnisnahme");
    EXPECT_EQ(frm->TickMarkLabel(2), "Anruf/Rücksprache");
    EXPECT_EQ(frm->TickMarkLabel(9), "Weiterleitung");
    EXPECT_EQ(frm->TickMarkLabel(11), "Rechnung");
    EXPECT_EQ(frm->TickMarkLabel(15), "");
    EXPECT_EQ(frm->cbSonst1->text(), "");
}

TEST_F(LetterWindowTest, TheBoxShowsTheLinesItsLineFunctionGives)
{
    showWindow();
    const char* texts[] = {
        "Sehr geehrte Damen und Herren, anbei erhalten Sie die Unterlagen zur Kenntnisnahme.",
        "Kurz",
        "Einwortohneleerzeichendasvielzulangistfuereinezeileimabsenderfeldunddahergebrochenwird",
        "a b c d e f g h i j k l m n o p q r s t u v w x y z a b c d e f g h i j k l m n o p",
    };
    for (const char* text : texts) {
        frm->MemoAbsender->SetText(text);
        QApplication::processEvents();
        std::vector<std::string> shown;
        for (QTextBlock b = frm->MemoAbsender->document()->begin(); b.isValid(); b = b.next())
            for (int i = 0; i < b.layout()->lineCount(); ++i) {
                const QTextLine line = b.layout()->lineAt(i);
                shown.push_back(b.text().mid(line.textStart(), line.textLength()).toStdString());
            }
        EXPECT_EQ(frm->MemoAbsender->Lines(), shown) << text;
    }
}

TEST_F(LetterWindowTest, HiddenWorkingControlsAreNeverShown)
{
    showWindow();
    EXPECT_FALSE(frm->edDummy->isVisible());
    EXPECT_FALSE(frm->Memo1->isVisible());
    EXPECT_EQ(frm->edDummy->Text(), "edDummy");
    EXPECT_EQ(frm->Memo1->Lines(), std::vector<std::string>{"Memo1"});
    EXPECT_EQ(frm->Memo1->size(), QSize(185, 89));
}

TEST_F(LetterWindowTest, EveryFieldAndButtonAScreenReaderFindsHasAGermanName)
{
    showWindow();
    int fields = 0;
    std::function<void(QAccessibleInterface*, int)> walk = [&](QAccessibleInterface* i, int depth) {
        if (i == nullptr || depth > 40)
            return;
        const QAccessible::Role role = i->role();
        const QString name = i->text(QAccessible::Name);
        if (role == QAccessible::EditableText || role == QAccessible::PushButton || role == QAccessible::ToolBar) {
            if (role == QAccessible::EditableText)
                ++fields;
            const QObject* o = i->object();
            const std::string what = o != nullptr ? o->objectName().toStdString() : std::string("?");
            EXPECT_FALSE(name.trimmed().isEmpty()) << what;
            EXPECT_FALSE(name.startsWith("qt_") || name.contains(QChar(0xbb)) || name.contains("ToolBar")) << what;
        }
        for (int c = 0; c < i->childCount(); ++c)
            walk(i->child(c), depth + 1);
    };
    walk(QAccessible::queryAccessibleInterface(frm.get()), 0);
    EXPECT_GE(fields, 9);
    auto* more = frm->ToolBar1->findChild<QToolButton*>("qt_toolbar_ext_button");
    ASSERT_NE(more, nullptr);
    EXPECT_EQ(QAccessible::queryAccessibleInterface(more)->text(QAccessible::Name).toStdString(), "Weitere Befehle");
}
