#include "platform/fonts/FontFace.h"
#include "platform/fonts/FontResolver.h"
#include "platform/fonts/FontService.h"
#include "platform/text/Utf.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
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

// The faces a letter asks for at the start of a batch run.
void resolveLetterFaces(const FontResolver& resolver)
{
    for (const char* face : {"Arial", "Courier New"})
        for (const bool bold : {false, true})
            benchmark::DoNotOptimize(resolver.resolve(face, bold, false));
}

class CacheFolder {
public:
    CacheFolder()
    {
        char name[] = "/tmp/zt-bench-fonts-XXXXXX";
        if (::mkdtemp(name) == nullptr)
            std::abort();
        dir_ = name;
    }
    ~CacheFolder() { std::filesystem::remove_all(dir_); }
    std::string file() const { return dir_ + "/schriften.cache"; }

private:
    std::string dir_;
};

// A run whose fonts and configuration are as the last run left them: the
// cache is read and every stamp in it checked; fontconfig is not started.
void BM_ResolveWarmCache(benchmark::State& state)
{
    const CacheFolder folder;
    resolveLetterFaces(FontResolver(std::string(kFallbackFamily), folder.file()));
    for (auto _ : state) {
        const FontResolver resolver(std::string(kFallbackFamily), folder.file());
        resolveLetterFaces(resolver);
        if (resolver.startedFontconfig())
            state.SkipWithError("the warm cache did not answer");
    }
}
BENCHMARK(BM_ResolveWarmCache)->Unit(benchmark::kMicrosecond);

// A run after a change: the cache no longer holds (here another language in
// the environment, every run), so fontconfig starts, answers and the cache
// is written anew.
void BM_ResolveStaleCache(benchmark::State& state)
{
    const CacheFolder folder;
    const char* old = std::getenv("FC_LANG");
    const std::string saved = old ? old : "";
    bool german = false;
    for (auto _ : state) {
        german = !german;
        ::setenv("FC_LANG", german ? "de" : "en", 1);
        const FontResolver resolver(std::string(kFallbackFamily), folder.file());
        resolveLetterFaces(resolver);
    }
    if (old)
        ::setenv("FC_LANG", saved.c_str(), 1);
    else
        ::unsetenv("FC_LANG");
}
BENCHMARK(BM_ResolveStaleCache)->Unit(benchmark::kMillisecond);

} // namespace
