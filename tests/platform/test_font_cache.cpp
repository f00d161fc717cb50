// The resolutions kept between runs: a resolver with a cache file gives the
// answers fontconfig gives, whatever changed in between (fonts added,
// removed, replaced, the configuration, the environment), and starts
// fontconfig only when something did. Every test runs on a private font
// folder and configuration (FONTCONFIG_FILE), so this binary is one of its
// own: fontconfig's default configuration is reloaded between questions.

#include "platform/fonts/FontCache.h"
#include "platform/fonts/FontResolver.h"
#include "platform/fonts/FontService.h"

#include "support/ScopedEnv.h"
#include "support/ScratchFolder.h"

#include <fontconfig/fontconfig.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

using namespace zt::platform;
namespace fs = std::filesystem;

extern "C" const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

namespace {

std::string liberation(const std::string& name)
{
    for (const char* dir : {"/usr/share/fonts/truetype/liberation/", "/usr/share/fonts/truetype/liberation2/"})
        if (fs::exists(std::string(dir) + name))
            return std::string(dir) + name;
    return {};
}

// Waits until the clock a resolver reads before loading fontconfig (the
// coarse one, which lags the time files are stamped with by a tick or two)
// has passed now, so that what was changed before is older than any load
// after (a change at or after a load's start is, rightly, not kept).
void letFileClockTick()
{
    timespec now{}, coarse{};
    ::clock_gettime(CLOCK_REALTIME, &now);
    do
        ::clock_gettime(CLOCK_REALTIME_COARSE, &coarse);
    while (coarse.tv_sec < now.tv_sec || (coarse.tv_sec == now.tv_sec && coarse.tv_nsec <= now.tv_nsec));
}

class FontCacheTest : public ::testing::Test {
protected:
    FontCacheTest()
    {
        fs::create_directories(fonts);
        // A folder of its own: fontconfig makes its cache folder while it
        // loads, which would change a folder the configuration lies in.
        fs::create_directories(fs::path(config).parent_path());
        writeConfig("");
        addFont("LiberationSans-Regular.ttf");
        letFileClockTick();
    }

    void writeConfig(const std::string& extra)
    {
        std::ofstream(config) << "<?xml version=\"1.0\"?>\n<fontconfig><dir>" << fonts.string() << "</dir><cachedir>"
                              << scratch.file("fc-cache") << "</cachedir>" << extra << "</fontconfig>\n";
    }
    void addFont(const std::string& name, const std::string& as = {})
    {
        const std::string from = liberation(name);
        ASSERT_FALSE(from.empty()) << name;
        fs::copy_file(from, fonts / (as.empty() ? name : as), fs::copy_options::overwrite_existing);
    }

    // What fontconfig itself answers now, as a process started now would.
    ResolvedFace fontconfigAnswer(const std::string& face, bool bold = false, bool italic = false)
    {
        FcInitReinitialize();
        return FontResolver().resolve(face, bold, italic);
    }
    // The answer of a resolver with the cache file, and whether it needed fontconfig.
    ResolvedFace cachedAnswer(const std::string& face, bool bold, bool italic, bool& started)
    {
        FontResolver resolver(std::string(kFallbackFamily), cacheFile);
        ResolvedFace answer = resolver.resolve(face, bold, italic);
        started = resolver.startedFontconfig();
        return answer;
    }
    void expectSameAnswers(const std::string& face, bool bold, bool italic, bool expectStarted)
    {
        bool started = false;
        const ResolvedFace cached = cachedAnswer(face, bold, italic, started);
        const ResolvedFace truth = fontconfigAnswer(face, bold, italic);
        EXPECT_EQ(cached.file, truth.file) << face;
        EXPECT_EQ(cached.family, truth.family) << face;
        EXPECT_EQ(cached.index, truth.index) << face;
        EXPECT_EQ(cached.bold, truth.bold) << face;
        EXPECT_EQ(cached.italic, truth.italic) << face;
        EXPECT_EQ(cached.requested, face);
        EXPECT_EQ(started, expectStarted) << face;
    }
    void warm(const std::string& face, bool bold = false, bool italic = false)
    {
        bool started = false;
        cachedAnswer(face, bold, italic, started);
        ASSERT_TRUE(fs::exists(cacheFile));
        cachedAnswer(face, bold, italic, started);
        ASSERT_FALSE(started) << "the second run should find " << face << " in the cache";
    }

    zt::testing::ScratchFolder scratch{"font-cache"};
    fs::path fonts = scratch.path() / "fonts";
    std::string config = scratch.file("conf/fonts.conf");
    std::string cacheFile = scratch.file("cache/zettelino/schriften.cache");
    zt::testing::ScopedEnv configEnv{"FONTCONFIG_FILE", config.c_str()};
};

TEST_F(FontCacheTest, AWarmCacheAnswersWithoutStartingFontconfig)
{
    expectSameAnswers("Arial", false, false, true);
    expectSameAnswers("Arial", false, false, false);
    // An unknown face takes the fallback, which is kept too.
    expectSameAnswers("NoSuchFace XYZ", true, false, true);
    expectSameAnswers("NoSuchFace XYZ", true, false, false);
    expectSameAnswers("Arial", false, false, false);
}

TEST_F(FontCacheTest, TheCacheIsPrivate)
{
    warm("Arial");
    struct stat st {};
    ASSERT_EQ(::stat(cacheFile.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    ASSERT_EQ(::stat(fs::path(cacheFile).parent_path().c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
}

TEST_F(FontCacheTest, AnAddedFontIsSeen)
{
    warm("Arial", true, false);
    addFont("LiberationSans-Bold.ttf");
    letFileClockTick();
    expectSameAnswers("Arial", true, false, true);
    EXPECT_EQ(fs::path(fontconfigAnswer("Arial", true, false).file).filename(), "LiberationSans-Bold.ttf");
    expectSameAnswers("Arial", true, false, false);
}

TEST_F(FontCacheTest, ARemovedFontIsSeen)
{
    addFont("LiberationSans-Bold.ttf");
    letFileClockTick();
    warm("Arial", true, false);
    fs::remove(fonts / "LiberationSans-Bold.ttf");
    letFileClockTick();
    expectSameAnswers("Arial", true, false, true);
    EXPECT_EQ(fs::path(fontconfigAnswer("Arial", true, false).file).filename(), "LiberationSans-Regular.ttf");
}

TEST_F(FontCacheTest, AFontReplacedInPlaceIsAskedAgain)
{
    warm("Arial");
    {
        // Rewritten in place: the folder does not change, the file does.
        const std::string other = liberation("LiberationSans-Bold.ttf");
        std::ifstream in(other, std::ios::binary);
        std::ofstream out(fonts / "LiberationSans-Regular.ttf", std::ios::binary | std::ios::trunc);
        out << in.rdbuf();
    }
    letFileClockTick();
    expectSameAnswers("Arial", false, false, true);
}

TEST_F(FontCacheTest, AFontReplacedByAnotherFileIsSeen)
{
    warm("Courier New");
    addFont("LiberationMono-Regular.ttf");
    letFileClockTick();
    expectSameAnswers("Courier New", false, false, true);
    EXPECT_EQ(fontconfigAnswer("Courier New").family, "Liberation Mono");
    warm("Courier New");
    // Another face under the same name, renamed over it.
    addFont("LiberationMono-Bold.ttf", "new.ttf");
    fs::rename(fonts / "new.ttf", fonts / "LiberationMono-Regular.ttf");
    letFileClockTick();
    expectSameAnswers("Courier New", false, false, true);
}

TEST_F(FontCacheTest, AChangedConfigurationIsSeen)
{
    warm("Times New Roman");
    const fs::path more = scratch.path() / "more";
    fs::create_directories(more);
    fs::copy_file(liberation("LiberationSerif-Regular.ttf"), more / "LiberationSerif-Regular.ttf");
    writeConfig("<dir>" + more.string() + "</dir>");
    letFileClockTick();
    expectSameAnswers("Times New Roman", false, false, true);
    EXPECT_EQ(fontconfigAnswer("Times New Roman").family, "Liberation Serif");
}

TEST_F(FontCacheTest, AnotherEnvironmentAsksAgain)
{
    warm("Arial");
    zt::testing::ScopedEnv lang("FC_LANG", "ja");
    expectSameAnswers("Arial", false, false, true);
}

TEST_F(FontCacheTest, AFileChangedWhileFontconfigReadsIsNotKept)
{
    // A time at or after the configuration's load may be a change fontconfig
    // did not see.
    const std::string font = (fonts / "LiberationSans-Regular.ttf").string();
    timespec later[2]{};
    ::clock_gettime(CLOCK_REALTIME, &later[0]);
    later[0].tv_sec += 3600;
    later[1] = later[0];
    ASSERT_EQ(::utimensat(AT_FDCWD, font.c_str(), later, 0), 0);
    expectSameAnswers("Arial", false, false, true);
    expectSameAnswers("Arial", false, false, true);
}

TEST_F(FontCacheTest, ADamagedCacheIsNeverTrusted)
{
    warm("Arial");
    std::string good;
    {
        std::ifstream in(cacheFile, std::ios::binary);
        good.assign(std::istreambuf_iterator<char>(in), {});
    }
    // Whole and well formed, but its stamps no longer hold.
    std::optional<FontCacheContents> stale = parseFontCache(good);
    ASSERT_TRUE(stale);
    for (PathStamp& s : stale->stamps)
        s.size += 1;
    const std::string lying = serializeFontCache(*stale).value();
    for (const std::string& damaged : {good.substr(0, good.size() / 2), lying, std::string("\0\0\0", 3),
                                       std::string()}) {
        std::ofstream(cacheFile, std::ios::binary | std::ios::trunc) << damaged;
        expectSameAnswers("Arial", false, false, true);
        expectSameAnswers("Arial", false, false, false);  // written anew, whole
    }
}

// Hinted advances kept by one run answer the next one's measurements: the
// same widths as measuring, without running the font's instructions.
TEST_F(FontCacheTest, AdvancesOfAnEarlierRunAnswerTheSame)
{
    addFont("LiberationMono-Regular.ttf");
    letFileClockTick();
    const std::string sample = "Sehr geehrte Damen und Herren, 0123456789 ÄÖÜäöüß € (netto)";
    FcInitReinitialize();
    const int measured = FontService().font("Courier New", 10, 96)->textWidth(sample);
    int first = 0;
    {
        FontService service(cacheFile);
        first = service.font("Courier New", 10, 96)->textWidth(sample);
        service.font("Arial", 8, 96)->textWidth(sample);
        EXPECT_GT(service.hintedGlyphs(), 0u);
        service.keepMeasurements();
    }
    FontService again(cacheFile);
    EXPECT_EQ(again.font("Courier New", 10, 96)->textWidth(sample), first);
    EXPECT_EQ(again.font("Arial", 8, 96)->textWidth(sample), FontService().font("Arial", 8, 96)->textWidth(sample));
    EXPECT_EQ(again.hintedGlyphs(), 0u);
    EXPECT_EQ(first, measured);
    // Another size is measured, and kept in its turn.
    again.font("Courier New", 12, 96)->textWidth(sample);
    EXPECT_GT(again.hintedGlyphs(), 0u);
}

TEST_F(FontCacheTest, AdvancesOfAReplacedFileAreMeasuredAnew)
{
    const std::string sample = "Wwww iiii MMMM";
    {
        FontService service(cacheFile);
        service.font("Arial", 10, 96)->textWidth(sample);
        service.keepMeasurements();
    }
    {
        // The bold face's bytes in the regular face's file: other advances.
        std::ifstream in(liberation("LiberationSans-Bold.ttf"), std::ios::binary);
        std::ofstream out(fonts / "LiberationSans-Regular.ttf", std::ios::binary | std::ios::trunc);
        out << in.rdbuf();
    }
    letFileClockTick();
    FcInitReinitialize();
    const int truth = FontService().font("Arial", 10, 96)->textWidth(sample);
    FontService after(cacheFile);
    EXPECT_EQ(after.font("Arial", 10, 96)->textWidth(sample), truth);
    EXPECT_GT(after.hintedGlyphs(), 0u);
}

TEST(FontCacheFile, ReadsBackWhatItWrites)
{
    FontCacheContents c;
    c.environment = {{"HOME", "/home/brief"}, {"FC_LANG", std::nullopt}, {"LANG", ""}};
    c.stamps = {stampOf("/"), stampOf("/no/such/path/here")};
    c.stamps[0].path = "/fonts/a b.ttf";
    c.matches = {{"Liberation Sans", true, false, ResolvedFace{"", "Liberation Sans", "/fonts/a b.ttf", 2, true, false}},
                 {"NoSuchFace", false, true, std::nullopt}};
    c.advances = {{"/fonts/a b.ttf", 2, 13, {{3, 8}, {36, 7}, {1000, -1}}}};
    const std::optional<std::string> bytes = serializeFontCache(c);
    ASSERT_TRUE(bytes);
    const std::optional<FontCacheContents> back = parseFontCache(*bytes);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->environment, c.environment);
    EXPECT_EQ(back->stamps, c.stamps);
    ASSERT_EQ(back->matches.size(), 2u);
    ASSERT_TRUE(back->matches[0].face);
    EXPECT_EQ(back->matches[0].face->file, "/fonts/a b.ttf");
    EXPECT_EQ(back->matches[0].face->index, 2);
    EXPECT_TRUE(back->matches[0].face->bold);
    EXPECT_FALSE(back->matches[1].face);
    EXPECT_EQ(back->advances, c.advances);
    EXPECT_NE(back->find("NoSuchFace", false, true), nullptr);
    EXPECT_EQ(back->find("NoSuchFace", false, false), nullptr);

    // Every byte changed or cut off makes it no cache of ours.
    for (std::size_t i = 0; i < bytes->size(); ++i) {
        std::string flipped = *bytes;
        flipped[i] = static_cast<char>(flipped[i] ^ 0x01);
        EXPECT_FALSE(parseFontCache(flipped)) << "byte " << i;
        EXPECT_FALSE(parseFontCache(std::string_view(*bytes).substr(0, i))) << "cut at " << i;
    }
}

TEST(FontCacheFile, KeepsNoAnswerItCouldNotCheck)
{
    FontCacheContents c;
    c.matches = {{"Liberation Sans", false, false, ResolvedFace{"", "Liberation Sans", "/fonts/a.ttf", 0, false, false}}};
    EXPECT_FALSE(serializeFontCache(c)) << "a face whose file has no stamp";
    c.stamps = {stampOf("/fonts/a.ttf")};
    EXPECT_FALSE(serializeFontCache(c)) << "a face whose file is missing";
    c.stamps[0].present = true;
    EXPECT_TRUE(serializeFontCache(c));
    c.advances = {{"/fonts/b.ttf", 0, 13, {{3, 8}}}};
    EXPECT_FALSE(serializeFontCache(c)) << "advances of a file that has no stamp";
    c.advances[0].file = "/fonts/a.ttf";
    const std::string good = serializeFontCache(c).value();
    EXPECT_TRUE(parseFontCache(good));
    c.stamps[0].path = "/fonts/a\tb.ttf";
    EXPECT_FALSE(serializeFontCache(c)) << "a path the format cannot carry";

    // Records out of their order, or advances not ascending, are no file of ours.
    const std::string header = good.substr(0, good.find('\n') + 1);
    const std::size_t sumAt = good.rfind("Z\t");
    const std::string records = good.substr(header.size(), sumAt - header.size());
    const std::size_t aAt = records.find("A\t");
    const std::string swapped = records.substr(aAt) + records.substr(0, aAt);
    EXPECT_NE(swapped, records);
    for (const std::string& body : {swapped, std::string(records).replace(records.find("3=8"), 3, "3=8,2=1")}) {
        // A valid checksum, so only the records themselves are judged.
        std::uint64_t h = 0xCBF29CE484222325ull;
        for (const char ch : header + body) {
            h ^= static_cast<unsigned char>(ch);
            h *= 0x100000001B3ull;
        }
        char sum[17];
        std::snprintf(sum, sizeof sum, "%016llx", static_cast<unsigned long long>(h));
        EXPECT_FALSE(parseFontCache(header + body + "Z\t" + sum + "\n")) << body;
        EXPECT_TRUE(parseFontCache(good));
    }
}

} // namespace
