// Exporting the printed letter to PDF: the report run once more into the PDF
// filter, with the document assembled in memory. A page holds 68 message
// lines; 15,000 short lines make about 250 pages. Size should grow with the
// pages alone (bytes_per_page stays put across the series).

#include "export/QRPDFFilter.h"
#include "output/LetterPrint.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"
#include "platform/streams/Stream.h"

#include <benchmark/benchmark.h>

namespace {

zt::files::TLetterContent letterOf(int messageLines)
{
    zt::files::TLetterContent l;
    l.absender = {"Erika Mustermann", "Hauptstraße 5", "12345 Musterstadt"};
    l.anschrift = {"Firma Beispiel GmbH", "Am Markt 1", "54321 Beispielhausen"};
    l.titel1 = "Ihre Anfrage";
    l.datum = "Musterstadt, 09.12.2026";
    for (int i = 0; i < messageLines; ++i)
        l.mitteilung.push_back("Zeile " + std::to_string(i));
    return l;
}

std::array<std::string, 16> labels()
{
    return {"", "Kenntnisnahme", "Anruf/Rücksprache", "Stellungnahme", "Kontrolle", "Erledigung", "Entscheidung",
            "Rücknahme", "Verbleib", "", "Schreiben", "Rechnung", "Kopien", "Muster", "Vertrag", ""};
}

void exportLetter(benchmark::State& state, bool archive)
{
    zt::output::TfrmReport form;
    const auto letter = letterOf(static_cast<int>(state.range(0)));
    form.LetterSource = [&] { return zt::output::DesignPrintSource(letter, labels()); };
    int total = 0;
    form.PageTotal = [&] { return total; };
    auto& rep = *form.BandoriaRep1;
    rep.ShowProgress = false;
    rep.Prepare();
    total = rep.QRPrinter->PageCount();
    std::size_t bytes = 0;
    int pages = 0;
    for (auto _ : state) {
        zt::exporting::TQRPDFDocumentFilter filter("");
        filter.SetArchive(archive);
        rep.ExportToFilter(&filter);
        bytes = filter.Stream()->Bytes().size();
        pages = filter.PageCount();
    }
    state.counters["pages"] = pages;
    state.counters["bytes"] = static_cast<double>(bytes);
    state.counters["bytes_per_page"] = pages > 0 ? static_cast<double>(bytes) / pages : 0;
    state.counters["ms_per_page"] = benchmark::Counter(static_cast<double>(pages) * state.iterations(),
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_ExportLetterPdf(benchmark::State& state)
{
    exportLetter(state, false);
}

// The archive document: composite fonts with their Unicode maps, tags and
// metadata; a one-page letter should cost little more than the plain one.
void BM_ExportLetterArchivePdf(benchmark::State& state)
{
    exportLetter(state, true);
}

} // namespace

// One page, about 25, 250 and 500 pages.
BENCHMARK(BM_ExportLetterPdf)->Arg(20)->Arg(1700)->Arg(15000)->Arg(30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExportLetterArchivePdf)->Arg(20)->Arg(1700)->Arg(15000)->Unit(benchmark::kMillisecond);
