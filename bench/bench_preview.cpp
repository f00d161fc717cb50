// The preview of a long letter: from the command to page 1 drawn, page
// flips at fit zoom, and scrolling the thumbnails of 250 pages.

#include "output/LetterPrint.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"
#include "preview/PreviewThumbs.h"
#include "preview/TQRStandardPreview.h"

#include <QApplication>
#include <QScrollBar>
#include <benchmark/benchmark.h>
#include <cstdlib>

namespace {

zt::files::TLetterContent letterOf(int lines)
{
    zt::files::TLetterContent l;
    l.absender = {"Erika Mustermann", "Hauptstraße 5"};
    for (int i = 0; i < lines; ++i)
        l.mitteilung.push_back("Zeile " + std::to_string(i));
    return l;
}

struct LongLetter {
    zt::output::TfrmReport form;
    zt::files::TLetterContent letter = letterOf(17000);  // about 250 pages
    int total = 0;
    LongLetter()
    {
        form.LetterSource = [this] { return zt::output::DesignPrintSource(letter, {}); };
        form.PageTotal = [this] { return total; };
        form.BandoriaRep1->ShowProgress = false;
    }
    // What "Vorschau" does, up to the window showing page 1.
    zt::preview::TQRStandardPreview* preview()
    {
        auto& rep = *form.BandoriaRep1;
        rep.Prepare();
        total = rep.QRPrinter->PageCount();
        zt::output::PlacePreview(rep, 1920, 1080);
        rep.Preview();
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* p = qobject_cast<zt::preview::TQRStandardPreview*>(w); p != nullptr && p->isVisible())
                return p;
        return nullptr;
    }
};

void BM_PreviewCommandToPageOne(benchmark::State& state)
{
    LongLetter l;
    for (auto _ : state) {
        auto* window = l.preview();
        benchmark::DoNotOptimize(window->QRPreview->PreviewImage()->grab());
        state.PauseTiming();
        window->close();
        QApplication::processEvents();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_PreviewCommandToPageOne)->Unit(benchmark::kMillisecond);

void BM_PageFlipAtFit(benchmark::State& state)
{
    LongLetter l;
    auto* window = l.preview();
    int page = 1;
    for (auto _ : state) {
        page = page % 250 + 1;
        window->SelectPage(page);
        benchmark::DoNotOptimize(window->QRPreview->PreviewImage()->grab());
    }
    window->close();
    QApplication::processEvents();
}
BENCHMARK(BM_PageFlipAtFit)->Unit(benchmark::kMillisecond);

void BM_ThumbnailScrollStep(benchmark::State& state)
{
    LongLetter l;
    l.form.BandoriaRep1->PrevShowThumbs = true;
    auto* window = l.preview();
    window->Tabs->setVisible(true);
    window->ThumbGrid->resize(193, 700);
    window->ThumbGrid->SetRowCount(250);
    QScrollBar* bar = window->ThumbGrid->verticalScrollBar();
    for (auto _ : state) {
        bar->setValue(bar->value() + bar->singleStep() >= bar->maximum() ? 0 : bar->value() + bar->singleStep());
        benchmark::DoNotOptimize(window->ThumbGrid->viewport()->grab());
    }
    window->close();
    QApplication::processEvents();
}
BENCHMARK(BM_ThumbnailScrollStep)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication app(argc, argv);
    zt::preview::RegisterStandardPreview();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
