#include "platform/fonts/FontFace.h"
#include "platform/fonts/FontService.h"
#include "platform/text/Utf.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

using namespace zt::platform;

namespace {

// 80 characters of ordinary prose, the length of a wrapped text line.
const std::string kLine80 = "Meeting notes: the quarterly review moved to Thursday; bring the draft, 3 copies";
// The same length with Latin-1 letters and punctuation outside ASCII.
const std::string kLine80Accented = "Grüße aus Köln – die Übergabe für Zoë ist am Dienstag, Café René, 14:30 Uhr. ÆØÅ";

void measureWarm(benchmark::State& state, const std::string& line)
{
    const auto font = FontService::instance().font("Arial", 10, 96);
    benchmark::DoNotOptimize(font->textWidth(line));  // fills the advance cache
    for (auto _ : state)
        benchmark::DoNotOptimize(font->textWidth(line));
    // Items are characters, so the rate reads as characters per second.
    state.SetItemsProcessed(state.iterations() * std::int64_t(text::utf8Length(line)));
}

void BM_MeasureLine80(benchmark::State& state)
{
    measureWarm(state, kLine80);
}
BENCHMARK(BM_MeasureLine80);

void BM_MeasureLine80Accented(benchmark::State& state)
{
    measureWarm(state, kLine80Accented);
}
BENCHMARK(BM_MeasureLine80Accented);

// A fresh Font on an already opened face: every character is hinted once.
void BM_MeasureLine80Cold(benchmark::State& state)
{
    const auto warm = FontService::instance().font("Arial", 10, 96);
    const auto face = std::make_shared<FontFace>(warm->face());
    LogFont request = warm->logFont();
    face->hintedAdvance(0, warm->metrics().emHeight);  // the size object, made once
    for (auto _ : state) {
        const Font font(face, request);
        benchmark::DoNotOptimize(font.textWidth(kLine80));
    }
    state.SetItemsProcessed(state.iterations() * std::int64_t(text::utf8Length(kLine80)));
}
BENCHMARK(BM_MeasureLine80Cold);

// The cost of asking the service for a font it already holds.
void BM_FontLookup(benchmark::State& state)
{
    LogFont request;
    request.face = "Arial";
    request.height = -13;
    FontService::instance().font(request);
    for (auto _ : state)
        benchmark::DoNotOptimize(FontService::instance().font(request));
}
BENCHMARK(BM_FontLookup);

} // namespace
