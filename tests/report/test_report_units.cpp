// Units, the pixel mirror, page setup, papers and the locale's defaults.

#include "platform/locale/MeasurementSystem.h"
#include "report/QRBands.h"
#include "report/QRLabels.h"
#include "base/QRPaper.h"
#include "report/QRReport.h"
#include "support/Locales.h"
#include "support/ScopedEnv.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>

using namespace zt::report;

namespace {

double d(long double v)
{
    return static_cast<double>(v);
}

struct Fixture : ::testing::Test {
    void SetUp() override { SetUSMeasureQuery([] { return false; }); }
    void TearDown() override { SetUSMeasureQuery({}); }
    std::unique_ptr<TQRForm> form = std::make_unique<TQRForm>();
};

// --- conversions -----------------------------------------------------------

struct ConversionCase {
    const char* name;
    TQRUnit unit;
    bool horizontal;
    int zoom;
    long double native;
    long double expected;
};

class Conversion : public Fixture, public ::testing::WithParamInterface<ConversionCase> {};

TEST_P(Conversion, FollowsTheUnitsTableBothWays)
{
    const ConversionCase& c = GetParam();
    auto* rep = new TBandoriaRep(form.get());
    TQRPage& page = rep->Page();
    page.SetZoom(c.zoom);
    EXPECT_NEAR(d(page.FromNative(c.unit, c.horizontal, c.native)), d(c.expected), 1e-9) << c.name;
    EXPECT_NEAR(d(page.ToNative(c.unit, c.horizontal, c.expected)), d(c.native), 1e-9) << c.name;
}

INSTANTIATE_TEST_SUITE_P(
    Units, Conversion,
    ::testing::Values(ConversionCase{"mm", TQRUnit::MM, true, 100, 2100, 210},
                      ConversionCase{"inches", TQRUnit::Inches, false, 100, 127, 0.5L},
                      ConversionCase{"pixels", TQRUnit::Pixels, true, 100, 254, 96},
                      ConversionCase{"pixels zoomed", TQRUnit::Pixels, true, 200, 254, 192},
                      ConversionCase{"pixels zoomed out", TQRUnit::Pixels, false, 50, 254, 48},
                      // Arial 10: a character is 80 / 10 / 2.54 mm wide, 145.3 / 10 / 2.54 mm high.
                      ConversionCase{"characters across", TQRUnit::Characters, true, 100, 80.0L / 2.54L, 1},
                      ConversionCase{"characters down", TQRUnit::Characters, false, 100, 145.3L / 2.54L, 1},
                      ConversionCase{"native", TQRUnit::Native, true, 100, 1751.5L, 1751.5L}));

TEST_F(Fixture, OnePixelAtTheScreenResolution)
{
    auto* rep = new TBandoriaRep(form.get());
    EXPECT_NEAR(d(rep->Page().ToNative(TQRUnit::Pixels, true, 1)), 2.6458, 1e-4);
    EXPECT_NEAR(d(rep->Page().FromNative(TQRUnit::Pixels, true, 1)), 0.37795, 1e-5);
}

TEST_F(Fixture, CharactersFollowTheReportFont)
{
    auto* rep = new TBandoriaRep(form.get());
    rep->SetFontSize(20);
    EXPECT_NEAR(d(rep->Page().FromNative(TQRUnit::Characters, true, 80.0L / 20 / 2.54L * 10)), 1, 1e-12);
}

// --- page setup ------------------------------------------------------------

TEST_F(Fixture, StoredPageValuesLoadAsTheLetterMargins)
{
    form->BeginLoading();
    auto* rep = new TBandoriaRep(form.get());
    rep->Page().ReadValues({100.0L, 2970.0L, 50.0L, 2100.0L, 250.0L, 100.0L, 0.0L});
    auto* band = new TQRBand(form.get());
    band->SetParent(rep);
    form->EndLoading();

    TQRPage& p = rep->Page();
    ASSERT_EQ(p.Units(), TQRUnit::MM);
    EXPECT_DOUBLE_EQ(d(p.BottomMargin()), 10);
    EXPECT_DOUBLE_EQ(d(p.Length()), 297);
    EXPECT_DOUBLE_EQ(d(p.TopMargin()), 5);
    EXPECT_DOUBLE_EQ(d(p.Width()), 210);
    EXPECT_DOUBLE_EQ(d(p.LeftMargin()), 25);
    EXPECT_DOUBLE_EQ(d(p.RightMargin()), 10);
    EXPECT_DOUBLE_EQ(d(p.ColumnSpace()), 0);
    EXPECT_EQ(band->Top(), 19);
    EXPECT_EQ(band->Left(), 94);
    EXPECT_EQ(band->Width(), 662);
    EXPECT_DOUBLE_EQ(d(band->Size().Value(TQRBandSize::iWidth)), 1751.5416666666667);
    EXPECT_EQ(p.WriteValues(), (std::vector<long double>{100.0L, 2970.0L, 50.0L, 2100.0L, 250.0L, 100.0L, 0.0L}));
}

TEST_F(Fixture, ShortOrLongValueListsDoNotOverrun)
{
    auto* rep = new TBandoriaRep(form.get());
    rep->Page().ReadValues({123.0L});
    EXPECT_DOUBLE_EQ(d(rep->Page().Value(TQRPage::iBottomMargin)), 123);
    EXPECT_DOUBLE_EQ(d(rep->Page().Value(TQRPage::iLength)), 2970);
    rep->Page().ReadValues(std::vector<long double>(20, 7.0L));
    EXPECT_EQ(rep->Page().WriteValues().size(), 7u);
}

TEST_F(Fixture, DimensionsOfANamedPaperIgnoreAssignmentsUntilCustom)
{
    auto* rep = new TBandoriaRep(form.get());
    TQRPage& p = rep->Page();
    p.SetPaperSize(TQRPaperSize::A4);
    p.SetWidth(100);
    p.SetLength(100);
    EXPECT_DOUBLE_EQ(d(p.Width()), 210);
    EXPECT_DOUBLE_EQ(d(p.Length()), 297);
    p.SetPaperSize(TQRPaperSize::Custom);
    EXPECT_DOUBLE_EQ(d(p.Width()), 210);  // Custom changes no dimension
    p.SetWidth(100);
    p.SetLength(150);
    EXPECT_DOUBLE_EQ(d(p.Width()), 100);
    EXPECT_DOUBLE_EQ(d(p.Length()), 150);
    EXPECT_EQ(rep->Width(), 378);   // the report control follows
    EXPECT_EQ(rep->Height(), 567);
}

TEST_F(Fixture, NamedPaperKeepsTheUnitsInUse)
{
    auto* rep = new TBandoriaRep(form.get());
    rep->SetUnits(TQRUnit::Inches);
    rep->Page().SetPaperSize(TQRPaperSize::Letter);
    EXPECT_EQ(rep->Page().Units(), TQRUnit::Inches);
    EXPECT_DOUBLE_EQ(d(rep->Page().Width()), 8.5);
    EXPECT_DOUBLE_EQ(d(rep->Page().Length()), 11);
}

struct OrientationCase {
    TQRPaperSize paper;
    long double width, length;          // mm, portrait
    long double landWidth, landLength;  // mm after switching to landscape
};

class Orientation : public Fixture, public ::testing::WithParamInterface<OrientationCase> {};

TEST_P(Orientation, LandscapeSwapsOnlyWhereThePaperHasDimensions)
{
    const OrientationCase& c = GetParam();
    auto* rep = new TBandoriaRep(form.get());
    TQRPage& p = rep->Page();
    p.SetPaperSize(TQRPaperSize::Custom);
    p.SetWidth(c.width);
    p.SetLength(c.length);
    p.SetPaperSize(c.paper);
    p.SetOrientation(TPrinterOrientation::poLandscape);
    EXPECT_DOUBLE_EQ(d(p.Width()), d(c.landWidth));
    EXPECT_DOUBLE_EQ(d(p.Length()), d(c.landLength));
    EXPECT_EQ(rep->PrinterSettings().Orientation, TPrinterOrientation::poLandscape);
    EXPECT_EQ(p.PaperSize(), c.paper);
    p.SetOrientation(TPrinterOrientation::poLandscape);  // no change: no second swap
    EXPECT_DOUBLE_EQ(d(p.Width()), d(c.landWidth));
    p.SetOrientation(TPrinterOrientation::poPortrait);
    EXPECT_DOUBLE_EQ(d(p.Width()), d(c.paper == TQRPaperSize::Default ? c.width : std::min(c.width, c.length)));
}

INSTANTIATE_TEST_SUITE_P(Papers, Orientation,
                         ::testing::Values(OrientationCase{TQRPaperSize::A4, 210, 297, 297, 210},
                                           OrientationCase{TQRPaperSize::Custom, 100, 150, 150, 100},
                                           OrientationCase{TQRPaperSize::Default, 100, 150, 100, 150}));

TEST_F(Fixture, ColumnsBelowOneAreIgnored)
{
    auto* rep = new TBandoriaRep(form.get());
    for (int bad : {0, -1}) {
        rep->Page().SetColumns(bad);
        EXPECT_EQ(rep->Page().Columns(), 1);
    }
    rep->Page().SetColumns(3);
    EXPECT_EQ(rep->Page().Columns(), 3);
}

TEST_F(Fixture, ZoomOutsideItsRangeIsIgnored)
{
    auto* rep = new TBandoriaRep(form.get());
    auto* band = rep->CreateBand(rbTitle);
    for (int bad : {0, 301, -5}) {
        rep->SetZoom(bad);
        EXPECT_EQ(rep->Zoom(), 100) << bad;
    }
    rep->SetZoom(200);
    EXPECT_EQ(rep->Zoom(), 200);
    EXPECT_EQ(rep->Width(), 1587);  // 210 mm at 192 pixels per inch
    EXPECT_EQ(band->Width(), 1436); // less 2 x 10 mm margins
    // The stored width does not change with the zoom.
    EXPECT_NEAR(d(band->Size().Value(TQRBandSize::iWidth)), 1900, 0.5);
    for (int edge : {1, 300}) {
        rep->SetZoom(edge);
        EXPECT_EQ(rep->Zoom(), edge);
    }
}

TEST_F(Fixture, ResizingTheReportStoresTheSizeOnlyOnCustomPaper)
{
    auto* rep = new TBandoriaRep(form.get());
    rep->Page().SetPaperSize(TQRPaperSize::A4);
    rep->SetBounds(0, 0, 378, 567);
    EXPECT_DOUBLE_EQ(d(rep->Page().Width()), 210);
    rep->Page().SetPaperSize(TQRPaperSize::Custom);
    rep->SetBounds(0, 0, 100, 100);
    rep->SetBounds(0, 0, 378, 567);
    EXPECT_NEAR(d(rep->Page().Width()), 100.0125, 1e-9);
    EXPECT_NEAR(d(rep->Page().Length()), 150.01875, 1e-9);
}

TEST_F(Fixture, MirrorDoesNotEchoBackIntoTheStoredValue)
{
    auto* rep = new TBandoriaRep(form.get());
    auto* band = rep->CreateBand(rbDetail);
    auto* label = new TQRLabel(form.get());
    label->SetParent(band);
    label->Size().SetLeft(10.004L);
    EXPECT_EQ(label->Left(), 38);
    // 38 pixels would read back as 10.054 mm; the stored value keeps its own.
    EXPECT_DOUBLE_EQ(d(label->Size().Left()), 10.004);
    label->SetLeft(40);  // a move in pixels is stored back
    EXPECT_NEAR(d(label->Size().Left()), 10.583, 1e-3);
}

// --- loading ---------------------------------------------------------------

TEST_F(Fixture, RememberedPixelBoundsFillOnlyZeroDerivedBounds)
{
    form->BeginLoading();
    auto* rep = new TBandoriaRep(form.get());
    auto* band = new TQRBand(form.get());
    band->SetParent(rep);
    auto* label = new TQRLabel(form.get());
    label->SetParent(band);
    label->SetAutoSize(false);
    label->Size().ReadValues({0.0L, 0.0L, 52.9166L, 264.58333L});
    label->SetBounds(5, 6, 70, 16);
    form->EndLoading();
    EXPECT_EQ(label->Left(), 5);     // derived 0: remembered
    EXPECT_EQ(label->Top(), 20);     // derived from the values
    EXPECT_EQ(label->Width(), 100);
    EXPECT_EQ(label->Height(), 16);  // derived 0: remembered
}

TEST_F(Fixture, StoredFontSizeWinsOverThePixelHeight)
{
    form->BeginLoading();
    auto* rep = new TBandoriaRep(form.get());
    auto* band = new TQRBand(form.get());
    band->SetParent(rep);
    auto* label = new TQRLabel(form.get());
    label->SetParent(band);
    TQRFont f;
    f.Name = "Courier New";
    f.Height = -16;
    label->SetFont(f);
    label->ReadFontSize(8);
    EXPECT_EQ(label->Font().Height, -16);  // held while loading
    form->EndLoading();
    EXPECT_EQ(label->Font().Size(), 8);
    EXPECT_EQ(label->Font().Height, -11);
    EXPECT_EQ(label->WriteFontSize(), 8);
}

TEST_F(Fixture, UnitsReachEverySizeObject)
{
    auto* rep = new TBandoriaRep(form.get());
    auto* band = rep->CreateBand(rbDetail);
    auto* label = new TQRLabel(form.get());
    label->SetParent(band);
    auto* mark = new TQRLabel(form.get());
    mark->SetParent(rep);
    rep->SetUnits(TQRUnit::Inches);
    EXPECT_EQ(rep->Page().Units(), TQRUnit::Inches);
    EXPECT_EQ(band->Size().Units(), TQRUnit::Inches);
    EXPECT_EQ(label->Size().Units(), TQRUnit::Inches);
    EXPECT_EQ(mark->Size().Units(), TQRUnit::Inches);
    auto* late = new TQRLabel(form.get());
    late->SetParent(band);  // takes the band's units
    EXPECT_EQ(late->Size().Units(), TQRUnit::Inches);
}

// --- papers ----------------------------------------------------------------

struct PaperRowCase {
    TQRPaperSize size;
    const char* name;
    long double width, length;
};

class PaperTable : public ::testing::TestWithParam<PaperRowCase> {};

TEST_P(PaperTable, RowsMatchTheirCodes)
{
    const PaperRowCase& c = GetParam();
    auto dims = PaperDimensions(c.size);
    ASSERT_TRUE(dims);
    EXPECT_DOUBLE_EQ(d(dims->Width), d(c.width));
    EXPECT_DOUBLE_EQ(d(dims->Length), d(c.length));
    EXPECT_EQ(PaperSizeName(c.size), c.name);
    EXPECT_EQ(PaperSizeFromName(c.name), c.size);
}

INSTANTIATE_TEST_SUITE_P(Rows, PaperTable,
                         ::testing::Values(PaperRowCase{TQRPaperSize::Letter, "Letter", 215.9L, 279.4L},
                                           PaperRowCase{TQRPaperSize::A4, "A4", 210, 297},
                                           PaperRowCase{TQRPaperSize::Ledger, "Ledger", 431.8L, 279.4L},
                                           PaperRowCase{TQRPaperSize::EnvB6, "EnvB6", 176, 125},
                                           PaperRowCase{TQRPaperSize::Reserved2, "Reserved2", 100, 100},
                                           PaperRowCase{TQRPaperSize::A3ExtraTrans, "A3ExtraTrans", 445, 322}));

TEST(PaperCodes, NamedPapersAreCodesOneToSixtyEight)
{
    EXPECT_EQ(static_cast<int>(TQRPaperSize::A4), 9);
    EXPECT_EQ(static_cast<int>(TQRPaperSize::A3ExtraTrans), 68);
    EXPECT_EQ(static_cast<int>(TQRPaperSize::Custom), 69);
    for (int code = 1; code <= 68; ++code) {
        auto size = PaperSizeFromCode(code);
        ASSERT_TRUE(size);
        EXPECT_TRUE(PaperDimensions(*size)) << code;
        EXPECT_EQ(PaperSizeFromName(PaperSizeName(*size)), size) << code;
    }
    for (int code : {0, 69, 256, -1})
        EXPECT_FALSE(PaperSizeFromCode(code)) << code;
    EXPECT_FALSE(PaperDimensions(TQRPaperSize::Default));
    EXPECT_FALSE(PaperDimensions(TQRPaperSize::Custom));
}

// --- defaults from the locale and the printer -------------------------------

struct DefaultsCase {
    bool us;
    TQRUnit units;
    TQRPaperSize paper;
    long double margin;  // native
    long double width;   // native
};

class PageDefaults : public ::testing::TestWithParam<DefaultsCase> {
protected:
    void TearDown() override
    {
        SetUSMeasureQuery({});
        SetPrinterPaperQuery({});
    }
};

TEST_P(PageDefaults, FollowTheMeasurementSystem)
{
    const DefaultsCase& c = GetParam();
    SetUSMeasureQuery([us = c.us] { return us; });
    SetPrinterPaperQuery([paper = c.paper] { return static_cast<int>(paper); });
    TQRForm form;
    auto* rep = new TBandoriaRep(&form);
    const TQRPage& p = rep->Page();
    EXPECT_EQ(p.Units(), c.units);
    EXPECT_EQ(rep->Units(), c.units);
    EXPECT_EQ(p.PaperSize(), c.paper);
    for (std::size_t i : {TQRPage::iTopMargin, TQRPage::iBottomMargin, TQRPage::iLeftMargin, TQRPage::iRightMargin})
        EXPECT_DOUBLE_EQ(d(p.Value(i)), d(c.margin));
    EXPECT_NEAR(d(p.Value(TQRPage::iWidth)), d(c.width), 1e-9);
    EXPECT_EQ(p.Columns(), 1);
    EXPECT_TRUE(p.Ruler());
    EXPECT_EQ(p.PrintOrder(), TQRPrintOrder::ColByCol);
}

INSTANTIATE_TEST_SUITE_P(Locales, PageDefaults,
                         ::testing::Values(DefaultsCase{false, TQRUnit::MM, TQRPaperSize::A4, 100, 2100},
                                           DefaultsCase{true, TQRUnit::Inches, TQRPaperSize::Letter, 127, 2159}));

TEST(PrinterPaper, WithoutAPrinterTheReportUsesDefault)
{
    for (int code : {0, 300}) {
        SetPrinterPaperQuery([code] { return code; });
        TQRForm form;
        auto* rep = new TBandoriaRep(&form);
        EXPECT_EQ(rep->Page().PaperSize(), TQRPaperSize::Default) << code;
    }
    SetPrinterPaperQuery({});
    TQRForm form;
    EXPECT_EQ((new TBandoriaRep(&form))->Page().PaperSize(), TQRPaperSize::Default);
}

TEST(NewReport, ValuesAtCreation)
{
    TQRForm form;
    auto* rep = new TBandoriaRep(&form);
    EXPECT_FALSE(form.Scaled());
    EXPECT_EQ(rep->Zoom(), 100);
    EXPECT_EQ(rep->Options, FirstPageHeader | LastPageFooter);
    EXPECT_TRUE(rep->PrintIfEmpty());
    EXPECT_EQ(rep->Font().Name, "Arial");
    EXPECT_EQ(rep->Font().Size(), 10);
    EXPECT_EQ(rep->BackgroundColor, 16777215u);
    EXPECT_TRUE(rep->ShowProgress);
    EXPECT_TRUE(rep->PrevShowThumbs);
    EXPECT_EQ(rep->PreviewDefaultSaveType, TPrevSaveType::stPDF);
    EXPECT_EQ(rep->State, TQRState::qrAvailable);
    EXPECT_TRUE(rep->Available);
    EXPECT_EQ(rep->PageNumber, 0);
    EXPECT_EQ(rep->RotateBands(), 0);
    ASSERT_EQ(rep->Functions().Count(), 3u);
    EXPECT_EQ(*rep->Functions().Find("PAGENUMBER"), "0");
    EXPECT_EQ(*rep->Functions().Find("columnnumber"), "0");
    EXPECT_EQ(*rep->Functions().Find("REPORTTITLE"), "''");
    EXPECT_EQ(rep->DataSet(), nullptr);
}

// --- the locale service ------------------------------------------------------

TEST(LocaleMeasurement, UnknownOrPortableLocalesAreMetric)
{
    using zt::platform::MeasurementSystem;
    for (const char* name : {"", "C", "POSIX", "xx_NOWHERE.UTF-8"})
        EXPECT_EQ(zt::platform::measurementSystemOf(name), MeasurementSystem::Metric) << name;
}

TEST(LocaleMeasurement, USLocaleGivesUSMeasure)
{
    using zt::platform::MeasurementSystem;
    if (const auto missing = zt::testing::missingLocale("en_US.UTF-8"))
        GTEST_SKIP() << *missing;
    EXPECT_EQ(zt::platform::measurementSystemOf("en_US.UTF-8"), MeasurementSystem::US);
}

using zt::testing::ScopedEnv;

TEST(LocaleMeasurement, EnvironmentPrecedence)
{
    ScopedEnv all("LC_ALL", nullptr), meas("LC_MEASUREMENT", nullptr), lang("LANG", "de_DE.UTF-8");
    EXPECT_EQ(zt::platform::measurementLocaleName(), "de_DE.UTF-8");
    {
        ScopedEnv m("LC_MEASUREMENT", "en_US.UTF-8");
        EXPECT_EQ(zt::platform::measurementLocaleName(), "en_US.UTF-8");
        ScopedEnv a("LC_ALL", "C");
        EXPECT_EQ(zt::platform::measurementLocaleName(), "C");
    }
    ScopedEnv emptyLang("LANG", "");
    EXPECT_EQ(zt::platform::measurementLocaleName(), "");
}

} // namespace
