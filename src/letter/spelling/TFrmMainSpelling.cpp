// Spell checking in the letter window: the checked controls, the Extras
// entry that switches it, and the popup menu's spelling entries.

#include "letter/window/TFrmMain.h"

#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "letter/spelling/TSpelling.h"
#include "spelling/Dictionary.h"
#include "spelling/PersonalWordList.h"
#include "files/LetterFields.h"

#include <QAction>
#include <QMenu>

namespace zt::letter {

namespace {

// Why checking is off, or runs without something, shown on the entry itself.
void explain(QAction* entry, QMenu* menu, const QString& why)
{
    entry->setStatusTip(why);
    entry->setToolTip(why);
    menu->setToolTipsVisible(true);
}

} // namespace

void TFrmMain::createSpelling()
{
    FSpelling = new TSpelling(spelling::dictionaryFolders(), spelling::defaultPersonalWordListPath(), this);
    // The letter's text, not the hidden working controls.
    for (const files::TLetterBlockInfo& b : files::kLetterBlocks)
        if (b.spellChecked)
            FSpelling->Attach(BlockControl(b.block),
                              b.addressWords ? spelling::TWordContext::Address : spelling::TWordContext::Text);
    for (const files::TLetterFieldInfo& f : files::kLetterFields)
        if (f.spellChecked)
            FSpelling->Attach(FieldControl(f.field));
    // A dictionary found but unreadable is known only once loading ends.
    FSpelling->OnProblem = [this] {
        Rechtschreibung->setChecked(false);
        Rechtschreibung->setEnabled(false);
        explain(Rechtschreibung, MainMenuExtras, FSpelling->Problem());
    };
}

void TFrmMain::createSpellingEntry()
{
    Rechtschreibung = MainMenuExtras->addAction(QString::fromUtf8("Rechtschreibprüfung"));
    Rechtschreibung->setObjectName("Rechtschreibung1");
    Rechtschreibung->setCheckable(true);
    if (FSpelling->Available()) {
        Rechtschreibung->setChecked(FSpelling->Enabled());
        if (FSpelling->PersonalListProblem().isEmpty())
            Rechtschreibung->setStatusTip(QString::fromUtf8("Rechtschreibung beim Schreiben prüfen"));
        else
            explain(Rechtschreibung, MainMenuExtras, FSpelling->PersonalListProblem());
    } else {
        Rechtschreibung->setEnabled(false);
        explain(Rechtschreibung, MainMenuExtras, FSpelling->Problem());
    }
    connect(Rechtschreibung, &QAction::triggered, this,
            [this](bool checked) { Guarded([&] { RechtschreibungClick(checked); }); });
}

void TFrmMain::RechtschreibungClick(bool checked)
{
    FSpelling->SetEnabled(checked);
}

void TFrmMain::PreparePopupMenu(QWidget* control, const QPoint& pos)
{
    FPopupControl = control;
    for (QAction* entry : FSpellEntries) {
        PopupMenu1->removeAction(entry);
        entry->deleteLater(); // may be the entry whose click is still being handled
    }
    FSpellEntries = FSpelling->PopupEntries(control, pos, PopupMenu1);
    if (FSpellEntries.isEmpty())
        return;
    auto* separator = new QAction(PopupMenu1);
    separator->setSeparator(true);
    FSpellEntries.append(separator);
    PopupMenu1->insertActions(Ausschneiden1, FSpellEntries);
}

} // namespace zt::letter
