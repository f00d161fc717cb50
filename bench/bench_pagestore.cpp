// The page store: storing and reading back pages, packing and unpacking, and
// loading a saved report file of 300 pages. Bytes processed are page bytes.
#include "../tests/pages/EmfTestPages.h"

#include "pages/QRPageList.h"
#include "pages/QRPayload.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <vector>
#include <filesystem>
#include <unistd.h>

using namespace zt::pages;
using zt::platform::gdi::TMetafile;

namespace {

constexpr std::size_t kPageBytes = 10 * 1024;

const TMetafile& page10k()
{
    static const TMetafile page = TMetafile::FromBytes(test::MakePage(1, kPageBytes));
    return page;
}

// Adds 50 pages and reads them back in order.
void storeAndRead(benchmark::State& state, bool packed)
{
    const TMetafile& page = page10k();
    constexpr int kPages = 50;
    for (auto _ : state) {
        TQRPageList list;
        list.SetStream(TQRStream::Create(1 << 30));
        list.SetCompression(packed);
        for (int i = 0; i < kPages; ++i)
            list.AddPage(page);
        list.Finish();
        for (int i = 1; i <= kPages; ++i)
            benchmark::DoNotOptimize(list.GetPage(i));
    }
    state.SetBytesProcessed(state.iterations() * kPages * std::int64_t(page.Bytes().size()));
}

void BM_StoreAndReadUnpacked(benchmark::State& state)
{
    storeAndRead(state, false);
}
BENCHMARK(BM_StoreAndReadUnpacked);

void BM_StoreAndReadPacked(benchmark::State& state)
{
    storeAndRead(state, true);
}
BENCHMARK(BM_StoreAndReadPacked);

// Sixteen different pages in turn, so the branch predictor cannot learn one
// page's bit pattern by heart.
const std::vector<std::vector<std::uint8_t>>& distinctPages()
{
    static const auto pages = [] {
        std::vector<std::vector<std::uint8_t>> p;
        for (int i = 1; i <= 16; ++i)
            p.push_back(test::MakePage(i * 37, kPageBytes));
        return p;
    }();
    return pages;
}

std::int64_t totalBytes(const std::vector<std::vector<std::uint8_t>>& pages)
{
    std::int64_t n = 0;
    for (const auto& p : pages)
        n += std::int64_t(p.size());
    return n;
}

void BM_Pack(benchmark::State& state)
{
    const auto& pages = distinctPages();
    for (auto _ : state)
        for (const auto& p : pages)
            benchmark::DoNotOptimize(PackBytes(p.data(), p.size()));
    state.SetBytesProcessed(state.iterations() * totalBytes(pages));
}
BENCHMARK(BM_Pack);

void BM_Unpack(benchmark::State& state)
{
    const auto& pages = distinctPages();
    std::vector<std::vector<std::uint8_t>> packed;
    for (const auto& p : pages)
        packed.push_back(PackBytes(p.data(), p.size()));
    state.counters["ratio"] = double(packed[0].size()) / double(pages[0].size());
    for (auto _ : state)
        for (std::size_t i = 0; i < pages.size(); ++i)
            benchmark::DoNotOptimize(UnpackBytes(packed[i].data(), packed[i].size(), pages[i].size()));
    state.SetBytesProcessed(state.iterations() * totalBytes(pages));
}
BENCHMARK(BM_Unpack);

// A saved file of 300 ten-kilobyte pages: load it and read every page in order.
void loadAndReadAll(benchmark::State& state, bool packed)
{
    const std::string path = std::filesystem::temp_directory_path().string() + "/zt-bench-" +
                             std::to_string(::getpid()) + (packed ? "-packed.qrp" : ".qrp");
    {
        TQRPageList list;
        list.SetStream(TQRStream::Create(1 << 30));
        list.SetCompression(packed);
        for (int i = 1; i <= 300; ++i)
            list.AddPage(TMetafile::FromBytes(test::MakePage(i, kPageBytes)));
        list.Finish();
        list.SaveToFile(path);
    }
    for (auto _ : state) {
        TQRPageList list;
        list.LoadFromFile(path);
        for (int i = 1; i <= list.PageCount(); ++i)
            benchmark::DoNotOptimize(list.GetPage(i));
    }
    std::remove(path.c_str());
}

void BM_Load300PagesReadAll(benchmark::State& state)
{
    loadAndReadAll(state, false);
}
BENCHMARK(BM_Load300PagesReadAll)->Unit(benchmark::kMillisecond);

void BM_Load300PackedPagesReadAll(benchmark::State& state)
{
    loadAndReadAll(state, true);
}
BENCHMARK(BM_Load300PackedPagesReadAll)->Unit(benchmark::kMillisecond);

} // namespace
