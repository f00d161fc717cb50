// The command list of the main window and the menu bar, toolbar and popup
// menu bound to it.

#include "letter/window/TFrmMain.h"
#include "letter/window/Images.h"
#include "platform/qt/QtText.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QToolBar>
#include <QToolButton>

namespace zt::letter {

namespace {

using platform::qt::u;

// An entry that shows a command under a caption of its own: it runs the
// command and follows its visibility and enabled state.
QAction* mirror(QAction* command, const char* caption, const QString& suffix, QObject* parent)
{
    auto* shown = new QAction(command->icon(), u(caption), parent);
    shown->setObjectName(command->objectName() + suffix);
    shown->setToolTip(command->toolTip());
    shown->setStatusTip(command->statusTip());
    shown->setVisible(command->isVisible());
    QObject::connect(command, &QAction::changed, shown, [command, shown] {
        shown->setVisible(command->isVisible());
        shown->setEnabled(command->isEnabled());
    });
    QObject::connect(shown, &QAction::triggered, command, &QAction::trigger);
    return shown;
}

} // namespace

void TFrmMain::createCommands()
{
    struct Command {
        QAction** field;
        const char* name;
        const char* caption;
        const char* hint;
        int image;
        QKeySequence shortcut;
    };
    const Command commands[] = {
        {&Neu, "Neu", "Neu", "Neuen Zettelino anlegen", 0, QKeySequence(Qt::CTRL | Qt::Key_N)},
        {&Oeffnen, "Oeffnen", "Öffnen", "Zettelino öffnen", 1, QKeySequence(Qt::CTRL | Qt::Key_O)},
        {&Speichern, "Speichern", "Speichern", "Zettelino speichern", 2, QKeySequence(Qt::CTRL | Qt::Key_S)},
        {&SpeichernUnter, "SpeichernUnter", "Speichern unter...", "Speichern unter", 2, {}},
        {&Drucken, "Drucken", "Drucken", "Zettelino drucken", 3, {}},
        {&DruckenMitDialog, "DruckenMitDialog", "Drucken...", "Zettelino drucken: Drucker, Exemplare, Seiten", 3,
         QKeySequence(Qt::CTRL | Qt::Key_P)},
        {&Druckvorschau, "Druckvorschau", "Vorschau", "Druckvorschau", 6, {}},
        {&Editor, "Editor", "Editor", "mit Editor öffnen", 7, {}},
        {&Word, "Word", "mit Word öffnen...", "mit Word öffnen", 4, {}},
        {&EMail, "EMail", "als E-Mail senden...", "als E-Mail versenden", 5, {}},
        {&Textbausteine, "Textbausteine", "Textbausteine", "Textbausteine editieren", 9, {}},
        {&Kalender, "Kalender", "Kalender", "Kalender anzeigen", 8, {}},
        {&EMailPdf, "EMailPdf", "Als PDF per E-Mail senden...", "Kurzmitteilung als PDF per E-Mail senden", 5, {}},
        {&Serienbrief, "Serienbrief", "Serienbrief...", "Serienbrief an die Empfänger einer Adressliste", 6, {}},
    };
    for (const Command& c : commands) {
        auto* action = new QAction(commandImage(c.image), u(c.caption), this);
        action->setObjectName(c.name);
        action->setToolTip(u(c.hint));
        action->setStatusTip(QString::fromStdString(GetLongHint(c.hint)));
        action->setProperty("ImageIndex", c.image);
        if (!c.shortcut.isEmpty())
            action->setShortcut(c.shortcut);
        addAction(action); // shortcuts work while the menu is closed
        *c.field = action;
        ActionList1.append(action);
    }
    // Present, but nothing makes these two visible.
    Word->setVisible(false);
    EMail->setVisible(false);

    auto bind = [this](QAction* action, void (TFrmMain::*handler)()) {
        connect(action, &QAction::triggered, this, [this, handler] { Guarded([&] { (this->*handler)(); }); });
    };
    bind(Neu, &TFrmMain::NeuExecute);
    bind(Oeffnen, &TFrmMain::OeffnenExecute);
    connect(Speichern, &QAction::triggered, this, [this] { Guarded([&] { SpeichernExecute(Speichern); }); });
    connect(SpeichernUnter, &QAction::triggered, this,
            [this] { Guarded([&] { SpeichernExecute(SpeichernUnter); }); });
    bind(Drucken, &TFrmMain::DruckenExecute);
    bind(DruckenMitDialog, &TFrmMain::DruckenMitDialogExecute);
    bind(Druckvorschau, &TFrmMain::DruckvorschauExecute);
    bind(Editor, &TFrmMain::EditorExecute);
    bind(Word, &TFrmMain::WordExecute);
    bind(EMail, &TFrmMain::EMailExecute);
    bind(Textbausteine, &TFrmMain::TextbausteineExecute);
    bind(Kalender, &TFrmMain::KalenderExecute);
    bind(EMailPdf, &TFrmMain::EMailPdfExecute);
    bind(Serienbrief, &TFrmMain::SerienbriefExecute);

    createMenus();

    // Toolbar, left to right.
    auto button = [this](QAction* action, const char* caption = nullptr) {
        QAction* shown = caption ? mirror(action, caption, "Button", ToolBar1) : action;
        ToolBar1->addAction(shown);
        if (QWidget* w = ToolBar1->widgetForAction(shown))
            w->setFixedSize(55, 36);
    };
    button(Neu);
    button(Oeffnen);
    button(Speichern);
    ToolBar1->addSeparator();
    button(Druckvorschau);
    button(Drucken);
    ToolBar1->addSeparator();
    button(Editor);
    button(EMailPdf, "PDF-Mail");
    button(Word, "Word");
    button(EMail, "E-Mail");
}

void TFrmMain::createMenus()
{
    auto entry = [](QMenu* menu, QAction* command, const char* caption) {
        menu->addAction(caption ? mirror(command, caption, "Item", menu) : command);
    };

    MainMenuZettelino = menuBar()->addMenu(u("&Zettelino"));
    MainMenuZettelino->setObjectName("Zettelino1");
    entry(MainMenuZettelino, Neu, nullptr);
    entry(MainMenuZettelino, Oeffnen, nullptr);
    OeffnenAlt = MainMenuZettelino->addAction(commandImage(1), u("Öffnen alte Version..."));
    OeffnenAlt->setObjectName("OeffnenAlt");
    OeffnenAlt->setStatusTip(u("Zettelino einer älteren Programmversion öffnen"));
    connect(OeffnenAlt, &QAction::triggered, this, [this] { Guarded([&] { OeffnenAltExecute(); }); });
    ZuletztGeoeffnet = MainMenuZettelino->addMenu(u("&Zuletzt geöffnet"));
    ZuletztGeoeffnet->setObjectName("ZuletztGeoeffnet");
    connect(MainMenuZettelino, &QMenu::aboutToShow, this, [this] { fillRecentMenu(); });
    fillRecentMenu();
    MainMenuZettelino->addSeparator();
    entry(MainMenuZettelino, Speichern, nullptr);
    entry(MainMenuZettelino, SpeichernUnter, nullptr);
    MainMenuZettelino->addSeparator();
    entry(MainMenuZettelino, Drucken, nullptr);
    entry(MainMenuZettelino, DruckenMitDialog, nullptr);
    entry(MainMenuZettelino, Druckvorschau, "Druckvorschau");
    entry(MainMenuZettelino, Serienbrief, nullptr);
    MainMenuZettelino->addSeparator();
    entry(MainMenuZettelino, Editor, "mit Editor öffnen...");
    entry(MainMenuZettelino, EMailPdf, nullptr);
    entry(MainMenuZettelino, Word, nullptr);
    entry(MainMenuZettelino, EMail, nullptr);
    MainMenuZettelino->addSeparator();
    Beenden1 = MainMenuZettelino->addAction(u("B&eenden"));
    Beenden1->setObjectName("Beenden1");
    Beenden1->setStatusTip(u("Programm beenden"));
    connect(Beenden1, &QAction::triggered, this, [this] { Guarded([&] { Beenden1Click(); }); });

    MainMenuExtras = menuBar()->addMenu(u("Extras"));
    MainMenuExtras->setObjectName("Extras1");
    entry(MainMenuExtras, Textbausteine, nullptr);
    MainMenuExtras->addSeparator();
    entry(MainMenuExtras, Kalender, nullptr);
    MainMenuExtras->addSeparator();
    createSpellingEntry();

    MainMenuHilfe = menuBar()->addMenu(u("&?"));
    MainMenuHilfe->setObjectName("N1");
    Ueber1 = MainMenuHilfe->addAction(commandImage(10), u("&Über Zettelino"));
    Ueber1->setObjectName("berZettelino1");
    Ueber1->setStatusTip(u("Info über Zettelino für Windows"));
    connect(Ueber1, &QAction::triggered, this, [this] { Guarded([&] { Ueber1Click(); }); });

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName("PopupMenu1");
    Ausschneiden1 = PopupMenu1->addAction(u("&Ausschneiden"));
    Ausschneiden1->setObjectName("Ausschneiden1");
    Kopieren1 = PopupMenu1->addAction(u("&Kopieren"));
    Kopieren1->setObjectName("Kopieren1");
    Einfgen1 = PopupMenu1->addAction(u("&Einfügen"));
    Einfgen1->setObjectName("Einfgen1");
    connect(Ausschneiden1, &QAction::triggered, this, [this] { Guarded([&] { Ausschneiden1Click(); }); });
    connect(Kopieren1, &QAction::triggered, this, [this] { Guarded([&] { Kopieren1Click(); }); });
    connect(Einfgen1, &QAction::triggered, this, [this] { Guarded([&] { Einfgen1Click(); }); });
}

} // namespace zt::letter
