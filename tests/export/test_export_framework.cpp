// The filter library and the export run: which calls a filter receives, in
// which order, and what the report looks like afterwards.

#include "export/ExportFixture.h"
#include "export/QRExportLibrary.h"
#include "export/QRPDFFilter.h"
#include "pages/QRPrinter.h"

#include <stdexcept>

using namespace zt::report;
using namespace zt::exporting;
using zt::testing::ExportReport;
using zt::testing::LoggingFilter;

namespace {

using Seq = std::vector<std::string>;

// --- the library -------------------------------------------------------------

TEST(ExportLibrary, EmptyOffersTheReportFileAlone)
{
    TQRExportFilterLibrary lib;
    EXPECT_EQ(lib.SaveDialogFilterString(), "Bandoria-Datei(*.QRP)|*.QRP");
    EXPECT_EQ(lib.GetFilterByExtension("PDF"), nullptr);
}

TEST(ExportLibrary, RegisteredPdfFilterIsListedAndFoundByExtensionOnce)
{
    TQRExportFilterLibrary lib;
    lib.AddFilter(FilterClassOf<TQRPDFDocumentFilter>());
    lib.AddFilter(FilterClassOf<TQRPDFDocumentFilter>());
    ASSERT_EQ(lib.Filters().size(), 1u);
    EXPECT_EQ(lib.SaveDialogFilterString(), "Bandoria-Datei(*.QRP)|*.QRP|PDF document (*.PDF)|*.PDF");
    const TQRExportFilterLibraryEntry* e = lib.GetFilterByExtension("pdf");
    ASSERT_NE(e, nullptr);
    EXPECT_EQ(e->FilterName(), "PDF document");
    EXPECT_EQ(e->Extension(), "PDF");
    EXPECT_EQ(lib.GetFilterByExtension(".pdf"), nullptr);
    const auto filter = e->ExportFilterClass()->Create("x.pdf");
    EXPECT_EQ(filter->Filename(), "x.pdf");
    EXPECT_FALSE(filter->Active());
    EXPECT_EQ(dynamic_cast<TQRPDFDocumentFilter*>(filter.get()) != nullptr, true);

    lib.AddFilter(FilterClassOf<LoggingFilter>());
    EXPECT_EQ(lib.SaveDialogFilterString(),
              "Bandoria-Datei(*.QRP)|*.QRP|PDF document (*.PDF)|*.PDF|Logging (*.LOG)|*.LOG");
    lib.RemoveFilter(FilterClassOf<TQRPDFDocumentFilter>());
    ASSERT_EQ(lib.Filters().size(), 1u);
    EXPECT_EQ(lib.Filters().front()->FilterName(), "Logging");
    lib.RemoveFilter(FilterClassOf<TQRPDFDocumentFilter>());
    EXPECT_EQ(lib.Filters().size(), 1u);
}

TEST(ExportLibrary, StartUpRegistrationIsIdempotent)
{
    RegisterExportFilters();
    RegisterExportFilters();
    const auto& lib = QRExportFilterLibrary();
    EXPECT_EQ(lib.SaveDialogFilterString(), "Bandoria-Datei(*.QRP)|*.QRP|PDF document (*.PDF)|*.PDF");
}

TEST(ExportLibrary, BaseFilterTexts)
{
    TQRExportFilter f("");
    EXPECT_EQ(f.Name(), "Filter entfernen");
    EXPECT_EQ(f.Description(), "Nicht-arbeitenden Filter entfernen");
    EXPECT_EQ(f.FileExtension(), "");
    EXPECT_FALSE(f.Streaming());
    TQRPAbstractExportFilter a("");
    EXPECT_EQ(a.Name(), "QRAbstract");
}

// --- the export run ---------------------------------------------------------

TEST_F(ExportReport, OnePageGivesStartEndPageNewPageContentEndPageFinish)
{
    label(band(rbDetail, 10), "detail");
    LoggingFilter f;
    rep->ExportToFilter(&f);
    EXPECT_EQ(f.sequence(), (Seq{"Start", "EndPage", "NewPage", "content", "EndPage", "Finish"}));
    const auto start = f.of("Start");
    ASSERT_EQ(start.size(), 1u);
    EXPECT_EQ(start[0].x, 2100);
    EXPECT_EQ(start[0].y, 2970);
    EXPECT_FALSE(f.Active());
    EXPECT_EQ(f.Owner(), rep);
}

TEST_F(ExportReport, TwoPagesGiveOneMoreEndPageNewPagePair)
{
    memo(band(rbDetail, 10), 120, 0, 5);
    LoggingFilter f;
    rep->ExportToFilter(&f);
    EXPECT_EQ(f.sequence(), (Seq{"Start", "EndPage", "NewPage", "content", "EndPage", "NewPage", "content", "EndPage",
                                 "Finish"}));
    const auto texts = f.of("TextOut");
    ASSERT_EQ(texts.size(), 120u);
    EXPECT_EQ(texts.front().text, "line 1");
    EXPECT_EQ(texts.back().text, "line 120");
}

TEST_F(ExportReport, ExportHandledStopsBeforeAnyCall)
{
    label(band(rbDetail, 10), "detail");
    int runs = 0;
    rep->BeforePrint = [&](TCustomBandoriaRep*, bool&) { ++runs; };
    rep->OnExport = [](TCustomBandoriaRep*, bool& handled) { handled = true; };
    rep->SetZoom(50);
    LoggingFilter f;
    rep->ExportToFilter(&f);
    EXPECT_TRUE(f.calls.empty());
    EXPECT_EQ(runs, 0);
    EXPECT_EQ(rep->Zoom(), 100);
    EXPECT_FALSE(rep->Exporting);
}

TEST_F(ExportReport, CancelledBeforePrintGivesNoCall)
{
    label(band(rbDetail, 10), "detail");
    rep->BeforePrint = [](TCustomBandoriaRep*, bool& print) { print = false; };
    LoggingFilter f;
    rep->ExportToFilter(&f);
    EXPECT_TRUE(f.calls.empty());
}

TEST_F(ExportReport, RunsWithFinalPassOffAndLeavesTheReportAsItWas)
{
    label(band(rbDetail, 10), "detail");
    rep->Prepare();
    zt::pages::TQRPrinter* shown = rep->QRPrinter;
    const int pages = shown->PageCount();
    bool finalPassInRun = true, exportingInRun = false;
    rep->BeforePrint = [&](TCustomBandoriaRep* r, bool&) {
        finalPassInRun = r->FinalPass;
        exportingInRun = r->Exporting;
    };
    rep->SetZoom(75);
    LoggingFilter f;
    // The way the preview's save goes: through the recorder.
    shown->ExportToFilter(&f);
    EXPECT_FALSE(finalPassInRun);
    EXPECT_TRUE(exportingInRun);
    EXPECT_EQ(rep->Zoom(), 100);
    EXPECT_EQ(rep->QRPrinter, shown);
    EXPECT_EQ(shown->PageCount(), pages);
    EXPECT_TRUE(rep->FinalPass);
    EXPECT_FALSE(rep->Exporting);
    EXPECT_EQ(rep->ExportFilter, nullptr);
    EXPECT_EQ(f.OriginalQRPrinter(), shown);
    EXPECT_EQ(f.of("TextOut").size(), 1u);
}

TEST_F(ExportReport, AnErrorInTheRunLeavesTheReportDetached)
{
    TQRLabel* l = label(band(rbDetail, 10), "detail");
    rep->Prepare();
    zt::pages::TQRPrinter* before = rep->QRPrinter;
    l->OnPrint = [](TQRComponent*, std::string&) { throw std::runtime_error("boom"); };
    LoggingFilter f;
    EXPECT_THROW(rep->ExportToFilter(&f), std::runtime_error);
    EXPECT_EQ(rep->QRPrinter, before);
    EXPECT_TRUE(rep->FinalPass);
    EXPECT_FALSE(rep->Exporting);
    EXPECT_EQ(rep->ExportFilter, nullptr);
    EXPECT_TRUE(rep->Available);
    l->OnPrint = nullptr;
    LoggingFilter again;
    rep->ExportToFilter(&again);
    EXPECT_EQ(again.of("TextOut").size(), 1u);
}

TEST_F(ExportReport, TextOutAnchorsFollowTheAlignment)
{
    TQRCustomBand* b = band(rbDetail, 20);
    label(b, "left", 5, 20);
    label(b, "right", 10, 20)->SetAlignment(TAlignment::taRightJustify);
    label(b, "centre", 15, 20)->SetAlignment(TAlignment::taCenter);
    LoggingFilter f;
    rep->ExportToFilter(&f);
    const auto t = f.of("TextOut");
    ASSERT_EQ(t.size(), 3u);
    // Native units from the paper's corner: margin 100 + 200 across, 100 + top down.
    EXPECT_EQ(t[0].x, 300);
    EXPECT_EQ(t[0].y, 150);
    EXPECT_EQ(t[0].alignment, TAlignment::taLeftJustify);
    EXPECT_EQ(t[1].x, 1300);
    EXPECT_EQ(t[1].y, 200);
    EXPECT_EQ(t[1].alignment, TAlignment::taRightJustify);
    EXPECT_EQ(t[2].x, 800);
    EXPECT_EQ(t[2].alignment, TAlignment::taCenter);
}

TEST_F(ExportReport, EmptyMemoLinesReachTheFilter)
{
    TQRMemo* m = memo(band(rbDetail, 30), 0, 0, 20);
    m->SetLines({"eins", "", "drei"});
    LoggingFilter f;
    rep->ExportToFilter(&f);
    const auto t = f.of("TextOut");
    ASSERT_EQ(t.size(), 3u);
    EXPECT_EQ(t[1].text, "");
    EXPECT_GT(t[2].y, t[1].y);
}

TEST_F(ExportReport, StreamingFilterNeverBreaksPages)
{
    TQRMemo* m = memo(band(rbDetail, 10), 200, 0, 5);
    LoggingFilter probe;
    rep->ExportToFilter(&probe);
    // Two lines more than fit above the bottom margin: a page break on paper,
    // still inside the whole paper length a streaming filter offers.
    int onFirstPage = 0;
    bool seenSecond = false;
    for (const auto& c : probe.calls) {
        seenSecond |= c.call == "NewPage" && onFirstPage > 0;
        if (c.call == "TextOut" && !seenSecond)
            ++onFirstPage;
    }
    std::vector<std::string> lines;
    for (int i = 1; i <= onFirstPage + 2; ++i)
        lines.push_back("line " + std::to_string(i));
    m->SetLines(lines);
    LoggingFilter paged;
    rep->ExportToFilter(&paged);
    EXPECT_EQ(paged.of("NewPage").size(), 2u);
    LoggingFilter f;
    f.streaming = true;
    rep->ExportToFilter(&f);
    EXPECT_EQ(f.sequence(), (Seq{"Start", "EndPage", "NewPage", "content", "EndPage", "Finish"}));
    EXPECT_EQ(f.of("TextOut").size(), lines.size());
}

} // namespace
