// Opening a long letter and rendering it as plain text: in the window, and
// without it, the path `zettelino-print --text` takes for ordinary letters.
// Both must stay linear in the letter's lines: the complexity fits should
// read O(N).

#include "letter/ProgramState.h"
#include "letter/TFrmMain.h"
#include "letter/controls/TMemo.h"
#include "files/LetterFile.h"
#include "files/RecoveryStore.h"
#include "output/PlainText.h"
#include "output/WindowlessLetter.h"
#include "platform/text/TextFile.h"
#include "platform/dialogs/ScriptedDialogs.h"

#include <QApplication>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

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
