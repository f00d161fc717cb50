// Spell checking in the letter window: underlines in the boxes and the
// single-line fields, the popup's suggestions and personal words across a
// restart, the Extras entry, a system without a German dictionary, and a
// letter whose text, file form and plain text the checking leaves alone.

#include "letter/state/ProgramState.h"
#include "letter/window/TFrmMain.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "letter/spelling/TSpelling.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "spelling/Dictionary.h"
#include "support/QtWidgetApp.h"
#include "support/ScratchFolder.h"

#include <QAction>
#include <QApplication>
#include <QImage>
#include <QMenu>
#include <QTest>
#include <QTextBlock>
#include <QTextLayout>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>

namespace zt::letter {
namespace {

// Sets an environment variable for the life of the object.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::string& value) : name_(name)
    {
        if (const char* old = std::getenv(name))
            old_ = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnv()
    {
        if (old_)
            ::setenv(name_, old_->c_str(), 1);
        else
            ::unsetenv(name_);
    }

private:
    const char* name_;
    std::optional<std::string> old_;
};

// The words a box shows with the wavy underline.
QStringList underlined(TMemo* box)
{
    QStringList words;
    for (QTextBlock b = box->document()->begin(); b.isValid(); b = b.next())
        for (const QTextLayout::FormatRange& r : b.layout()->formats())
            if (r.format.underlineStyle() == QTextCharFormat::SpellCheckUnderline)
                words << b.text().mid(r.start, r.length);
    return words;
}

// Pixels of a strong red, as the underline draws them.
int redPixels(QWidget* w)
{
    const QImage image = w->grab().toImage();
    int red = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            red += c.red() > 150 && c.green() < 110 && c.blue() < 110;
        }
    return red;
}

class SpellingWindowTest : public ::testing::Test {
protected:
    SpellingWindowTest() : scoped_(dialogs) { testing::ensureWidgetApplication(); }

    void SetUp() override
    {
        if (!spelling::findDictionary(spelling::dictionaryFolders()))
            GTEST_SKIP() << "German dictionary (hunspell-de-de) not installed";
        start();
    }

    // The program as it starts: the personal list read again.
    void start()
    {
        frm.reset();
        resetProgramState();
        frm = std::make_unique<TFrmMain>();
        frm->Spelling()->WaitUntilLoaded();
        frm->show();
        QApplication::processEvents();
    }

    // Where a right click on character `at` of the message lands.
    QPoint inMessage(int at)
    {
        QTextCursor c(frm->MemoMitteilung->document());
        c.setPosition(at);
        return frm->MemoMitteilung->cursorRect(c).center();
    }

    QStringList popupTexts()
    {
        QStringList texts;
        for (QAction* a : frm->PopupMenu1->actions())
            texts << (a->isSeparator() ? QString("-") : a->text());
        return texts;
    }

    QAction* popupEntry(const QString& text)
    {
        for (QAction* a : frm->PopupMenu1->actions())
            if (a->text() == text)
                return a;
        return nullptr;
    }

    testing::ScratchFolder config{"spelling-config"};
    ScopedEnv xdg{"XDG_CONFIG_HOME", config.path().string()};
    platform::ScriptedDialogs dialogs;
    platform::ScopedUserDialogs scoped_;
    std::unique_ptr<TFrmMain> frm;
};

TEST_F(SpellingWindowTest, MisspeltWordUnderlinedSuggestedAndAddedForGood)
{
    QTest::keyClicks(frm->MemoMitteilung, "Die Mitteilnug ist da");
    EXPECT_EQ(underlined(frm->MemoMitteilung), QStringList{"Mitteilnug"});

    frm->PreparePopupMenu(frm->MemoMitteilung, inMessage(6));
    const QStringList texts = popupTexts();
    ASSERT_GE(texts.size(), 6);
    EXPECT_EQ(texts.front(), "Mitteilung");
    EXPECT_LE(texts.indexOf("Zum Wörterbuch hinzufügen"), 5);
    // The menu's own entries stay as they are, below a separator.
    EXPECT_EQ(texts.mid(texts.size() - 4), (QStringList{"-", "&Ausschneiden", "&Kopieren", "&Einfügen"}));

    // Over a correct word only the menu's own entries.
    frm->PreparePopupMenu(frm->MemoMitteilung, inMessage(1));
    EXPECT_EQ(popupTexts(), (QStringList{"&Ausschneiden", "&Kopieren", "&Einfügen"}));

    frm->PreparePopupMenu(frm->MemoMitteilung, inMessage(6));
    popupEntry("Zum Wörterbuch hinzufügen")->trigger();
    EXPECT_TRUE(underlined(frm->MemoMitteilung).isEmpty());
    std::ifstream list(config.file("zettelino/woerterbuch.txt"), std::ios::binary);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(list)), {}), "Mitteilnug\n");

    start();
    QTest::keyClicks(frm->MemoMitteilung, "Mitteilnug und Fehlerr");
    EXPECT_EQ(underlined(frm->MemoMitteilung), QStringList{"Fehlerr"});
}

TEST_F(SpellingWindowTest, UnreadablePersonalListIsNamedAndCheckingGoesOn)
{
    std::filesystem::create_directories(config.file("zettelino/woerterbuch.txt"));
    start();
    EXPECT_TRUE(frm->Rechtschreibung->isEnabled());
    EXPECT_TRUE(frm->Rechtschreibung->toolTip().contains("persönliche Wörterbuch"));
    QTest::keyClicks(frm->MemoMitteilung, "Die Mitteilnug");
    EXPECT_EQ(underlined(frm->MemoMitteilung), QStringList{"Mitteilnug"});
}

TEST_F(SpellingWindowTest, SuggestionReplacesTheWordInBoxesAndFields)
{
    QTest::keyClicks(frm->MemoMitteilung, "Die Mitteilnug ist da");
    frm->PreparePopupMenu(frm->MemoMitteilung, inMessage(6));
    popupEntry("Mitteilung")->trigger();
    EXPECT_EQ(frm->MemoMitteilung->Text(), "Die Mitteilung ist da");
    EXPECT_TRUE(underlined(frm->MemoMitteilung).isEmpty());

    QTest::keyClicks(frm->EditTitel1, "Ihre Rechnnug");
    frm->PreparePopupMenu(frm->EditTitel1, QPoint(frm->EditTitel1->width() - 4, frm->EditTitel1->height() / 2));
    ASSERT_NE(popupEntry("Rechnung"), nullptr);
    popupEntry("Rechnung")->trigger();
    EXPECT_EQ(frm->EditTitel1->Text(), "Ihre Rechnung");
}

TEST_F(SpellingWindowTest, UnderlineShowsInFieldsAndBoxesAndGoesWhenSwitchedOff)
{
    QTest::keyClicks(frm->EditSonst1, "Kopei");
    QTest::keyClicks(frm->MemoAnschrift, "Herrn Mustr");
    QApplication::processEvents();
    EXPECT_GT(redPixels(frm->EditSonst1), 3);
    EXPECT_GT(redPixels(frm->MemoAnschrift->viewport()), 3);
    EXPECT_EQ(underlined(frm->MemoAnschrift), QStringList{"Mustr"});

    ASSERT_TRUE(frm->Rechtschreibung->isEnabled());
    ASSERT_TRUE(frm->Rechtschreibung->isChecked());
    frm->Rechtschreibung->trigger();
    EXPECT_FALSE(frm->Spelling()->Active());
    QApplication::processEvents();
    EXPECT_EQ(redPixels(frm->EditSonst1), 0);
    EXPECT_EQ(redPixels(frm->MemoAnschrift->viewport()), 0);
    frm->PreparePopupMenu(frm->EditSonst1, QPoint(8, frm->EditSonst1->height() / 2));
    EXPECT_EQ(popupTexts().size(), 3);
}

TEST_F(SpellingWindowTest, StreetNamesPassInTheAddressBlocksOnly)
{
    frm->MemoAnschrift->setPlainText("Herrn Max Muster\nSchillerstraße 5");
    frm->MemoAbsender->setPlainText("Königstraße 1");
    frm->MemoMitteilung->setPlainText("Wir wohnen in der Schillerstraße");
    EXPECT_TRUE(underlined(frm->MemoAnschrift).isEmpty());
    EXPECT_TRUE(underlined(frm->MemoAbsender).isEmpty());
    EXPECT_EQ(underlined(frm->MemoMitteilung), QStringList{"Schillerstraße"});
}

TEST_F(SpellingWindowTest, CheckingLeavesTheLetterAlone)
{
    frm->MemoAbsender->SetText("Firma Mustr\nWeg 1");
    frm->MemoMitteilung->SetText("Sehr geehrte Frua «Name»,\nanbei die Rechnnug z. B. vom 3.4.2025.\n");
    frm->EditTitel1->SetText("Betrff");
    frm->EditSonst2->SetText("Kopei");
    frm->edDatum->SetText("Kln, 01.02.2025");
    EXPECT_FALSE(underlined(frm->MemoMitteilung).isEmpty());
    frm->FillPlainText();
    const files::TLetterContent withChecking = frm->LetterContent();
    const std::string plainWith = frm->Memo1->Text();
    const std::string messageWith = frm->MemoMitteilung->Text();

    LetterSaved = true;
    frm->Rechtschreibung->trigger(); // off
    frm->Rechtschreibung->trigger(); // on again
    EXPECT_TRUE(LetterSaved) << "switching the checking counts as no edit";
    frm->Rechtschreibung->trigger(); // off
    frm->FillPlainText();
    const files::TLetterContent without = frm->LetterContent();
    EXPECT_EQ(without.mitteilung, withChecking.mitteilung);
    EXPECT_EQ(without.absender, withChecking.absender);
    EXPECT_EQ(without.titel1, withChecking.titel1);
    EXPECT_EQ(without.sonst2, withChecking.sonst2);
    EXPECT_EQ(frm->Memo1->Text(), plainWith);
    EXPECT_EQ(frm->MemoMitteilung->Text(), messageWith);
    EXPECT_EQ(frm->EditTitel1->Text(), "Betrff");
}

TEST(SpellingWithoutDictionary, ProgramWorksAndTheEntrySaysWhy)
{
    testing::ensureWidgetApplication();
    testing::ScratchFolder empty("spelling-nodict");
    ScopedEnv folders("ZT_DICTIONARY_PATH", empty.path().string());
    ScopedEnv xdg("XDG_CONFIG_HOME", empty.path().string());
    platform::ScriptedDialogs dialogs;
    platform::ScopedUserDialogs scoped(dialogs);
    resetProgramState();
    TFrmMain frm;
    frm.Spelling()->WaitUntilLoaded();
    EXPECT_FALSE(frm.Spelling()->Available());
    EXPECT_FALSE(frm.Rechtschreibung->isEnabled());
    EXPECT_TRUE(frm.Rechtschreibung->statusTip().contains("hunspell-de-de"));
    EXPECT_TRUE(frm.Rechtschreibung->toolTip().contains("Kein deutsches Wörterbuch"));

    QTest::keyClicks(frm.MemoMitteilung, "Die Mitteilnug");
    EXPECT_EQ(frm.MemoMitteilung->Text(), "Die Mitteilnug");
    EXPECT_TRUE(underlined(frm.MemoMitteilung).isEmpty());
    frm.PreparePopupMenu(frm.MemoMitteilung, QPoint(30, 5));
    EXPECT_EQ(frm.PopupMenu1->actions().size(), 3);
}

} // namespace
} // namespace zt::letter
