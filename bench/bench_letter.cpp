// Opening a long letter and rendering it as plain text: in the window, and
// without it, the path `zettelino-print --text` takes for ordinary letters.
// Both must stay linear in the letter's lines: the complexity fits should
// read O(N).

#include "letter/state/ProgramState.h"
#include "letter/window/TFrmMain.h"
#include "letter/controls/TMemo.h"
#include "letter/spelling/TSpelling.h"
#include "files/LetterFile.h"
#include "files/RecoveryStore.h"
#include "output/PlainText.h"
#include "output/WindowlessLetter.h"
#include "platform/text/TextFile.h"
#include "platform/dialogs/ScriptedDialogs.h"

#include <QAction>
#include <QApplication>
#include <QTest>
#include <QTextBlock>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

void ensureApplication()
{
    static int argc = 1;
    static char name[] = "bench_letter";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance()) {
        setenv("QT_QPA_PLATFORM", "offscreen", 0);
        new QApplication(argc, argv);
    }
}

// A letter file with `lines` message lines of ordinary width.
std::string writeLetter(int lines)
{
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("bench-letter-" + std::to_string(::getpid()) + "-" + std::to_string(lines) + ".ZLW"))
                                 .string();
    std::ofstream out(path, std::ios::binary);
    out << "ZLVersion=1.8\r\nAbsLines=1\r\nAnsLines=1\r\nMitLines=" << lines << "\r\nMax Muster\r\nFrau Beispiel\r\n";
    for (int i = 0; i < lines; ++i)
        out << "Zeile " << i << " der Mitteilung, mit etwas Text, damit sie nicht leer ist.\r\n";
    for (int n = 1; n <= 15; ++n)
        out << "cb" << n << "=" << (n % 3 == 0 ? 1 : 0) << "\r\n";
    out << "edTitel=Betreff\r\nedTitel2=\r\nedSonst1=\r\nedSonst2=\r\nedDatum=K\xF6ln\r\n";
    return path;
}

void BM_OpenAndRenderAsText(benchmark::State& state)
{
    ensureApplication();
    const int lines = static_cast<int>(state.range(0));
    const std::string path = writeLetter(lines);
    zt::platform::ScriptedDialogs dialogs;
    zt::platform::ScopedUserDialogs scoped(dialogs);
    zt::letter::resetProgramState();
    zt::letter::TFrmMain frm;
    for (auto _ : state) {
        dialogs.answerOpen(path);
        frm.OeffnenExecute();
        frm.FillPlainText();
        benchmark::DoNotOptimize(frm.Memo1->TextLines());
    }
    if (frm.MemoMitteilung->LineCount() != lines)
        state.SkipWithError("the letter did not open");
    std::filesystem::remove(path);
    state.SetComplexityN(lines);
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_OpenAndRenderAsText)->Arg(1000)->Arg(4000)->Arg(16000)->Unit(benchmark::kMillisecond)->Complexity();

void BM_OpenWithoutWindowAndRenderAsText(benchmark::State& state)
{
    const int lines = static_cast<int>(state.range(0));
    const std::string path = writeLetter(lines);
    std::size_t shown = 0;
    for (auto _ : state) {
        zt::files::TLetterBuffer read;
        zt::files::ReadLetterFile(zt::files::TLetterFileReader(zt::platform::text::readTextFile(path)), read);
        const auto letter = zt::output::OpenWithoutWindow(read);
        if (!letter) {
            state.SkipWithError("the letter needs the window");
            break;
        }
        shown = letter->content.mitteilung.size();
        benchmark::DoNotOptimize(zt::output::PlainTextLines(letter->content, letter->labels));
    }
    if (shown != static_cast<std::size_t>(lines))
        state.SkipWithError("the letter did not open");
    std::filesystem::remove(path);
    state.SetComplexityN(lines);
    state.SetItemsProcessed(state.iterations() * lines);
}
BENCHMARK(BM_OpenWithoutWindowAndRenderAsText)
    ->Arg(1000)
    ->Arg(4000)
    ->Arg(16000)
    ->Arg(68000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity();

// A message of `lines` lines of everyday German, one compound of two
// pieces per line so the dictionary is asked about many different words,
// a misspelt word every tenth line.
std::string germanMessage(int lines)
{
    static const std::vector<std::string> words = {
        "Sehr", "geehrte", "Damen", "und", "Herren", "anbei", "erhalten", "Sie", "die", "gewünschten",
        "Unterlagen", "mit", "der", "Bitte", "um", "Kenntnisnahme", "wir", "haben", "Ihre", "Nachricht",
        "vom", "Montag", "geprüft", "bitte", "rufen", "mich", "zurück", "falls", "noch", "Fragen",
        "offen", "sind", "freundlichen", "Grüßen", "Termin", "nächste", "Woche", "Besprechung", "im", "Büro"};
    static const std::vector<std::string> pieces = {
        "Rechnung", "Vertrag", "Kunde", "Termin", "Schule", "Haus", "Garten", "Wasser", "Strom", "Reise",
        "Kosten", "Arbeit", "Zeit", "Brief", "Post", "Amt", "Geld", "Bank", "Auto", "Bahn"};
    static const std::vector<std::string> tails = {
        "nummer", "entwurf", "liste", "plan", "stelle", "tür", "zaun", "rohr", "zähler", "bericht",
        "stand", "platz", "raum", "kasten", "weg", "leiter", "konto", "schein", "steuer", "karte"};
    std::string text;
    unsigned seed = 12345;
    auto next = [&seed] { return seed = seed * 1103515245u + 12345u, (seed >> 16) & 0x7FFF; };
    for (int i = 0; i < lines; ++i) {
        for (int k = 0; k < 8; ++k)
            text += words[next() % words.size()] + ' ';
        text += pieces[next() % pieces.size()] + tails[next() % tails.size()];
        text += i % 10 == 0 ? " Mitteilnug" : " am 3. Mai, z. B. per E-Mail.";
        text += '\n';
    }
    return text;
}

zt::letter::TFrmMain* checkingWindow(bool checking)
{
    ensureApplication();
    zt::letter::resetProgramState();
    auto* frm = new zt::letter::TFrmMain;
    frm->Spelling()->WaitUntilLoaded();
    if (!frm->Spelling()->Available())
        return frm;
    frm->Rechtschreibung->setChecked(checking);
    frm->RechtschreibungClick(checking);
    return frm;
}

// Putting a 2,000-line message into the window, checked (1) or not (0):
// every paragraph is checked once, with a fresh window (no answers kept).
void BM_CheckLongMessage(benchmark::State& state)
{
    const bool checking = state.range(0) != 0;
    const std::string text = germanMessage(2000);
    for (auto _ : state) {
        state.PauseTiming();
        std::unique_ptr<zt::letter::TFrmMain> frm(checkingWindow(checking));
        if (checking && !frm->Spelling()->Active()) {
            state.SkipWithError("no German dictionary (hunspell-de-de)");
            break;
        }
        state.ResumeTiming();
        frm->MemoMitteilung->SetText(text);
        benchmark::DoNotOptimize(frm->MemoMitteilung->document()->lastBlock().layout());
        state.PauseTiming();
        frm.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_CheckLongMessage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(5);

// One key typed in the middle of that message, checked (1) or not (0):
// each key makes a word the checker has not seen.
void BM_KeystrokeInLongMessage(benchmark::State& state)
{
    const bool checking = state.range(0) != 0;
    std::unique_ptr<zt::letter::TFrmMain> frm(checkingWindow(checking));
    if (checking && !frm->Spelling()->Active()) {
        state.SkipWithError("no German dictionary (hunspell-de-de)");
        return;
    }
    frm->show();
    frm->MemoMitteilung->SetText(germanMessage(2000));
    QApplication::processEvents();
    QTextCursor at(frm->MemoMitteilung->document()->findBlockByNumber(1000));
    at.movePosition(QTextCursor::EndOfWord);
    frm->MemoMitteilung->setTextCursor(at);
    frm->MemoMitteilung->setFocus();
    const char keys[] = "abcdefghijklmnopqrstuvwxyz";
    int typed = 0;
    for (auto _ : state) {
        QTest::keyClick(frm->MemoMitteilung, keys[typed % 26]);
        if (++typed % 20 == 0) {
            state.PauseTiming();
            for (int i = 0; i < 20; ++i)
                QTest::keyClick(frm->MemoMitteilung, Qt::Key_Backspace);
            state.ResumeTiming();
        }
    }
}
BENCHMARK(BM_KeystrokeInLongMessage)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

// The checking a key adds: the paragraph it changed checked again, its
// last word one the checker has not seen.
void BM_CheckParagraphAfterKey(benchmark::State& state)
{
    std::unique_ptr<zt::letter::TFrmMain> frm(checkingWindow(true));
    if (!frm->Spelling()->Active()) {
        state.SkipWithError("no German dictionary (hunspell-de-de)");
        return;
    }
    const std::string message = germanMessage(20);
    const QString line = QString::fromStdString(message.substr(0, message.find('\n'))) + " Kurzmitteilung";
    frm->Spelling()->Misspelt(line);
    unsigned typed = 0;
    for (auto _ : state) {
        // A tail no key made before: the counter in letters.
        QString paragraph = line;
        for (unsigned n = ++typed; n; n /= 26)
            paragraph += QChar(u'a' + n % 26);
        benchmark::DoNotOptimize(frm->Spelling()->Misspelt(paragraph));
    }
}
BENCHMARK(BM_CheckParagraphAfterKey)->Unit(benchmark::kMicrosecond);
// The recovery copy of a 2,000-line letter: what the window's thread does
// (take the letter's lines) and what the writer's thread does (the atomic
// write with fsync), which a keystroke never waits for.
void BM_RecoveryCopyTakenInTheWindow(benchmark::State& state)
{
    ensureApplication();
    const std::string path = writeLetter(2000);
    zt::platform::ScriptedDialogs dialogs;
    zt::platform::ScopedUserDialogs scoped(dialogs);
    zt::letter::resetProgramState();
    zt::letter::TFrmMain frm;
    dialogs.answerOpen(path);
    frm.OeffnenExecute();
    for (auto _ : state)
        benchmark::DoNotOptimize(zt::files::LetterFileLines(frm.LetterContent()));
    std::filesystem::remove(path);
}
BENCHMARK(BM_RecoveryCopyTakenInTheWindow)->Unit(benchmark::kMillisecond);

void BM_RecoveryCopyWritten(benchmark::State& state)
{
    const std::string path = writeLetter(2000);
    const std::vector<std::string> lines = zt::platform::text::readTextFile(path);
    const std::string folder = path + ".zustand/";
    {
        zt::files::TRecoveryStore store(folder);
        for (auto _ : state)
            store.Write(lines, "/home/anna/brief.ZLW");
    }
    std::filesystem::remove_all(folder);
    std::filesystem::remove(path);
}
BENCHMARK(BM_RecoveryCopyWritten)->Unit(benchmark::kMillisecond);

} // namespace
