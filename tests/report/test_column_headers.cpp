// The column header at the start of a run over data: printed when the run
// starts on page 1, and in a composite run whatever page it starts on.

#include "pages/QRPrinter.h"
#include "report/QRComposite.h"
#include "report/QRDataSet.h"
#include "support/PageContent.h"
#include "support/SmallReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zt::report;
using zt::testing::readPageContent;

namespace {

class ColumnHeaders : public zt::testing::SmallReportTest {
protected:
    void SetUp() override
    {
        SmallReportTest::SetUp();
        for (const char* n : {"a", "b"})
            data.AddRecord({n});
        data.Open();
        rep->SetDataSet(&data);
        label(band(rbColumnHeader, 10), "header");
        TQRCustomBand* detail = band(rbDetail, 10);
        TQRLabel* l = label(detail, "");
        detail->BeforePrint = [this, l](TQRCustomBand*, bool&) { l->SetCaption(data.FieldByName("name")); };
    }
    // Every page's texts, one string a page.
    static std::vector<std::string> pages(zt::pages::TQRPrinter& p)
    {
        std::vector<std::string> out;
        for (int i = 1; i <= p.PageCount(); ++i) {
            std::string all;
            for (const std::string& s : readPageContent(*p.GetPage(i)).strings())
                all += (all.empty() ? "" : " ") + s;
            out.push_back(all);
        }
        return out;
    }
    // A title that ends its page, so the records start on page 2.
    void titleOnAPageOfItsOwn()
    {
        TQRCustomBand* title = band(rbTitle, 10);
        label(title, "title");
        title->AfterPrint = [this](TQRCustomBand*, bool) { rep->NewPage(); };
    }
    TQRMemoryDataSet data{{"name"}};
};

TEST_F(ColumnHeaders, ARunOverDataStartingOnPage1PrintsItFirst)
{
    rep->Prepare();
    EXPECT_EQ(pages(*rep->QRPrinter), (std::vector<std::string>{"header a b"}));
}

TEST_F(ColumnHeaders, ARunWhoseRecordsStartOnPage2LeavesItOut)
{
    titleOnAPageOfItsOwn();
    rep->Prepare();
    EXPECT_EQ(pages(*rep->QRPrinter), (std::vector<std::string>{"title", "a b"}));
}

TEST_F(ColumnHeaders, InACompositeRunItPrintsWhateverPageTheRecordsStartOn)
{
    titleOnAPageOfItsOwn();
    TQRCompositeReport composite(&form);
    composite.AddReport(rep);
    composite.Prepare();
    ASSERT_NE(composite.QRPrinter(), nullptr);
    EXPECT_EQ(pages(*composite.QRPrinter()), (std::vector<std::string>{"title", "header a b"}));
}

} // namespace
