// Start-up, the settings file and shutdown.

#include "app/ProgramLocation.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "export/QRExportLibrary.h"
#include "letter/state/DateTexts.h"
#include "letter/state/Forms.h"
#include "letter/state/ProgramState.h"
#include "letter/window/TFrmMain.h"
#include "letter/controls/TMemo.h"
#include "output/uFrmReport.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/files/FileAccess.h"
#include "support/DialogScript.h"
#include "support/OffscreenScreen.h"
#include "support/QtWidgetApp.h"
#include "support/ScratchFolder.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <optional>
#include <sys/stat.h>

namespace fs = std::filesystem;
using namespace zt;

namespace {

// The screen the checks under Xvfb use: the window's bounds are fitted into
// the screen, and the offscreen default (800 x 600) is smaller than the form.
[[maybe_unused]] const bool kScreen = zt::testing::useOffscreenScreen(1280, 1024);

class StartupTest : public ::testing::Test {
protected:
    StartupTest() : scoped_(dialogs)
    {
        zt::testing::ensureWidgetApplication();
        letter::resetProgramState();
    }

    std::string dir() const { return scratch.dir(); }
    std::string ini() const { return dir() + "ZLW.INI"; }
    void writeIni(const std::string& text) const { std::ofstream(ini(), std::ios::binary) << text; }
    std::string readIni() const { return platform::files::readFileBytes(ini()); }

    zt::testing::ScratchFolder scratch{"zt-startup"};
    const fs::path& folder = scratch.path();
    platform::ScriptedDialogs dialogs;
    zt::testing::DialogScriptCheck scriptCheck_{dialogs};

private:
    platform::ScopedUserDialogs scoped_;
};

// HOME set for the lifetime of the object, and the program state reset
// under it, so the dialogs' first folder is known.
class ScopedHome {
public:
    explicit ScopedHome(const char* home)
    {
        if (const char* old = std::getenv("HOME"))
            old_ = old;
        ::setenv("HOME", home, 1);
        letter::resetProgramState();
    }
    ~ScopedHome()
    {
        if (old_)
            ::setenv("HOME", old_->c_str(), 1);
        else
            ::unsetenv("HOME");
    }

private:
    std::optional<std::string> old_;
};

struct Bounds {
    int left, top, width, height;
    bool operator==(const Bounds&) const = default;
};

Bounds boundsOf(const letter::TFrmMain& f)
{
    return {f.Left(), f.Top(), f.Width(), f.Height()};
}

void PrintTo(const Bounds& b, std::ostream* os)
{
    *os << b.left << "," << b.top << " " << b.width << "x" << b.height;
}

} // namespace

TEST_F(StartupTest, WithoutSettingsTheWindowStartsAtTenTenTallEnoughForTheWholeForm)
{
    ScopedHome home("/home/anna");
    app::ZettelinoProgram program(dir());
    program.Start();
    // Offscreen there is no frame: the designed client width is the outer one.
    EXPECT_EQ(boundsOf(program.FrmMain()), (Bounds{10, 10, letter::TFrmMain::kDesignedClientWidth, 620}));
    // The whole form shows, with room for eight message lines or more.
    letter::TFrmMain& frm = program.FrmMain();
    frm.show();
    QApplication::processEvents();
    EXPECT_GE(frm.centralWidget()->height(), frm.centralWidget()->minimumHeight());
    const int textHeight = frm.MemoMitteilung->viewport()->height();
    EXPECT_GE(textHeight / frm.MemoMitteilung->fontMetrics().lineSpacing(), 8);
    frm.hide();
    EXPECT_EQ(letter::LastDir, "/home/anna/"); // the dialogs start at home
    EXPECT_EQ(program.FrmMain().windowTitle().toStdString(), "Zettelino");
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(StartupTest, StartSetsTheProgramWideStateAndCreatesTheFiveWindows)
{
    app::ZettelinoProgram program(dir());
    program.Start();
    EXPECT_EQ(letter::ShortDateFormat, "dd.mm.yyyy");
    EXPECT_EQ(letter::FormatShortDate(2015, 12, 8), "08.12.2015");
    EXPECT_EQ(platform::applicationTitle(), "Zettelino für Windows");
    EXPECT_EQ(letter::ProgramDir, dir());
    EXPECT_EQ(letter::FrmMain, &program.FrmMain());
    // The auxiliary windows wait like the report form (below).
    EXPECT_EQ(letter::FrmKalender, nullptr);
    letter::EnsureAuxiliaryWindows();
    EXPECT_NE(letter::frmTextbausteine, nullptr);
    EXPECT_NE(letter::AboutBox, nullptr);
    EXPECT_NE(letter::FrmKalender, nullptr);
    // The report form asks the print system for its paper: it waits for
    // the window's first paint, or comes as soon as a command asks for it.
    EXPECT_EQ(letter::frmReport, nullptr);
    output::TfrmReport* form = letter::ReportForm();
    ASSERT_NE(form, nullptr);
    EXPECT_EQ(letter::frmReport, form);
    EXPECT_EQ(letter::ReportForm(), form);
}

TEST_F(StartupTest, WorkForAfterTheFirstPaintWaitsForIt)
{
    app::ZettelinoProgram program(dir());
    program.Start();
    int ran = 0;
    program.FrmMain().AfterFirstPaint([&] { ++ran; });
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, 0); // not shown yet
    program.FrmMain().show();
    for (int i = 0; i < 50 && ran == 0; ++i)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    EXPECT_EQ(ran, 1);
    program.FrmMain().AfterFirstPaint([&] { ran += 10; });
    EXPECT_EQ(ran, 11); // once painted, at once
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, 11);
}

TEST_F(StartupTest, StartRegistersThePdfFilterForThePreviewsSave)
{
    app::ZettelinoProgram program(dir());
    program.Start();
    const auto& library = exporting::QRExportFilterLibrary();
    EXPECT_EQ(library.SaveDialogFilterString(), "Bandoria-Datei(*.QRP)|*.QRP|PDF document (*.PDF)|*.PDF");
    const auto* entry = library.GetFilterByExtension("pdf");
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->FilterName(), "PDF document");
    // The report's preview preselects this type.
    EXPECT_EQ(letter::ReportForm()->BandoriaRep1->PreviewDefaultSaveType, report::TPrevSaveType::stPDF);
}

TEST_F(StartupTest, ClosingWritesTheSettingsInOrder)
{
    {
        app::ZettelinoProgram program(dir());
        program.Start();
        letter::LastDir = "/home/anna/briefe/";
        program.Finish();
    }
    EXPECT_EQ(readIni(), "[Setup]\r\npath_data=/home/anna/briefe/\r\n[foMain]\r\nleft=10\r\ntop=10\r\n"
                         "height=620\r\nwidth=664\r\n");
}

TEST_F(StartupTest, APlatformWithoutWindowPlacesKeepsTheStoredPlace)
{
    // Wayland tells no window where it is; its made-up place must not reach
    // the file, or the next start on X11 puts the title bar off the screen.
    writeIni("[foMain]\r\nleft=40\r\ntop=30\r\nheight=640\r\nwidth=700\r\n");
    app::ZettelinoProgram program(dir());
    program.Start();
    program.FrmMain().SetLeft(-3);
    program.FrmMain().SetTop(-30);
    letter::LastDir = "/srv/post/";
    app::WriteSettings(program.FrmMain(), ini(), false);
    EXPECT_EQ(readIni(), "[foMain]\r\nleft=40\r\ntop=30\r\nheight=640\r\nwidth=700\r\n[Setup]\r\n"
                         "path_data=/srv/post/\r\n");
    EXPECT_TRUE(app::PlatformGivesWindowPlaces()); // offscreen, as X11, does
}

TEST_F(StartupTest, ASecondStartRestoresMovedAndResizedBounds)
{
    {
        app::ZettelinoProgram program(dir());
        program.Start();
        program.FrmMain().SetLeft(120);
        program.FrmMain().SetTop(80);
        program.FrmMain().SetWidth(900);
        program.FrmMain().SetHeight(640);
        program.Finish();
    }
    letter::resetProgramState();
    app::ZettelinoProgram second(dir());
    second.Start();
    EXPECT_EQ(boundsOf(second.FrmMain()), (Bounds{120, 80, 900, 640}));
}

TEST_F(StartupTest, StoredBoundsBelowTheMinimumAreRaisedToIt)
{
    writeIni("[foMain]\nleft=50\ntop=60\nheight=200\nwidth=300\n");
    app::ZettelinoProgram program(dir());
    program.Start();
    const letter::TFrmMain& frm = program.FrmMain();
    EXPECT_GT(frm.minimumWidth(), 300);
    EXPECT_GT(frm.minimumHeight(), 200);
    EXPECT_EQ(boundsOf(frm), (Bounds{50, 60, frm.minimumWidth(), frm.minimumHeight()}));
}

TEST_F(StartupTest, ALeftThatIsNoNumberFallsBackAndTheRestStillApplies)
{
    writeIni("[Setup]\npath_data=/srv/post/\n[foMain]\nleft=abc\ntop=33\nheight=520\nwidth=710\n");
    app::ZettelinoProgram program(dir());
    program.Start();
    EXPECT_EQ(boundsOf(program.FrmMain()), (Bounds{10, 33, 710, 520}));
    EXPECT_EQ(letter::LastDir, "/srv/post/");
}

TEST_F(StartupTest, AnEmptyPathGivesAnEmptyLastDirAndIsWrittenBackEmpty)
{
    writeIni("[setup]\nPATH_DATA=\n");
    app::ZettelinoProgram program(dir());
    program.Start();
    EXPECT_EQ(letter::LastDir, "");
    program.Finish();
    EXPECT_EQ(readIni(), "[setup]\r\npath_data=\r\n[foMain]\r\nleft=10\r\ntop=10\r\nheight=620\r\nwidth=664\r\n");
}

TEST_F(StartupTest, AReadOnlySettingsFileStaysUnchangedAndTheProgramEndsNormally)
{
    const std::string original = "[foMain]\r\nleft=44\r\n";
    writeIni(original);
    ::chmod(ini().c_str(), 0444);
    app::ZettelinoProgram program(dir());
    program.Start();
    EXPECT_EQ(program.FrmMain().Left(), 44);
    program.FrmMain().SetLeft(300);
    program.Finish();
    EXPECT_EQ(readIni(), original);
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(StartupTest, AnUnreadableSettingsFileIsIgnored)
{
    fs::create_directory(ini()); // a folder where the file should be cannot be read as one
    ScopedHome home("/home/anna");
    app::ZettelinoProgram program(dir());
    program.Start();
    // Nothing applied: the window keeps its designed client area.
    EXPECT_EQ(program.FrmMain().centralWidget()->size(), QSize(664, 471));
    EXPECT_EQ(letter::LastDir, "/home/anna/");
    program.Finish();
    EXPECT_TRUE(dialogs.calls().empty());
}

TEST_F(StartupTest, ThePhraseFileInTheProgramFolderFillsThePicker)
{
    std::ofstream(dir() + "zlwtext.txt", std::ios::binary) << "Gru\xDF\r\nHallo \r\n";
    app::ZettelinoProgram program(dir());
    program.Start();
    QComboBox* picker = program.FrmMain().ComboBox1;
    ASSERT_EQ(picker->count(), 2);
    EXPECT_EQ(picker->itemText(0).toStdString(), "Gruß");
    EXPECT_EQ(picker->itemText(1).toStdString(), "Hallo ");
    EXPECT_EQ(picker->currentText().toStdString(), "<Textbaustein auswählen>");
}

TEST_F(StartupTest, WithoutAPhraseFileThePickerOffersTheThirteenBuiltInPhrases)
{
    app::ZettelinoProgram program(dir());
    program.Start();
    QComboBox* picker = program.FrmMain().ComboBox1;
    ASSERT_EQ(picker->count(), 13);
    EXPECT_EQ(picker->itemText(0).toStdString(), "Sehr geehrter Herr ");
    EXPECT_EQ(picker->itemText(12).toStdString(), "Ciao");
    EXPECT_EQ(picker->maxVisibleItems(), 12);
}

TEST_F(StartupTest, AProgramFolderThatCannotBeWrittenGivesWayToTheUserConfigFolder)
{
    EXPECT_EQ(app::chooseProgramDir(dir()), dir());
    const char* old = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = old ? old : "";
    ::setenv("XDG_CONFIG_HOME", (folder / "config").c_str(), 1);
    const std::string chosen = app::chooseProgramDir("/nonexistent/zettelino/bin/");
    EXPECT_EQ(chosen, (folder / "config").string() + "/zettelino/");
    EXPECT_TRUE(fs::is_directory(chosen));
    // An installed program's bin folder is never taken, even when this
    // user (root, say) may write there.
    fs::create_directory(folder / "bin");
    EXPECT_EQ(app::chooseProgramDir((folder / "bin").string()), chosen);
    EXPECT_EQ(app::chooseProgramDir((folder / "bin/").string()), chosen);
    if (old)
        ::setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        ::unsetenv("XDG_CONFIG_HOME");
}

TEST_F(StartupTest, TheToolkitsOwnTextsAreGermanWhateverTheLocaleSays)
{
    // The suite runs under whatever LANG the machine has; the catalogue is
    // chosen by name, so English system settings make no difference.
    app::ZettelinoProgram program(dir());
    program.Start();
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "&Yes").toStdString(), "&Ja");
    EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel").toStdString(), "Abbrechen");
    const char* replace = "%1 already exists.\nDo you want to replace it?";
    EXPECT_NE(QCoreApplication::translate("QFileDialog", replace).toStdString(), replace);
    EXPECT_EQ(QCoreApplication::translate("QFileDialog", "Save As").toStdString(), "Speichern unter");
    // The standard context menu, as the phrase picker's text field shows it.
    std::unique_ptr<QMenu> menu(program.FrmMain().ComboBox1->lineEdit()->createStandardContextMenu());
    QStringList captions; // without the shortcuts shown after a tab
    for (QAction* action : menu->actions())
        if (!action->isSeparator())
            captions << action->text().section('\t', 0, 0);
    EXPECT_TRUE(captions.contains("&Kopieren")) << captions.join(", ").toStdString();
    EXPECT_TRUE(captions.contains(QString::fromUtf8("Alles auswählen"))) << captions.join(", ").toStdString();
}

TEST(DateTexts, ShortDateFormatTokens)
{
    const std::string saved = letter::ShortDateFormat;
    letter::ShortDateFormat = "dd.mm.yyyy";
    EXPECT_EQ(letter::FormatShortDate(2015, 4, 27), "27.04.2015");
    letter::ShortDateFormat = "d.m.yy";
    EXPECT_EQ(letter::FormatShortDate(2015, 4, 7), "7.4.15");
    letter::ShortDateFormat = "yyyy-mm-dd";
    EXPECT_EQ(letter::FormatShortDate(2009, 1, 2), "2009-01-02");
    letter::ShortDateFormat = saved;
    EXPECT_FALSE(letter::TimeText().empty());
}
