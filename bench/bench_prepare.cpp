// Prepare of the printed letter: the whole report run into recorded pages.
// A page holds 68 message lines; short lines ("Zeile 123") are the usual
// measure, lines of 60 characters the heavier one.

#include "output/LetterPrint.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

zt::files::TLetterContent letterOf(int messageLines, bool longLines)
{
    zt::files::TLetterContent l;
    l.absender = {"Erika Mustermann", "Hauptstraße 5", "12345 Musterstadt"};
    l.anschrift = {"Firma Beispiel GmbH", "Am Markt 1", "54321 Beispielhausen"};
    l.titel1 = "Ihre Anfrage";
    l.datum = "Musterstadt, 09.12.2026";
    for (int i = 0; i < messageLines; ++i)
        l.mitteilung.push_back(longLines ? "Zeile " + std::to_string(i) + ": wie besprochen senden wir Ihnen die Unterlagen."
                                         : "Zeile " + std::to_string(i));
    return l;
}

std::array<std::string, 16> labels()
{
    return {"", "Kenntnisnahme", "Anruf/Rücksprache", "Stellungnahme", "Kontrolle", "Erledigung", "Entscheidung",
            "Rücknahme", "Verbleib", "", "Schreiben", "Rechnung", "Kopien", "Muster", "Vertrag", ""};
}

void prepareLetter(benchmark::State& state, int messageLines, bool longLines)
{
    zt::output::TfrmReport form;
    const auto letter = letterOf(messageLines, longLines);
    form.LetterSource = [&] { return zt::output::DesignPrintSource(letter, labels()); };
    form.PageTotal = [] { return 1; };
    int pages = 0;
    for (auto _ : state) {
        form.BandoriaRep1->Prepare();
        pages = form.BandoriaRep1->QRPrinter->PageCount();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["pages"] = pages;
    state.counters["peak_MiB"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
    state.counters["ms_per_page"] = benchmark::Counter(static_cast<double>(pages) * state.iterations(),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_PrepareLetter(benchmark::State& state)
{
    prepareLetter(state, static_cast<int>(state.range(0)), false);
}

void BM_PrepareLetterLongLines(benchmark::State& state)
{
    prepareLetter(state, static_cast<int>(state.range(0)), true);
}

} // namespace

// 1, 25, 250 and 2,500 pages: time should grow with the pages alone.
BENCHMARK(BM_PrepareLetter)->Arg(30)->Arg(1700)->Arg(17000)->Arg(170000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PrepareLetterLongLines)->Arg(15000)->Unit(benchmark::kMillisecond);
// 10,000 pages: the page store moves to its temporary file; run alone to read peak_MiB.
BENCHMARK(BM_PrepareLetter)->Name("BM_PrepareLetter10000Pages")->Arg(680000)->Iterations(1)->Unit(benchmark::kMillisecond);
