// A mail merge into one PDF, as `zettelino-print VORLAGE --merge LISTE --pdf`
// runs it: one-page letters, linear in the records (the fit reads O(N)).

#include "cli/BatchOptions.h"
#include "cli/WindowlessCommands.h"
#include "export/QRExportLibrary.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

std::string scratch(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("bench-merge-" + std::to_string(::getpid()) + "-" + name))
        .string();
}

std::string writeTemplate()
{
    const std::string path = scratch("vorlage.ZLW");
    std::ofstream out(path, std::ios::binary);
    out << "ZLVersion=1.8\r\nAbsLines=2\r\nAnsLines=0\r\nMitLines=3\r\nStadt Musterhausen\r\nRathausplatz 1\r\n"
           "Sehr geehrte(r) \xAB" "Anrede\xBB \xAB" "Name\xBB,\r\nanbei der Bescheid f\xFCr {Firma}.\r\n"
           "Mit freundlichen Gr\xFC\xDF" "en\r\n";
    for (int n = 1; n <= 15; ++n)
        out << "cb" << n << "=0\r\n";
    out << "edTitel=Bescheid\r\nedTitel2=\r\nedSonst1=\r\nedSonst2=\r\nedDatum=K\xF6ln\r\n";
    return path;
}

std::string writeList(int records)
{
    const std::string path = scratch(std::to_string(records) + ".csv");
    std::ofstream out(path, std::ios::binary);
    out << "Anrede;Vorname;Name;Firma;Stra\xDF" "e;PLZ;Ort\r\n";
    for (int i = 0; i < records; ++i)
        out << (i % 2 ? "Herr" : "Frau") << ";Vor" << i << ";Name" << i << ";Firma " << i << ";Weg " << i << ";"
            << 10000 + i << ";Ort " << i << "\r\n";
    return path;
}

void BM_MergeIntoOnePdf(benchmark::State& state)
{
    zt::exporting::RegisterExportFilters();
    const int records = static_cast<int>(state.range(0));
    const std::string tmpl = writeTemplate(), list = writeList(records), pdf = scratch("alle.pdf");
    const zt::cli::BatchOptions options = zt::cli::parseBatchOptions({tmpl, "--merge", list, "--pdf", pdf});
    for (auto _ : state) {
        std::ostringstream out, err;
        if (zt::cli::runLetterWithoutWindow(options, out, err) != 0)
            state.SkipWithError(err.str().c_str());
    }
    state.SetComplexityN(records);
    state.counters["letters/s"] = benchmark::Counter(records, benchmark::Counter::kIsIterationInvariantRate);
    for (const std::string& p : {tmpl, list, pdf})
        std::filesystem::remove(p);
}
BENCHMARK(BM_MergeIntoOnePdf)->Arg(100)->Arg(1000)->Arg(4000)->Unit(benchmark::kMillisecond)->Complexity();

} // namespace
