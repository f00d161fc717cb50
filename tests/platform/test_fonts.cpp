#include "platform/core/PlatformError.h"
#include "platform/core/WinMath.h"
#include "platform/fonts/FontFace.h"
#include "platform/fonts/FontResolver.h"
#include "platform/fonts/FontService.h"
#include "platform/text/CodePage.h"
#include "platform/text/Utf.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <sys/wait.h>
#include <unistd.h>

using namespace zt::platform;

// fontconfig leaks a few hundred bytes once while loading its configuration
// (FcConfigReference followed by FcConfigDestroy and FcFini alone shows it);
// read by LeakSanitizer in sanitizer builds, unused otherwise.
extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace {

constexpr char kChildEnv[] = "ZT_TEST_FONTS_MEASURE";
constexpr char kUnknownFace[] = "NoSuchFace XYZ";
constexpr char kSample[] = "The quick brown fox jumps over the lazy dog, 0123456789 times.";

// Started with kChildEnv set, this binary prints the width of that text in
// the unknown face at 10 pt / 96 dpi and exits before any test runs, so the
// tests can compare measurements made by separate processes.
[[maybe_unused]] const bool kChildRun = [] {
    const char* text = std::getenv(kChildEnv);
    if (!text)
        return false;
    std::printf("%d\n", FontService::instance().font(kUnknownFace, 10, 96)->textWidth(text));
    std::fflush(stdout);
    std::_Exit(0);
}();

// The number a child process of this binary prints for `text`; -1 on failure.
int widthInChildProcess(const std::string& text)
{
    int fds[2];
    if (pipe(fds) != 0)
        return -1;
    const pid_t pid = fork();
    if (pid == 0) {
        dup2(fds[1], STDOUT_FILENO);
        close(fds[0]);
        close(fds[1]);
        setenv(kChildEnv, text.c_str(), 1);
        execl("/proc/self/exe", "test_fonts", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return -1;
    }
    std::string out;
    char buf[256];
    for (ssize_t n; (n = read(fds[0], buf, sizeof buf)) > 0;)
        out.append(buf, std::size_t(n));
    close(fds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || out.empty())
        return -1;
    return std::atoi(out.c_str());
}

LogFont logFont(const std::string& face, int height, bool bold = false, bool italic = false)
{
    LogFont lf;
    lf.face = face;
    lf.height = height;
    lf.weight = bold ? kFwBold : kFwNormal;
    lf.italic = italic;
    return lf;
}

std::string fileName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

// ---- building a font with an hdmx table (the installed Liberation fonts have none)

std::uint32_t be32(const std::vector<std::uint8_t>& d, std::size_t at)
{
    return std::uint32_t(d[at]) << 24 | std::uint32_t(d[at + 1]) << 16 | std::uint32_t(d[at + 2]) << 8 | d[at + 3];
}

void put16(std::vector<std::uint8_t>& d, std::size_t at, std::uint32_t v)
{
    d[at] = std::uint8_t(v >> 8);
    d[at + 1] = std::uint8_t(v);
}

void put32(std::vector<std::uint8_t>& d, std::size_t at, std::uint32_t v)
{
    put16(d, at, v >> 16);
    put16(d, at + 2, v & 0xFFFF);
}

// A copy of the TrueType file `font` with an hdmx record of `widths` at
// `ppem`, the tables re-laid out after the grown table directory.
std::vector<std::uint8_t> withHdmx(const std::vector<std::uint8_t>& font, int ppem, const std::vector<int>& widths)
{
    struct Table {
        std::uint32_t tag;
        std::vector<std::uint8_t> data;
    };
    std::vector<Table> tables;
    const std::size_t count = (std::size_t(font[4]) << 8) | font[5];
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t rec = 12 + 16 * i;
        const std::uint32_t offset = be32(font, rec + 8), length = be32(font, rec + 12);
        tables.push_back({be32(font, rec), {font.begin() + offset, font.begin() + offset + length}});
    }
    const std::size_t recordSize = (2 + widths.size() + 3) & ~std::size_t(3);
    std::vector<std::uint8_t> hdmx(8 + recordSize, 0);
    put16(hdmx, 2, 1);
    put32(hdmx, 4, std::uint32_t(recordSize));
    hdmx[8] = std::uint8_t(ppem);
    for (std::size_t g = 0; g < widths.size(); ++g) {
        hdmx[10 + g] = std::uint8_t(widths[g]);
        hdmx[9] = std::max<std::uint8_t>(hdmx[9], std::uint8_t(widths[g]));
    }
    tables.push_back({0x68646D78 /* hdmx */, hdmx});
    std::sort(tables.begin(), tables.end(), [](const Table& a, const Table& b) { return a.tag < b.tag; });

    std::vector<std::uint8_t> out(12 + 16 * tables.size(), 0);
    std::copy(font.begin(), font.begin() + 12, out.begin());
    put16(out, 4, std::uint32_t(tables.size()));
    for (std::size_t i = 0; i < tables.size(); ++i) {
        const std::size_t rec = 12 + 16 * i;
        put32(out, rec, tables[i].tag);
        put32(out, rec + 8, std::uint32_t(out.size()));
        put32(out, rec + 12, std::uint32_t(tables[i].data.size()));
        out.insert(out.end(), tables[i].data.begin(), tables[i].data.end());
        out.resize((out.size() + 3) & ~std::size_t(3), 0);
    }
    return out;
}

} // namespace

// ---------------------------------------------------------------- resolving faces

TEST(FontResolverTest, DocumentFacesResolveToMetricCompatibleFamilies)
{
    FontResolver resolver;
    EXPECT_EQ(resolver.resolve("Courier New", false, false).family, "Liberation Mono");
    EXPECT_EQ(resolver.resolve("Arial", false, false).family, "Liberation Sans");
    EXPECT_EQ(resolver.resolve("Times New Roman", false, false).family, "Liberation Serif");
    for (const char* dialogFace :
         {"MS Sans Serif", "Segoe UI", "Tahoma", "Microsoft Sans Serif", "System", "MS Shell Dlg", "MS Shell Dlg 2"})
        EXPECT_EQ(resolver.resolve(dialogFace, false, false).family, "Liberation Sans") << dialogFace;
}

TEST(FontResolverTest, FaceNamesIgnoreCase)
{
    FontResolver resolver;
    EXPECT_EQ(resolver.resolve("COURIER NEW", false, false).file, resolver.resolve("courier new", false, false).file);
    EXPECT_EQ(resolver.resolve("times new ROMAN", false, false).family, "Liberation Serif");
    EXPECT_EQ(resolver.resolve("liberation mono", false, false).family, "Liberation Mono");
}

TEST(FontResolverTest, StylesChooseTheirOwnFiles)
{
    FontResolver resolver;
    const ResolvedFace regular = resolver.resolve("Arial", false, false);
    const ResolvedFace bold = resolver.resolve("Arial", true, false);
    const ResolvedFace italic = resolver.resolve("Arial", false, true);
    const ResolvedFace boldItalic = resolver.resolve("Times New Roman", true, true);
    EXPECT_EQ(fileName(regular.file), "LiberationSans-Regular.ttf");
    EXPECT_EQ(fileName(bold.file), "LiberationSans-Bold.ttf");
    EXPECT_EQ(fileName(italic.file), "LiberationSans-Italic.ttf");
    EXPECT_EQ(fileName(boldItalic.file), "LiberationSerif-BoldItalic.ttf");
    EXPECT_FALSE(regular.bold || regular.italic);
    EXPECT_TRUE(bold.bold && !bold.italic);
    EXPECT_TRUE(!italic.bold && italic.italic);
    EXPECT_TRUE(boldItalic.bold && boldItalic.italic);
}

TEST(FontResolverTest, StyleIsTheFilesOwnWhenTheFamilyLacksIt)
{
    // fontconfig plans synthetic bold and slant for such a family and says
    // so in the match; the file itself stays regular, which is what decides
    // whether GDI emboldens.
    const std::string regularOnly = "DejaVu Math TeX Gyre";
    FontResolver resolver;
    const ResolvedFace face = resolver.resolve(regularOnly, true, true);
    if (face.family != regularOnly)
        GTEST_SKIP() << regularOnly << " is not installed";
    EXPECT_FALSE(face.bold);
    EXPECT_FALSE(face.italic);
    FontService service;
    const auto bold = service.font(logFont(regularOnly, -13, true));
    EXPECT_EQ(bold->advance(U'a'), service.font(logFont(regularOnly, -13))->advance(U'a') + 1);
}

TEST(FontResolverTest, UnknownFaceFallsBackToSans)
{
    FontResolver resolver;
    const ResolvedFace face = resolver.resolve(kUnknownFace, false, false);
    EXPECT_EQ(face.family, "Liberation Sans");
    EXPECT_EQ(face.requested, kUnknownFace);
    EXPECT_TRUE(std::filesystem::exists(face.file));
    EXPECT_EQ(fileName(resolver.resolve(kUnknownFace, true, false).file), "LiberationSans-Bold.ttf");
}

TEST(FontResolverTest, FailureNamesTheRequestedFace)
{
    FontResolver resolver("NoSuchFallback QQQ");
    try {
        resolver.resolve(kUnknownFace, false, false);
        FAIL() << "resolving should have failed";
    } catch (const PlatformError& e) {
        EXPECT_EQ(std::string(e.what()), "Font \"NoSuchFace XYZ\" cannot be found");
    }
    // A face that exists needs no fallback.
    EXPECT_EQ(resolver.resolve("Arial", false, false).family, "Liberation Sans");
}

// ---------------------------------------------------------------- metrics

TEST(FontMetricsTest, CourierNewTenPointAtNinetySixDpi)
{
    FontService service;
    const auto font = service.font("Courier New", 10, 96);
    EXPECT_EQ(font->logFont().height, -13);
    EXPECT_EQ(font->face().family, "Liberation Mono");
    EXPECT_EQ(font->face().requested, "Courier New");
    const TextMetrics& tm = font->metrics();
    EXPECT_EQ(tm.emHeight, 13);
    // winAscent 1705, winDescent 615 of 2048: 10.82 and 3.90, rounded apart.
    EXPECT_EQ(tm.ascent, 11);
    EXPECT_EQ(tm.descent, 4);
    EXPECT_EQ(tm.height, 15);
    EXPECT_EQ(tm.internalLeading, 2);
    EXPECT_EQ(tm.externalLeading, 0);
    EXPECT_EQ(tm.aveCharWidth, 8);
    for (char32_t c = 0x20; c < 0x7F; ++c)
        EXPECT_EQ(font->advance(c), 8) << "U+" << std::hex << unsigned(c);
    EXPECT_EQ(font->textWidth("Hello, world"), 12 * 8);
}

TEST(FontMetricsTest, PositiveHeightIsTheCellHeight)
{
    FontService service;
    const auto byCell = service.font(logFont("Courier New", 15));
    EXPECT_EQ(byCell->metrics().emHeight, 13);
    EXPECT_EQ(byCell->metrics().height, 15);
    // A height of 0 stands for a 16-pixel cell: 16 * 2048 / 2320 = 14.1 per em.
    const auto byDefault = service.font(logFont("Courier New", 0));
    EXPECT_EQ(byDefault->metrics().emHeight, 14);
}

TEST(FontMetricsTest, ArialTenPoint)
{
    FontService service;
    const TextMetrics& tm = service.font("Arial", 10, 96)->metrics();
    // winAscent 1854, winDescent 434 of 2048 at 13 ppem: 11.77 and 2.75.
    EXPECT_EQ(tm.ascent, 12);
    EXPECT_EQ(tm.descent, 3);
    EXPECT_EQ(tm.height, 15);
    EXPECT_EQ(tm.weight, 400);
    // The hhea line gap of 67 units exceeds the win span by 67 units: 3.3
    // pixels at 100 ppem.
    EXPECT_EQ(service.font(logFont("Arial", -100))->metrics().externalLeading, 3);
}

TEST(FontMetricsTest, ProportionalAdvancesDiffer)
{
    FontService service;
    const auto font = service.font("Arial", 10, 96);
    EXPECT_GT(font->advance(U'W'), font->advance(U'i'));
    EXPECT_GT(font->advance(U'm'), font->advance(U'l'));
}

TEST(FontMetricsTest, SimulatedBoldWidensEachAdvanceByOnePixel)
{
    // The bold request on the regular file: GDI emboldens it.
    FontResolver resolver;
    const auto face = std::make_shared<FontFace>(resolver.resolve("Arial", false, false));
    const Font regular(face, logFont("Arial", -13));
    const Font bold(face, logFont("Arial", -13, true));
    const Font italic(face, logFont("Arial", -13, false, true));
    EXPECT_EQ(bold.metrics().weight, 700);
    EXPECT_TRUE(italic.metrics().italic);
    for (char32_t c : {U'a', U'W', U' ', U'1'}) {
        EXPECT_EQ(bold.advance(c), regular.advance(c) + 1);
        EXPECT_EQ(italic.advance(c), regular.advance(c));
    }
    // With its own bold file the face is not emboldened.
    FontService service;
    const auto realBold = service.font("Arial", 10, 96, true);
    EXPECT_TRUE(realBold->face().bold);
    EXPECT_EQ(realBold->metrics().weight, 700);
}

TEST(FontMetricsTest, MissingCharactersTakeTheMissingGlyphsAdvance)
{
    FontResolver resolver;
    const auto face = std::make_shared<FontFace>(resolver.resolve("Arial", false, false));
    const Font font(face, logFont("Arial", -13));
    ASSERT_EQ(face->glyphIndex(U'\u4E00'), 0u);
    EXPECT_EQ(font.advance(U'\u4E00'), face->hintedAdvance(0, 13));
    EXPECT_EQ(font.advance(U'\U0010FFFD'), font.advance(U'\u4E00'));
}

TEST(FontMetricsTest, HintedAdvancesFollowHdmx)
{
    // An hdmx record overrides the hinted width, as GDI's rasteriser takes
    // it; shown with a deliberately wider 'i' grafted onto Liberation Sans.
    FontResolver resolver;
    const ResolvedFace resolved = resolver.resolve("Arial", false, false);
    const FontFace original(resolved);
    ASSERT_FALSE(original.metrics().hasHdmx);
    const int ppem = 13;
    std::vector<int> widths(std::size_t(original.metrics().glyphCount));
    for (std::size_t g = 0; g < widths.size(); ++g)
        widths[g] = original.hintedAdvance(std::uint32_t(g), ppem);
    const std::uint32_t i = original.glyphIndex(U'i'), a = original.glyphIndex(U'a');
    widths[i] += 3;

    const std::vector<std::uint8_t> bytes = original.fileData();
    const auto path = std::filesystem::temp_directory_path() / ("zt-hdmx-" + std::to_string(getpid()) + ".ttf");
    {
        const std::vector<std::uint8_t> grafted = withHdmx(bytes, ppem, widths);
        std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(grafted.data()),
                                                    std::streamsize(grafted.size()));
    }
    ResolvedFace copy = resolved;
    copy.file = path.string();
    {
        const FontFace withTable(copy);
        EXPECT_TRUE(withTable.metrics().hasHdmx);
        EXPECT_EQ(withTable.hdmxAdvance(i, ppem), widths[i]);
        EXPECT_EQ(withTable.hintedAdvance(i, ppem), widths[i]);
        EXPECT_EQ(withTable.hintedAdvance(a, ppem), original.hintedAdvance(a, ppem));
        EXPECT_FALSE(withTable.hdmxAdvance(i, ppem + 1).has_value());
    }
    std::filesystem::remove(path);
}

// ---------------------------------------------------------------- measuring text

TEST(TextMeasureTest, ExtentIsTheSumOfAdvances)
{
    FontService service;
    const auto font = service.font("Arial", 10, 96);
    const std::string text = "AVAST, Wälder € \xF0\x9F\x98\x80!";
    int sum = 0;
    for (std::size_t pos = 0; pos < text.size();)
        sum += font->advance(text::decodeUtf8(text, pos));
    const TextSize size = font->textExtent(text);
    EXPECT_EQ(size.cx, sum);
    EXPECT_EQ(size.cy, font->metrics().height);
    // No kerning: the pair measures as its two letters.
    EXPECT_EQ(font->textWidth("AV"), font->advance(U'A') + font->advance(U'V'));
}

// After many lines a fixed-pitch font counts Latin-1 text instead of adding
// its advances; every text, Latin-1 or not, well-formed or not, still
// measures as the sum of its characters' advances, in both kinds of font.
TEST(TextMeasureTest, ManyLinesMeasureAsTheSumOfTheirAdvancesInEveryFont)
{
    FontService service;
    const std::string pieces[] = {"a", "Wort ", "\xC3\xA4", "\xC3\x9F", "\xC2\xA0", "\xC2\xA7", "\xE2\x82\xAC",
                                  "\xC3", "\x80", "\t", "\xF0\x9F\x98\x80", std::string(20, 'm')};
    for (const auto& [face, bold] : {std::pair{"Courier New", false}, std::pair{"Courier New", true},
                                     std::pair{"Arial", false}}) {
        const auto font = service.font(face, 10, 96, bold);
        std::uint32_t seed = 99;
        for (int line = 0; line < 600; ++line) {
            std::string text;
            for (int i = 0; i < line % 23; ++i) {
                seed = seed * 1103515245u + 12345u;
                // Mostly letters and umlauts, now and then something else.
                const std::size_t k = (seed >> 16) % 40;
                text += pieces[k < 28 ? k % 4 : k < 36 ? 4 + k % 4 : 8 + k % 4];
            }
            int sum = 0;
            for (std::size_t pos = 0; pos < text.size();)
                sum += font->advance(text::decodeUtf8(text, pos));
            ASSERT_EQ(font->textWidth(text), sum) << face << " line " << line;
        }
    }
}

TEST(TextMeasureTest, EmptyTextHasNoWidthButTheCellHeight)
{
    FontService service;
    const auto font = service.font("Times New Roman", 12, 96);
    const TextSize size = font->textExtent("");
    EXPECT_EQ(size.cx, 0);
    EXPECT_EQ(size.cy, font->metrics().height);
    EXPECT_GT(size.cy, 0);
}

TEST(TextMeasureTest, Utf16AdvancesGiveASurrogatePairsWidthToItsFirstUnit)
{
    FontService service;
    const auto font = service.font("Arial", 10, 96);
    const std::string text = "a\xF0\x9F\x98\x80\xC3\xA9";  // a, U+1F600, é
    const std::vector<std::int32_t> advances = font->advancesUtf16(text::utf8ToUtf16(text));
    ASSERT_EQ(advances.size(), 4u);
    EXPECT_EQ(advances[0], font->advance(U'a'));
    EXPECT_EQ(advances[1], font->advance(U'\U0001F600'));
    EXPECT_EQ(advances[2], 0);
    EXPECT_EQ(advances[3], font->advance(U'é'));
    EXPECT_EQ(advances[0] + advances[1] + advances[3], font->textWidth(text));
}

TEST(TextMeasureTest, SameAcrossServicesAndProcesses)
{
    const int here = FontService::instance().font(kUnknownFace, 10, 96)->textWidth(kSample);
    FontService first, second;
    EXPECT_EQ(first.font(kUnknownFace, 10, 96)->textWidth(kSample), here);
    EXPECT_EQ(second.font(kUnknownFace, 10, 96)->textWidth(kSample), here);
    EXPECT_EQ(second.font(kUnknownFace, 10, 96)->face().family, "Liberation Sans");
    EXPECT_EQ(widthInChildProcess(kSample), here);
    EXPECT_EQ(widthInChildProcess(kSample), here);
}

TEST(TextMeasureTest, ConcurrentMeasuresAgree)
{
    FontService service;
    const auto font = service.font("Times New Roman", 11, 120);
    const std::string text = "Grüße aus Köln – \xE2\x80\x9Equoted\xE2\x80\x9C text, ÆØÅ æøå";
    std::vector<int> results(4, -1);
    {
        std::vector<std::jthread> threads;
        for (std::size_t t = 0; t < results.size(); ++t)
            threads.emplace_back([&, t] {
                for (int n = 0; n < 50; ++n)
                    results[t] = font->textWidth(text);
            });
    }
    const int expected = font->textWidth(text);
    for (int r : results)
        EXPECT_EQ(r, expected);
}

// ---------------------------------------------------------------- the font cache

TEST(FontCacheTest, EqualRequestsShareOneFont)
{
    FontService service;
    const auto a = service.font(logFont("Arial", -13));
    EXPECT_EQ(service.font(logFont("Arial", -13)), a);
    EXPECT_EQ(service.font(logFont("ARIAL", -13)), a);
    EXPECT_EQ(service.font("Arial", 10, 96), a);
    LogFont heavier = logFont("Arial", -13);
    heavier.weight = 800;
    EXPECT_EQ(service.font(heavier), service.font(logFont("Arial", -13, true)));
}

TEST(FontCacheTest, RequestsFromFilesCannotGrowTheCachesWithoutBound)
{
    FontService service;
    const auto first = service.font(logFont("Arial", -13));
    const int width = first->textWidth("Kurzmitteilung");
    for (int n = 0; n < 600; ++n)
        (void)service.font(logFont("Odd face " + std::to_string(n), -13));
    for (int h = 1; h <= 3000; ++h)
        (void)service.font(logFont("Arial", -h));
    EXPECT_LE(service.cachedResolutions(), 256u);
    EXPECT_LE(service.cachedFonts(), 2048u);
    // A font handed out before stays usable, and a new one measures alike.
    EXPECT_EQ(first->textWidth("Kurzmitteilung"), width);
    EXPECT_EQ(service.font(logFont("Arial", -13))->textWidth("Kurzmitteilung"), width);
}

TEST(FontCacheTest, DifferentRequestsGetDifferentFonts)
{
    FontService service;
    const auto a = service.font(logFont("Arial", -13));
    EXPECT_NE(service.font(logFont("Arial", -14)), a);
    EXPECT_NE(service.font(logFont("Arial", 13)), a);
    EXPECT_NE(service.font(logFont("Arial", -13, true)), a);
    EXPECT_NE(service.font(logFont("Arial", -13, false, true)), a);
    LogFont underlined = logFont("Arial", -13);
    underlined.underline = true;
    const auto u = service.font(underlined);
    EXPECT_NE(u, a);
    EXPECT_TRUE(u->metrics().underline);
    EXPECT_EQ(u->textWidth("underlined"), a->textWidth("underlined"));
}

// ---------------------------------------------------------------- widths at 1024 units

TEST(CharWidthsTest, MonospaceCodesAllShareTheDesignAdvance)
{
    FontService service;
    const auto widths = service.charWidths(logFont("Courier New", -13), text::kCodePage1252);
    // Every glyph is 1229 of 2048 units wide: 614.5 at 1024, rounded half up.
    const FontFace face(service.resolve("Courier New", false, false));
    ASSERT_EQ(face.designAdvance(face.glyphIndex(U'M')), 1229);
    for (int code = 0; code < 256; ++code)
        EXPECT_EQ(widths[code], 615) << "code " << code;
}

TEST(CharWidthsTest, ProportionalCodesFollowTheCodePage)
{
    FontService service;
    const LogFont request = logFont("Arial", -13);
    const auto widths = service.charWidths(request, text::kCodePage1252);
    EXPECT_GT(widths['W'], widths['i']);
    const FontFace face(service.resolve("Arial", false, false));
    EXPECT_EQ(widths['W'], MulDiv(face.designAdvance(face.glyphIndex(U'W')), 1024, 2048));
    // 0x80 is the euro sign in Windows-1252.
    LogFont large = request;
    large.height = -1024;
    EXPECT_EQ(widths[0x80], service.font(large)->advance(U'€'));
}

// ---------------------------------------------------------------- outline metrics and file data

TEST(OutlineMetricsTest, ItalicAngleInTenthsOfADegree)
{
    FontService service;
    const OutlineMetrics italic = service.font("Arial", 10, 96, false, true)->outlineMetrics();
    const OutlineMetrics regular = service.font("Arial", 10, 96)->outlineMetrics();
    EXPECT_EQ(italic.italicAngle, -120);  // post.italicAngle -12.0
    EXPECT_EQ(regular.italicAngle, 0);
}

TEST(OutlineMetricsTest, TypographicValuesAtTheEmHeight)
{
    FontService service;
    const OutlineMetrics om = service.font(logFont("Arial", -2048))->outlineMetrics();
    // At one pixel per design unit the values are the font's own.
    EXPECT_EQ(om.emSquare, 2048);
    EXPECT_EQ(om.ascent, 1491);
    EXPECT_EQ(om.descent, -431);
    EXPECT_EQ(om.lineGap, 307);
    EXPECT_EQ(om.capHeight, 1409);
    EXPECT_EQ(om.xHeight, 1082);
    EXPECT_LT(om.boxLeft, 0);
    EXPECT_LT(om.boxBottom, om.descent);
    EXPECT_GT(om.boxTop, om.ascent);
    EXPECT_GT(om.boxRight, om.emSquare);
}

TEST(FontDataTest, IsTheWholeFontFile)
{
    FontService service;
    const auto font = service.font("Times New Roman", 10, 96);
    const std::vector<std::uint8_t> data = font->fontData();
    ASSERT_EQ(data.size(), std::filesystem::file_size(font->face().file));
    ASSERT_GE(data.size(), 4u);
    EXPECT_EQ(be32(data, 0), 0x00010000u);  // TrueType outlines
    // The bytes without a copy are the same file.
    const std::span<const std::uint8_t> bytes = font->fontBytes();
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), data.begin(), data.end()));
}
