#include "cli/ReportCommands.h"
#include "pages/QRPageList.h"
#include "pages/QRStream.h"
#include "platform/gdi/EmfRecorder.h"

#include <QImage>
#include "support/BatchExitStatus.h"
#include "support/QtTestApp.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

using namespace zt;
using namespace zt::platform::gdi;
namespace fs = std::filesystem;

namespace {

TMetafile page(int number)
{
    auto rec = EmfRecorder::forPage(RefDevice::screen(), 794, 1123);
    zt::platform::LogFont lf;
    lf.face = "Arial";
    lf.height = -13;
    rec.SelectObject(rec.CreateFontIndirect(lf));
    rec.TextOut(100, 1080, "Seite " + std::to_string(number));
    rec.SelectObject(rec.CreateBrushIndirect(BS_SOLID, 0));
    rec.FillRect({10, 10, 20, 20});
    return rec.Finish();
}

class ReportCommands : public ::testing::Test {
protected:
    static void SetUpTestSuite() { zt::testing::ensureGuiApplication(); }
    void SetUp() override
    {
        std::string pattern = fs::temp_directory_path().string() + "/zt-cli-XXXXXX";
        dir_ = std::string(::mkdtemp(pattern.data())) + "/";
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string save(int pages, bool packed)
    {
        pages::TQRPageList list;
        list.SetCompression(packed);
        list.SetStream(std::make_unique<pages::TQRStream>(1000000));
        for (int i = 1; i <= pages; ++i)
            list.AddPage(page(i));
        list.Finish();
        const std::string path = dir_ + "report.QRP";
        list.SaveToFile(path);
        return path;
    }

    int run(std::vector<std::string> args)
    {
        out_.str("");
        err_.str("");
        return cli::runReportCommands(cli::parseBatchOptions(args), out_, err_);
    }

    std::string dir_;
    std::ostringstream out_, err_;
};

} // namespace

TEST_F(ReportCommands, InfoDescribesEveryPage)
{
    const std::string path = save(2, true);
    ASSERT_EQ(run({path, "--info"}), exit_status::done) << err_.str();
    const std::string bytes = std::to_string(page(1).Bytes().size());
    EXPECT_EQ(out_.str(), "Seiten: 2\ngepackt: ja\n"
                          "Seite 1: 794 x 1123 px, " + bytes + " Bytes, 8 Datensätze\n"
                          "Seite 2: 794 x 1123 px, " + bytes + " Bytes, 8 Datensätze\n");
}

TEST_F(ReportCommands, PngsShowThePages)
{
    const std::string path = save(3, false);
    ASSERT_EQ(run({path, "--png", dir_ + "png"}), exit_status::done) << err_.str();
    for (const char* name : {"page-001.png", "page-002.png", "page-003.png"}) {
        const QImage img(QString::fromStdString(dir_ + "png/" + name));
        ASSERT_FALSE(img.isNull()) << name;
        EXPECT_EQ(img.size(), QSize(794, 1123));
        EXPECT_LT(qGray(img.pixel(15, 15)), 64) << "the filled square";
        EXPECT_EQ(qGray(img.pixel(40, 40)), 255);
    }
    EXPECT_FALSE(fs::exists(dir_ + "png/page-004.png"));
}

TEST_F(ReportCommands, DamagedFilesAreRefusedBeforeAnythingIsWritten)
{
    std::ofstream(dir_ + "junk.QRP", std::ios::binary) << std::string(300, 'H');
    EXPECT_EQ(run({dir_ + "junk.QRP", "--png", dir_ + "png"}), exit_status::badReport);
    EXPECT_NE(err_.str().find("keine lesbare Berichtsdatei"), std::string::npos);
    EXPECT_FALSE(fs::exists(dir_ + "png"));
    // A file the system cannot open is not a damaged one.
    EXPECT_EQ(run({dir_ + "missing.QRP", "--info"}), exit_status::notWritten);
    EXPECT_NE(err_.str().find("Datei oder Verzeichnis nicht gefunden"), std::string::npos);
    EXPECT_EQ(err_.str().find("keine lesbare Berichtsdatei"), std::string::npos) << err_.str();
    EXPECT_EQ(run({dir_, "--info"}), exit_status::notWritten) << err_.str();

    // A file cut short inside its second page.
    const std::string path = save(2, false);
    fs::resize_file(path, fs::file_size(path) - 40);
    EXPECT_EQ(run({path, "--info"}), exit_status::badReport);
    EXPECT_NE(err_.str().find("der Kopf zählt 2 Seiten, die Datei enthält 1"), std::string::npos) << err_.str();
}

TEST_F(ReportCommands, IndependentlyWrittenFilesRenderTheirText)
{
    // Files of another writer: 120- and 124-byte headers, packed and not. Each page's
    // first text starts at (40, 40) with the stock system font.
    int files = 0;
    for (const auto& entry : fs::directory_iterator(ZT_PAGES_DATA)) {
        if (entry.path().extension() != ".qrp")
            continue;
        ++files;
        const std::string out = dir_ + entry.path().stem().string();
        ASSERT_EQ(run({entry.path().string(), "--info", "--png", out}), exit_status::done) << entry.path() << err_.str();
        const QImage img(QString::fromStdString(out + "/page-001.png"));
        ASSERT_EQ(img.size(), QSize(794, 1123)) << entry.path();
        int ink = 0, stray = 0;
        for (int y = 0; y < 1123; ++y)
            for (int x = 0; x < 794; ++x)
                if (qGray(img.pixel(x, y)) < 128)
                    (x >= 40 && x < 400 && y >= 40 && y < 80 ? ink : stray) += 1;
        EXPECT_GT(ink, 100) << entry.path();
        EXPECT_EQ(stray, 0) << entry.path();
    }
    EXPECT_GE(files, 6);
}

TEST_F(ReportCommands, UnwritableOutputIsExitStatusFour)
{
    const std::string path = save(1, false);
    std::ofstream(dir_ + "file") << "x";
    EXPECT_EQ(run({path, "--png", dir_ + "file"}), exit_status::notWritten);
    EXPECT_NE(err_.str().find(dir_ + "file"), std::string::npos);
}
