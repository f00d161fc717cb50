// The batch tool writes a letter's text, letter file, saved report file and
// PDF without a window; what it writes must be what the real window's
// commands write, byte for byte (but for the moment of writing), whatever
// the letter holds and whatever printer is installed.

#include "app/Startup.h"
#include "cli/BatchOptions.h"
#include "cli/LetterCommands.h"
#include "cli/WindowlessCommands.h"
#include "export/QRExportLibrary.h"
#include "files/LetterFile.h"
#include "letter/window/TFrmMain.h"
#include "pages/QRPageList.h"
#include "pages/QRPrinter.h"
#include "preview/TQRStandardPreview.h"
#include "output/WindowlessLetter.h"
#include "pages/QRPHeader.h"
#include "platform/printing/FakePrinterDriver.h"
#include "platform/text/TextFile.h"
#include "support/PageContent.h"
#include "support/PdfFile.h"
#include "support/QtWidgetApp.h"
#include "support/ScratchFolder.h"

#include <gtest/gtest.h>

#include <QApplication>

#include <fstream>
#include <regex>
#include <sstream>

using namespace zt;
namespace fs = std::filesystem;

namespace {

std::string readBytes(const fs::path& p)
{
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), {}};
}

// The moment of writing is the only thing two runs may differ in.
std::string withoutMoment(const fs::path& p)
{
    std::string bytes = readBytes(p);
    if (p.extension() == ".qrp" && bytes.size() >= pages::kQRPDateAt + 8)
        std::fill_n(bytes.begin() + pages::kQRPDateAt, 8, '\0');
    if (p.extension() == ".pdf")
        bytes = zt::testing::withoutInstants(std::move(bytes));
    return bytes;
}

struct Letter {
    std::vector<std::string> absender, anschrift, mitteilung;
    std::array<bool, 16> marks{};
    std::string titel1, titel2, sonst1, sonst2, datum;
};

class WindowlessLetter : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        zt::testing::ensureWidgetApplication();
        exporting::RegisterExportFilters();
    }
    void TearDown() override { platform::printing::setPrinterDriver(nullptr); }

    std::string write(const Letter& l)
    {
        files::TLetterContent c;
        c.absender = l.absender;
        c.anschrift = l.anschrift;
        c.mitteilung = l.mitteilung;
        for (std::size_t i = 0; i < l.marks.size(); ++i)
            c.marks[i] = l.marks[i];
        c.titel1 = l.titel1;
        c.titel2 = l.titel2;
        c.sonst1 = l.sonst1;
        c.sonst2 = l.sonst2;
        c.datum = l.datum;
        const std::string path = (scratch.path() / "brief.ZLW").string();
        platform::text::writeTextFile(path, files::LetterFileLines(c));
        return path;
    }

    cli::BatchOptions options(const std::string& letter, const fs::path& dir)
    {
        fs::create_directories(dir);
        return cli::parseBatchOptions({letter, "--text", (dir / "a.txt").string(), "--zlw", (dir / "a.ZLW").string(),
                                       "--qrp", (dir / "a.qrp").string(), "--pdf", (dir / "a.pdf").string()});
    }

    // Both ways, then every file compared.
    void expectSameOutputs(const std::string& letter)
    {
        std::ostringstream out, errWindow, errWindowless;
        const int byWindow = cli::runLetterCommands(options(letter, scratch.path() / "window"), out, errWindow);
        const auto without = cli::runLetterWithoutWindow(options(letter, scratch.path() / "without"), out, errWindowless);
        ASSERT_TRUE(without.has_value()) << "the letter should need no window";
        EXPECT_EQ(*without, byWindow);
        EXPECT_EQ(errWindowless.str(), errWindow.str());
        for (const char* name : {"a.txt", "a.ZLW", "a.qrp", "a.pdf"}) {
            SCOPED_TRACE(name);
            const fs::path a = scratch.path() / "window" / name, b = scratch.path() / "without" / name;
            ASSERT_TRUE(fs::exists(a));
            ASSERT_TRUE(fs::exists(b));
            EXPECT_TRUE(withoutMoment(a) == withoutMoment(b)) << "differs from the window's " << name;
        }
    }

    zt::testing::ScratchFolder scratch{"zt-windowless"};
};

Letter ordinary()
{
    Letter l;
    l.absender = {"Stadtverwaltung Musterhausen", "Bauamt, Zimmer 3.14", "Rathausplatz 1", "50667 Köln"};
    l.anschrift = {"Herrn", "Jürgen Weißmüller", "Hauptstraße 12a", "50999 Köln-Sürth"};
    for (int i = 0; i < 40; ++i)
        l.mitteilung.push_back(i % 7 == 3 ? "" : "Zeile " + std::to_string(i) + ": Bestätigung der Prüfung für Anfang €");
    l.marks[1] = l.marks[7] = l.marks[10] = l.marks[15] = true;
    l.titel1 = "Kurzmitteilung: Bauantrag";
    l.titel2 = "Ihr Schreiben vom 02.02.2025";
    l.sonst1 = "Rückfrage";
    l.sonst2 = "Pläne";
    l.datum = "Köln, 14.02.2025";
    return l;
}

TEST_F(WindowlessLetter, AnOrdinaryLetterGivesTheWindowsBytes)
{
    expectSameOutputs(write(ordinary()));
}

TEST_F(WindowlessLetter, LinesWiderThanTheirBoxWrapAsTheBoxesShowThem)
{
    Letter l = ordinary();
    const std::string word = "Donaudampfschifffahrtsgesellschaftskapitänsmützenabzeichen";
    l.absender = {"Ein Absender, dessen erste Zeile viel zu lang ist für das schmale Feld links oben", word + word,
                  "   führende und folgende Blanks   ", "      ", ""};
    l.anschrift = {std::string(200, 'x'), "a b c d e f g h i j k l m n o p q r s t u v w x y z ä ö ü ß Ä Ö Ü"};
    l.mitteilung.clear();
    const std::string ascii = "Donaudampfschifffahrtsgesellschaftskapitaensmuetzenabzeichen";
    for (int i = 0; i < 300; ++i)
        l.mitteilung.push_back(std::string(static_cast<std::size_t>(i % 13), ' ') + ascii.substr(0, static_cast<std::size_t>(i % 50)) +
                               " Wort " + std::to_string(i) + std::string(static_cast<std::size_t>(i % 90), 'm'));
    l.titel1 = std::string(120, 'T');
    l.sonst1 = "ein Sonstiges, länger als zwanzig Zeichen";
    expectSameOutputs(write(l));
}

TEST_F(WindowlessLetter, AnEmptyLetterGivesTheWindowsBytes)
{
    expectSameOutputs(write(Letter{}));
}

TEST_F(WindowlessLetter, AnInstalledPrinterChangesNothingTheWindowWouldNotChange)
{
    auto driver = platform::printing::installFakePrinterDriver();
    for (auto& p : driver->printers) {
        p.dpiX = p.dpiY = 300;
        p.offsetX = 77;
        p.offsetY = 131;
        p.defaults.dmPaperSize = platform::printing::DMPAPER_LETTER;
    }
    expectSameOutputs(write(ordinary()));
}

TEST_F(WindowlessLetter, TextTheBoxesWouldChangeIsLeftToTheWindow)
{
    for (const std::string odd : {"Tab\there", "no\u00A0break", "Steuer\x01zeichen", "\u2028", "\uFDD0", "\uFFFD",
                                  "\U0001F600"}) {
        SCOPED_TRACE(odd);
        Letter l = ordinary();
        l.mitteilung[2] = odd;
        const std::string path = write(l);
        std::ostringstream out, err;
        EXPECT_FALSE(cli::runLetterWithoutWindow(options(path, scratch.path() / "odd"), out, err).has_value());
        EXPECT_FALSE(fs::exists(scratch.path() / "odd" / "a.txt"));
    }
    Letter l = ordinary();
    l.titel2 = std::string(32768, 'z');
    std::ostringstream out, err;
    EXPECT_FALSE(cli::runLetterWithoutWindow(options(write(l), scratch.path() / "long"), out, err).has_value());
}

TEST_F(WindowlessLetter, AnUnreadableLetterGivesTheWindowsMessageAndStatus)
{
    const std::string path = (scratch.path() / "kaputt.ZLW").string();
    std::ofstream(path, std::ios::binary) << "ZLVersion=1.8\r\nAbsLines=7\r\n";
    std::ostringstream out, errWindow, errWindowless;
    const int byWindow = cli::runLetterCommands(options(path, scratch.path() / "w"), out, errWindow);
    const auto without = cli::runLetterWithoutWindow(options(path, scratch.path() / "n"), out, errWindowless);
    ASSERT_TRUE(without.has_value());
    EXPECT_EQ(byWindow, 3);
    EXPECT_EQ(*without, 3);
    EXPECT_EQ(errWindowless.str(), errWindow.str());
    EXPECT_EQ(errWindowless.str().rfind("zettelino-print: " + path + ": Fehler beim Öffnen!\n", 0), 0u);
}

TEST_F(WindowlessLetter, OnlyLetterOutputsTheWindowWritesAloneGoWithoutIt)
{
    EXPECT_TRUE(cli::needsNoWindow(cli::parseBatchOptions({"a.ZLW", "--pdf", "a.pdf", "--text", "a.txt"})));
    EXPECT_FALSE(cli::needsNoWindow(cli::parseBatchOptions({"a.ZLW", "--pdf", "a.pdf", "--png", "dir"})));
    EXPECT_FALSE(cli::needsNoWindow(cli::parseBatchOptions({"a.ZLW", "--print", ""})));
    EXPECT_FALSE(cli::needsNoWindow(cli::parseBatchOptions({"a.qrp", "--pdf", "a.pdf"})));
}

// The text lines of recorded pages, page by page.
std::vector<std::vector<std::string>> pageTexts(const std::vector<std::unique_ptr<platform::gdi::TMetafile>>& pages)
{
    std::vector<std::vector<std::string>> out;
    for (const auto& page : pages)
        out.push_back(zt::testing::readPageContent(*page).strings());
    return out;
}

TEST_F(WindowlessLetter, AFirstStartWindowPreviewsTheLinesTheBatchToolRecords)
{
    // Lines a character or two either side of each box's width, where a
    // box a few pixels wider or narrower breaks them elsewhere.
    Letter l = ordinary();
    l.absender = {"Stadtverwaltung Musterhausen Bauamt Zimmer", "Stadtverwaltung Musterhausen Bauamt Zimmer 3"};
    l.anschrift = {"Herrn Jürgen Weißmüller-Schneider und Frau", "Hauptstraße 12a Hinterhaus Aufgang C links"};
    l.mitteilung.clear();
    for (int width = 76; width <= 84; ++width)
        for (const std::string& word : {std::string("Äpfel, Größen"), std::string("Birnen")}) {
            std::string line;
            while (line.size() + word.size() + 1 < static_cast<std::size_t>(width))
                line += "Wort ";
            l.mitteilung.push_back(line + word);
        }
    const std::string letter = write(l);

    std::ostringstream out, err;
    const fs::path batchQrp = scratch.path() / "batch.qrp";
    ASSERT_EQ(cli::runLetterWithoutWindow(cli::parseBatchOptions({letter, "--qrp", batchQrp.string()}), out, err), 0);
    pages::TQRPageList batch;
    batch.LoadFromFile(batchQrp.string());
    std::vector<std::unique_ptr<platform::gdi::TMetafile>> batchPages;
    for (int n = 1; n <= batch.PageCount(); ++n)
        batchPages.push_back(batch.GetPage(n));

    // A user's fresh start: no settings file, the window at its first size.
    const fs::path programDir = scratch.path() / "program";
    fs::create_directories(programDir);
    app::ZettelinoProgram program(programDir.string() + "/");
    program.Start();
    letter::TFrmMain& frm = program.FrmMain();
    frm.show();
    QApplication::processEvents();
    program.OpenFile(letter);
    frm.DruckvorschauExecute();
    preview::TQRStandardPreview* preview = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (auto* p = qobject_cast<preview::TQRStandardPreview*>(w); p != nullptr && p->isVisible())
            preview = p;
    ASSERT_NE(preview, nullptr);
    std::vector<std::unique_ptr<platform::gdi::TMetafile>> windowPages;
    for (int n = 1; n <= preview->QRPrinterOf()->PageCount(); ++n)
        windowPages.push_back(preview->QRPrinterOf()->GetPage(n));
    preview->close();
    QApplication::processEvents();
    frm.hide();

    EXPECT_EQ(pageTexts(windowPages), pageTexts(batchPages));
}

} // namespace
