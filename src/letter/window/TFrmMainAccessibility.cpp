// What a screen reader hears of the main window: every control by the
// caption a sighted user reads beside it, in German.

#include "letter/window/TFrmMain.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "platform/qt/QtText.h"
#include "files/LetterFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QStatusBar>
#include <QToolBar>
#include <QToolButton>

namespace zt::letter {

namespace {

using platform::qt::u;

void name(QWidget* w, const char* accessibleName, const char* description = nullptr)
{
    w->setAccessibleName(u(accessibleName));
    if (description != nullptr)
        w->setAccessibleDescription(u(description));
}

// A strip names the block below it; its caption starts with a blank that
// a reader should not announce.
void strip(QLabel* label, QWidget* block)
{
    label->setAccessibleName(label->text().trimmed());
    label->setBuddy(block);
}

} // namespace

void TFrmMain::nameControls()
{
    for (const files::TLetterBlockInfo& b : files::kLetterBlocks)
        name(BlockControl(b.block), b.spokenName);
    for (const files::TLetterFieldInfo& f : files::kLetterFields)
        name(FieldControl(f.field), f.spokenName);
    strip(Label1, MemoAbsender);
    strip(Label2, MemoAnschrift);
    strip(Label3, EditTitel1);
    strip(Label7, edDatum);
    strip(Label4, MemoMitteilung);
    Label5->setAccessibleName(Label5->text().trimmed());
    Label6->setAccessibleName(Label6->text().trimmed());

    // The two free marks show only their box; the field beside them says
    // what they mean, and the box itself is named by what it is.
    for (const files::TTickMarkInfo& m : files::kTickMarks)
        name(TickMark(m.number), m.spokenName != nullptr ? m.spokenName : m.caption,
             files::TickMarkGroupName(m.group));

    // On Linux a combo box is announced by its text; what it is for goes in its description.
    name(ComboBox1, "Textbaustein auswählen", "Textbaustein auswählen");
    if (QLineEdit* edit = ComboBox1->lineEdit())
        name(edit, "Textbaustein auswählen");
    name(btnAbsenderLaden, "Standard-Absender laden");
    name(btnAbsenderSpeichern, "Absender als Standard speichern");
    name(SpeedButton2, "Aktuelles Datum in Ort, Datum einfügen");
    name(SpeedButton1, "Textbaustein einfügen");
    name(SBZeit, "Aktuelle Zeit einfügen");
    name(SBDatum, "Aktuelles Datum einfügen");

    name(ToolBar1, "Symbolleiste");
    ToolBar1->setWindowTitle(u("Symbolleiste"));
    // The button that shows the commands a narrow window has no room for.
    if (auto* more = ToolBar1->findChild<QToolButton*>("qt_toolbar_ext_button"))
        name(more, "Weitere Befehle", "Zeigt die Befehle, für die die Symbolleiste zu schmal ist");
    name(menuBar(), "Menüleiste");
    name(StatusBar1, "Statusleiste");
    // The panels are read by their text; what each one holds is its description.
    const char* panels[] = {"Hinweis", "Zeilen der Mitteilung", "Geöffnete Datei", "Programmversion"};
    for (int i = 0; i < 4; ++i)
        FPanels[i]->setAccessibleDescription(u(panels[i]));
    name(PopupMenu1, "Bearbeiten");
    // The hidden working controls are in a reader's tree too, as hidden
    // objects: they say what they are.
    name(edDummy, "Verborgenes Hilfsfeld zum Einfügen");
    name(Memo1, "Verborgenes Hilfsfeld für die Textausgabe");
}

} // namespace zt::letter
