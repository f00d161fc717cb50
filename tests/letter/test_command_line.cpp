// The program's command line: the options, and a file named on it opened
// as Open or the preview's "Bericht laden" opens one.

#include "app/CommandLine.h"
#include "app/Startup.h"
#include "letter/state/ProgramState.h"
#include "letter/window/TFrmMain.h"
#include "letter/controls/TMemo.h"
#include "output/LetterPrint.h"
#include "pages/QRPrinter.h"
#include "preview/TQRStandardPreview.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "platform/files/FileAccess.h"
#include "support/DialogScript.h"
#include "support/QtWidgetApp.h"
#include "support/ScratchFolder.h"

#include <QAction>
#include <QApplication>
#include <QGuiApplication>
#include <QScreen>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace fs = std::filesystem;
using namespace zt;
using platform::DialogCall;

namespace {

const std::string kLetters = ZT_TEST_DATA;
const std::string kPages = ZT_TEST_DATA "/../../data/pages";
const char* const kOpenFailure = "Fehler beim Öffnen!\n"
                                  "Möglicherweise wurde der Zettelino mit einer älteren Programmversion erstellt.\n"
                                  "Versuchen Sie die ggf. über \"Zettelino|Öffnen alte Version...\" fortzufahren";

// What Open leaves behind, to compare the two ways in.
struct OpenEffects {
    files::TLetterContent letter;
    std::string currentFile, caption, panel, lastDir;
    bool saved;
    std::vector<std::string> messages;
    std::vector<platform::TMsgDlgType> types;
};

OpenEffects effectsOf(const letter::TFrmMain& frm, const platform::ScriptedDialogs& dialogs)
{
    OpenEffects e{frm.LetterContent(), letter::CurrentFile, frm.windowTitle().toStdString(),
                  frm.PanelText(2), letter::LastDir, letter::LetterSaved, {}, {}};
    for (const DialogCall& c : dialogs.calls(DialogCall::Kind::Message)) {
        e.messages.push_back(c.text);
        e.types.push_back(c.type);
    }
    return e;
}

void expectSame(const OpenEffects& a, const OpenEffects& b)
{
    EXPECT_EQ(a.letter.absender, b.letter.absender);
    EXPECT_EQ(a.letter.anschrift, b.letter.anschrift);
    EXPECT_EQ(a.letter.mitteilung, b.letter.mitteilung);
    EXPECT_EQ(a.letter.marks, b.letter.marks);
    EXPECT_EQ(a.letter.titel1, b.letter.titel1);
    EXPECT_EQ(a.letter.datum, b.letter.datum);
    EXPECT_EQ(a.currentFile, b.currentFile);
    EXPECT_EQ(a.caption, b.caption);
    EXPECT_EQ(a.panel, b.panel);
    EXPECT_EQ(a.lastDir, b.lastDir);
    EXPECT_EQ(a.saved, b.saved);
    EXPECT_EQ(a.messages, b.messages);
    EXPECT_EQ(a.types, b.types);
}

class CommandLineOpenTest : public ::testing::Test {
protected:
    CommandLineOpenTest() : scoped_(dialogs)
    {
        zt::testing::ensureWidgetApplication();
        letter::resetProgramState();
    }

    // Opens `path` once through Open's dialog and once as named on the
    // command line, each in a fresh program; returns both effects. Each way
    // is expected to show `okBoxes` boxes with only an OK button.
    std::pair<OpenEffects, OpenEffects> bothWays(const std::string& dialogAnswer, const std::string& named,
                                                 int okBoxes = 0)
    {
        OpenEffects viaDialog, viaCommandLine;
        {
            app::ZettelinoProgram program(scratch.dir());
            program.Start();
            dialogs.answerOpen(dialogAnswer);
            for (int i = 0; i < okBoxes; ++i)
                dialogs.answerMessage(platform::mrOk);
            program.FrmMain().OeffnenExecute();
            viaDialog = effectsOf(program.FrmMain(), dialogs);
        }
        zt::testing::expectDialogScriptKept(dialogs);
        dialogs.clear();
        letter::resetProgramState();
        {
            app::ZettelinoProgram program(scratch.dir());
            program.Start();
            for (int i = 0; i < okBoxes; ++i)
                dialogs.answerMessage(platform::mrOk);
            program.OpenFile(named);
            viaCommandLine = effectsOf(program.FrmMain(), dialogs);
        }
        return {viaDialog, viaCommandLine};
    }

    static std::vector<preview::TQRStandardPreview*> previews()
    {
        std::vector<preview::TQRStandardPreview*> found;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<preview::TQRStandardPreview*>(w); p != nullptr && p->isVisible())
                found.push_back(p);
        return found;
    }

    zt::testing::ScratchFolder scratch{"zt-cmdline", true};
    platform::ScriptedDialogs dialogs;
    zt::testing::DialogScriptCheck scriptCheck_{dialogs};

private:
    platform::ScopedUserDialogs scoped_;
};

} // namespace

TEST(CommandLine, OneFileOrHelpOrVersion)
{
    EXPECT_EQ(app::parseCommandLine({}).file, "");
    EXPECT_TRUE(app::parseCommandLine({}).errors.empty());
    EXPECT_EQ(app::parseCommandLine({"brief.ZLW"}).file, "brief.ZLW");
    EXPECT_TRUE(app::parseCommandLine({"--help"}).help);
    EXPECT_TRUE(app::parseCommandLine({"-h"}).help);
    EXPECT_TRUE(app::parseCommandLine({"--version"}).version);
    EXPECT_FALSE(app::parseCommandLine({"--version"}).help);
    const auto dashed = app::parseCommandLine({"--", "-brief.ZLW"});
    EXPECT_EQ(dashed.file, "-brief.ZLW");
    EXPECT_TRUE(dashed.errors.empty());
    EXPECT_FALSE(app::parseCommandLine({"--", "--help"}).help);
}

TEST(CommandLine, UnknownOptionsAndASecondFileAreUsageErrors)
{
    EXPECT_EQ(app::parseCommandLine({"--frobnicate"}).errors,
              std::vector<std::string>{"unbekannte Option: --frobnicate"});
    EXPECT_EQ(app::parseCommandLine({"a.ZLW", "b.ZLW"}).errors,
              std::vector<std::string>{"unerwartetes Argument: b.ZLW"});
}

TEST(CommandLine, HelpAndVersionAreFoundBeforeTheToolkitStarts)
{
    char prog[] = "zettelino", help[] = "--help", version[] = "--version", file[] = "a.ZLW", dashes[] = "--";
    char* withHelp[] = {prog, file, help};
    char* withVersion[] = {prog, version};
    char* plain[] = {prog, file};
    char* afterDashes[] = {prog, dashes, help};
    EXPECT_TRUE(app::asksForHelpOrVersion(3, withHelp));
    EXPECT_TRUE(app::asksForHelpOrVersion(2, withVersion));
    EXPECT_FALSE(app::asksForHelpOrVersion(2, plain));
    EXPECT_FALSE(app::asksForHelpOrVersion(3, afterDashes));
}

TEST(CommandLine, TheVersionIsTheBuildsAndTheUsageNamesTheOptions)
{
    EXPECT_EQ(app::programVersion("zettelino"), std::string("zettelino ") + ZT_VERSION + "\n");
    const std::string usage = app::programUsage();
    for (const char* s : {"Aufruf: zettelino [DATEI]", "--help", "--version", "Rückgabewert"})
        EXPECT_NE(usage.find(s), std::string::npos) << s;
}

TEST_F(CommandLineOpenTest, ALetterOpensAsIfChosenInOpensDialog)
{
    const std::string path = kLetters + "/letter18.ZLW";
    const auto [viaDialog, viaCommandLine] = bothWays(path, path);
    expectSame(viaDialog, viaCommandLine);
    EXPECT_EQ(viaCommandLine.currentFile, path);
    EXPECT_EQ(viaCommandLine.caption, "Zettelino - [ " + path + "]");
    EXPECT_EQ(viaCommandLine.panel, "letter18.ZLW");
    EXPECT_EQ(viaCommandLine.letter.absender.at(0), "Max Mustermann");
    EXPECT_TRUE(viaCommandLine.messages.empty());
}

TEST_F(CommandLineOpenTest, ARelativeNameBecomesTheFullNameTheDialogWouldGive)
{
    fs::copy_file(kLetters + "/letter18.ZLW", "brief.zlw");
    const std::string full = (fs::current_path() / "brief.zlw").string();
    const auto [viaDialog, viaCommandLine] = bothWays(full, "./brief.zlw");
    expectSame(viaDialog, viaCommandLine);
    EXPECT_EQ(viaCommandLine.currentFile, full);
    EXPECT_EQ(viaCommandLine.lastDir, platform::files::folderOf(full));
}

TEST_F(CommandLineOpenTest, AnUnreadableLetterGivesOpensMessageAndChangesNothing)
{
    const std::string path = kLetters + "/pastend.ZLW";
    const auto [viaDialog, viaCommandLine] = bothWays(path, path, 1);
    expectSame(viaDialog, viaCommandLine);
    ASSERT_EQ(viaCommandLine.messages.size(), 1u);
    EXPECT_EQ(viaCommandLine.messages[0], kOpenFailure);
    EXPECT_EQ(viaCommandLine.currentFile, "");
    EXPECT_EQ(viaCommandLine.caption, "Zettelino");
}

TEST_F(CommandLineOpenTest, AMissingLetterGivesOpensMessage)
{
    const std::string path = kLetters + "/no-such-letter.ZLW";
    const auto [viaDialog, viaCommandLine] = bothWays(path, path, 1);
    expectSame(viaDialog, viaCommandLine);
    ASSERT_EQ(viaCommandLine.messages.size(), 1u);
    EXPECT_EQ(viaCommandLine.messages[0], kOpenFailure);
    EXPECT_EQ(viaCommandLine.currentFile, "");
}

TEST_F(CommandLineOpenTest, AnyNameBeginningLikeALetterFileOpensAsOne)
{
    std::ofstream("brief.txt", std::ios::binary)
        << "\xEF\xBB\xBFZLVersion=1.8\r\nAbsLines=1\r\nAnsLines=0\r\nMitLines=0\r\nAnna\r\n";
    app::ZettelinoProgram program(scratch.dir());
    program.Start();
    program.OpenFile("brief.txt");
    EXPECT_EQ(program.FrmMain().MemoAbsender->Lines(), std::vector<std::string>{"Anna"});
    EXPECT_EQ(program.SavedReport(), nullptr);
    EXPECT_TRUE(previews().empty());
}

TEST_F(CommandLineOpenTest, ASavedReportFileOpensThePreviewWithItsPages)
{
    const std::string path = kPages + "/many_pages_120.qrp";
    app::ZettelinoProgram program(scratch.dir());
    program.Start();
    program.OpenFile(path);
    EXPECT_TRUE(dialogs.calls().empty());
    ASSERT_NE(program.SavedReport(), nullptr);
    EXPECT_GT(program.SavedReport()->PageCount(), 1);
    const auto open = previews();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0]->QRPrinterOf(), program.SavedReport());
    EXPECT_EQ(open[0]->windowTitle().toStdString(),
              "Bericht Vorschau : " + fs::absolute(path).lexically_normal().string());
    // The letter window is as at a plain start.
    EXPECT_EQ(letter::CurrentFile, "");
    EXPECT_EQ(program.FrmMain().windowTitle().toStdString(), "Zettelino");
    // Placed as the letter's preview is, frame included, the whole page in view.
    QApplication::processEvents();
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    const auto place = output::PreviewPlacementFor(screen.width(), screen.height());
    EXPECT_EQ(open[0]->frameGeometry(), QRect(place.left, place.top, place.width, place.height));
    EXPECT_EQ(open[0]->QRPreview->ZoomState(), report::TQRZoomState::qrZoomToFit);
    EXPECT_TRUE(open[0]->ZoomFit->isChecked());
}

TEST_F(CommandLineOpenTest, ASavedReportFileCutShortIsRefusedAsTheBatchToolRefusesIt)
{
    const std::string path = scratch.dir() + "kurz.QRP";
    fs::copy_file(kPages + "/many_pages_120.qrp", path);
    fs::resize_file(path, fs::file_size(path) - 40);
    app::ZettelinoProgram program(scratch.dir());
    program.Start();
    dialogs.answerMessage(platform::mrOk);
    program.OpenFile(path);
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].type, platform::TMsgDlgType::mtError);
    EXPECT_NE(dialogs.calls()[0].text.find("Die Datei „" + path + "“ ist beschädigt"), std::string::npos)
        << dialogs.calls()[0].text;
    EXPECT_EQ(program.SavedReport(), nullptr);
    EXPECT_TRUE(previews().empty());
}

TEST_F(CommandLineOpenTest, ASecondSavedReportReplacesTheFirstsPreview)
{
    app::ZettelinoProgram program(scratch.dir());
    program.Start();
    program.OpenFile(kPages + "/many_pages_120.qrp");
    program.OpenFile(kPages + "/one_page_120.qrp");
    const auto open = previews();
    ASSERT_EQ(open.size(), 1u);
    EXPECT_EQ(open[0]->QRPrinterOf(), program.SavedReport());
    EXPECT_EQ(program.SavedReport()->PageCount(), 1);
}

TEST_F(CommandLineOpenTest, AMissingSavedReportFileSaysSoAsTheLoadButtonDoes)
{
    app::ZettelinoProgram program(scratch.dir());
    program.Start();
    dialogs.answerMessage(platform::mrOk);
    program.OpenFile("kein-bericht.QRP");
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].kind, DialogCall::Kind::Plain);
    EXPECT_EQ(dialogs.calls()[0].text, "Die Datei existiert nicht");
    EXPECT_EQ(program.SavedReport(), nullptr);
    EXPECT_TRUE(previews().empty());
}

TEST_F(CommandLineOpenTest, AnUnreadableSavedReportFileGoesToTheErrorBoxWithoutAPreview)
{
    std::ofstream("kaputt.QRP", std::ios::binary) << "kein Bericht";
    app::ZettelinoProgram program(scratch.dir());
    program.Start();
    dialogs.answerMessage(platform::mrOk);
    program.OpenFile("kaputt.QRP");
    ASSERT_EQ(dialogs.calls().size(), 1u);
    EXPECT_EQ(dialogs.calls()[0].kind, DialogCall::Kind::Message);
    EXPECT_EQ(dialogs.calls()[0].type, platform::TMsgDlgType::mtError);
    EXPECT_EQ(dialogs.calls()[0].buttons, platform::mbOK);
    EXPECT_EQ(dialogs.calls()[0].text, "Ungültige Berichtsdatei: kürzer als ihr Kopf");
    EXPECT_EQ(program.SavedReport(), nullptr);
    EXPECT_TRUE(previews().empty());
}
