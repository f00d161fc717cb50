// Band types, the band list and its layout, child chains and links.

#include "report/QRBands.h"
#include "report/QRComposite.h"
#include "base/QRError.h"
#include "report/QRReport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace zt::report;

namespace {

struct Bands : ::testing::Test {
    void SetUp() override { SetUSMeasureQuery([] { return false; }); }
    void TearDown() override
    {
        SetUSMeasureQuery({});
        SetDesignMessageHandler({});
    }

    TQRForm form;
    TBandoriaRep* rep = new TBandoriaRep(&form);

    template <class T = TQRBand>
    T* band(TQRBandType type, const char* name)
    {
        auto* b = new T(&form);
        b->SetName(name);
        if (type != rbChild)
            b->SetBandType(type);
        b->SetParent(rep);
        return b;
    }
    TQRChildBand* child(TQRCustomBand* parent, const char* name)
    {
        auto* c = band<TQRChildBand>(rbChild, name);
        EXPECT_TRUE(c->SetParentBand(parent));
        return c;
    }
    std::vector<std::string> order() const
    {
        std::vector<std::string> names;
        for (auto* b : rep->BandList())
            names.push_back(b->Name());
        return names;
    }
};

using Names = std::vector<std::string>;

TEST_F(Bands, ListFollowsTheFixedOrderWhateverTheCreationOrder)
{
    band(rbWild, "wild");
    band(rbPageFooter, "pf");
    band(rbSummary, "sum");
    band(rbDetail, "det");
    band(rbOverlay, "ovl");
    band(rbColumnHeader, "ch");
    band(rbTitle, "title");
    band(rbPageHeader, "ph");
    EXPECT_EQ(order(), (Names{"ph", "title", "ch", "det", "sum", "pf", "wild", "ovl"}));
}

TEST_F(Bands, ControllerBandsKeepControllerOrder)
{
    auto* footer2 = band(rbGroupFooter, "gf2");
    auto* footer1 = band(rbGroupFooter, "gf1");
    band(rbDetail, "det");
    auto* g1 = band<TQRGroup>(rbGroupHeader, "g1");
    auto* g2 = band<TQRGroup>(rbGroupHeader, "g2");
    g1->SetFooterBand(footer1);
    g2->SetFooterBand(footer2);
    auto* after = band<TQRSubDetail>(rbSubDetail, "subAfter");
    auto* before = band<TQRSubDetail>(rbSubDetail, "subBefore");
    before->PrintBefore = true;
    before->SetMaster(nullptr);
    before->SetMaster(rep);
    auto* subHeader = band(rbGroupHeader, "subHead");
    after->SetHeaderBand(subHeader);
    band(rbTitle, "title");
    EXPECT_EQ(order(), (Names{"title", "g1", "g2", "subBefore", "det", "subHead", "subAfter", "gf2", "gf1"}));
    EXPECT_EQ(rep->Controller().Groups().size(), 2u);
}

TEST_F(Bands, ChildChainsFollowTheirParents)
{
    auto* c2 = band<TQRChildBand>(rbChild, "c2");
    auto* det = band(rbDetail, "det");
    band(rbPageFooter, "pf");
    auto* c1 = child(det, "c1");
    c2->SetParentBand(c1);
    auto* t = band(rbTitle, "title");
    child(t, "tc");
    EXPECT_EQ(order(), (Names{"title", "tc", "det", "c1", "c2", "pf"}));
    EXPECT_TRUE(det->HasChild());
    EXPECT_EQ(det->ChildBand(), c1);
    EXPECT_EQ(c1->ChildBand(), c2);
    EXPECT_FALSE(c2->HasChild());
}

TEST_F(Bands, ASecondChildOfOneParentIsNotLost)
{
    auto* det = band(rbDetail, "det");
    child(det, "first");
    child(det, "second");
    EXPECT_EQ(order(), (Names{"det", "first", "second"}));
    EXPECT_EQ(det->ChildBand()->Name(), "first");
}

TEST_F(Bands, NewChildBandPrintsAfterItsParent)
{
    form.BeginLoading();
    auto* det = new TQRBand(&form);
    det->SetBandType(rbDetail);
    det->SetParent(rep);
    auto* c = new TQRChildBand(&form);  // form data without PrintOrder
    c->SetParent(rep);
    c->SetParentBand(det);
    form.EndLoading();
    EXPECT_EQ(c->PrintOrder, cboAfterParent);
    EXPECT_EQ(c->BandType(), rbChild);
    EXPECT_EQ(rep->BandList().back(), c);
}

TEST_F(Bands, CircularParentBandsAreRefused)
{
    auto* det = band(rbDetail, "det");
    auto* c1 = child(det, "c1");
    auto* c2 = child(c1, "c2");
    auto* c3 = child(c2, "c3");
    EXPECT_FALSE(c1->SetParentBand(c3));
    EXPECT_FALSE(c1->SetParentBand(c1));
    EXPECT_EQ(c1->ParentBand(), det);
    EXPECT_EQ(order(), (Names{"det", "c1", "c2", "c3"}));
}

TEST_F(Bands, CircularLinksAreRefusedAndKeepThePreviousLink)
{
    auto* a = band(rbDetail, "a");
    auto* b = band(rbWild, "b");
    auto* c = band(rbWild, "c");
    auto* other = band(rbWild, "other");
    ASSERT_TRUE(a->SetLinkBand(b));
    ASSERT_TRUE(b->SetLinkBand(c));
    ASSERT_TRUE(c->SetLinkBand(other));
    EXPECT_FALSE(c->SetLinkBand(a));
    EXPECT_EQ(c->LinkBand(), other);
    EXPECT_FALSE(a->SetLinkBand(a));
    EXPECT_EQ(a->LinkBand(), b);
    EXPECT_TRUE(c->SetLinkBand(nullptr));
}

TEST_F(Bands, CircleMessageOnlyOnTheDesignSurface)
{
    std::vector<std::string> shown;
    SetDesignMessageHandler([&shown](const std::string& m) { shown.push_back(m); });
    auto* a = band(rbDetail, "a");
    auto* b = band(rbWild, "b");
    a->SetLinkBand(b);
    b->SetLinkBand(a);
    EXPECT_TRUE(shown.empty());
    b->SetDesigning(true);
    b->SetLinkBand(a);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "Zirkuläre Verweise sind nicht erlaubt");
}

TEST_F(Bands, DestroyedBandsLeaveNoReferencesBehind)
{
    auto* det = band(rbDetail, "det");
    auto* c1 = child(det, "c1");
    auto* w = band(rbWild, "w");
    w->SetLinkBand(det);
    det->Free();
    EXPECT_EQ(c1->ParentBand(), nullptr);
    EXPECT_EQ(w->LinkBand(), nullptr);
    EXPECT_EQ(rep->Controller().Detail, nullptr);
    EXPECT_EQ(order(), (Names{"c1", "w"}));
}

TEST_F(Bands, HasChildCreatesAndRemovesAChildKeepingTheChain)
{
    auto* det = band(rbDetail, "det");
    det->SetHasChild(true);
    TQRChildBand* c1 = det->ChildBand();
    ASSERT_NE(c1, nullptr);
    EXPECT_EQ(c1->Name(), "ChildBand1");
    EXPECT_EQ(c1->Owner(), &form);
    c1->SetHasChild(true);
    TQRChildBand* c2 = c1->ChildBand();
    ASSERT_NE(c2, nullptr);
    det->SetHasChild(false);  // the grandchild moves up
    EXPECT_EQ(det->ChildBand(), c2);
    EXPECT_EQ(c2->ParentBand(), det);
    EXPECT_EQ(rep->BandList().size(), 2u);
}

TEST_F(Bands, CreateBandTakesTheSmallestFreeNumber)
{
    EXPECT_EQ(rep->CreateBand(rbTitle)->Name(), "TitleBand1");
    auto* second = rep->CreateBand(rbTitle);
    EXPECT_EQ(second->Name(), "TitleBand2");
    auto* blocker = new TQRBand(&form);
    blocker->SetName("DetailBand1");
    EXPECT_EQ(rep->CreateBand(rbDetail)->Name(), "DetailBand2");
    rep->FindBand(rbTitle)->Free();
    EXPECT_EQ(rep->CreateBand(rbTitle)->Name(), "TitleBand1");
    EXPECT_EQ(rep->CreateBand(rbPageFooter)->Name(), "PageFooterBand1");
}

struct HasCase {
    TQRBandType type;
    bool (TBandoriaRepBands::*get)() const;
    void (TBandoriaRepBands::*set)(bool);
};

class BandsProperty : public Bands, public ::testing::WithParamInterface<HasCase> {};

TEST_P(BandsProperty, CreatesAndFreesTheFirstBandOfItsType)
{
    const HasCase& c = GetParam();
    TBandoriaRepBands& b = rep->Bands();
    EXPECT_FALSE((b.*c.get)());
    (b.*c.set)(true);
    EXPECT_TRUE((b.*c.get)());
    ASSERT_NE(rep->FindBand(c.type), nullptr);
    EXPECT_NE(dynamic_cast<TQRBand*>(rep->FindBand(c.type)), nullptr);
    (b.*c.set)(true);  // no second band
    EXPECT_EQ(rep->BandList().size(), 1u);
    (b.*c.set)(false);
    EXPECT_FALSE((b.*c.get)());
    EXPECT_TRUE(rep->BandList().empty());
    EXPECT_TRUE(form.Components().size() == 1u);  // only the report is left
}

INSTANTIATE_TEST_SUITE_P(
    All, BandsProperty,
    ::testing::Values(HasCase{rbTitle, &TBandoriaRepBands::HasTitle, &TBandoriaRepBands::SetHasTitle},
                      HasCase{rbPageHeader, &TBandoriaRepBands::HasPageHeader, &TBandoriaRepBands::SetHasPageHeader},
                      HasCase{rbColumnHeader, &TBandoriaRepBands::HasColumnHeader,
                              &TBandoriaRepBands::SetHasColumnHeader},
                      HasCase{rbDetail, &TBandoriaRepBands::HasDetail, &TBandoriaRepBands::SetHasDetail},
                      HasCase{rbPageFooter, &TBandoriaRepBands::HasPageFooter, &TBandoriaRepBands::SetHasPageFooter},
                      HasCase{rbSummary, &TBandoriaRepBands::HasSummary, &TBandoriaRepBands::SetHasSummary}));

TEST_F(Bands, WidthsFollowTheColumnRules)
{
    // 210 mm paper, 10 mm margins: W = 794 - round(37.795 + 37.795) = 718.
    rep->Page().SetColumns(3);
    rep->Page().SetColumnSpace(5);  // 18.9 pixels, rounded to 19
    auto* title = band(rbTitle, "title");
    auto* titleChild = child(title, "tc");
    auto* det = band(rbDetail, "det");
    auto* detChild = child(det, "dc");
    auto* grand = child(detChild, "dcc");
    auto* group = band<TQRGroup>(rbGroupHeader, "g");
    auto* orphan = band<TQRChildBand>(rbChild, "orphan");
    const int columnWidth = (718 - 19 * 2) / 3;
    EXPECT_EQ(title->Width(), 718);
    EXPECT_EQ(titleChild->Width(), 718);
    EXPECT_EQ(det->Width(), columnWidth);
    EXPECT_EQ(detChild->Width(), columnWidth);
    EXPECT_EQ(grand->Width(), columnWidth);
    EXPECT_EQ(group->Width(), columnWidth);
    EXPECT_EQ(orphan->Width(), columnWidth);
    rep->Page().SetPrintOrder(TQRPrintOrder::RowByRow);
    EXPECT_EQ(group->Width(), 718);
    EXPECT_EQ(det->Width(), columnWidth);
    det->SetBandType(rbSummary);  // a type change re-lays the band
    EXPECT_EQ(det->Width(), 718);
    EXPECT_EQ(grand->Width(), 718);
}

TEST_F(Bands, LayoutStacksBandsAndFollowsHeightChanges)
{
    auto* title = band(rbTitle, "title");
    auto* det = band(rbDetail, "det");
    EXPECT_EQ(title->Height(), 40);  // a new band
    EXPECT_EQ(title->Top(), 38);     // 10 mm top margin
    EXPECT_EQ(det->Top(), 78);
    title->Size().SetHeight(20);     // 20 mm: 75.59 pixels
    EXPECT_EQ(title->Height(), 76);
    EXPECT_EQ(det->Top(), 114);
    EXPECT_DOUBLE_EQ(static_cast<double>(title->Size().Height()), 20);
    rep->Page().SetTopMargin(0);
    EXPECT_EQ(title->Top(), 0);
}

TEST_F(Bands, RotateAndHideBands)
{
    band(rbTitle, "title");
    band(rbDetail, "det");
    band(rbPageFooter, "pf");
    rep->SetRotateBands(1);
    EXPECT_EQ(order(), (Names{"det", "pf", "title"}));
    rep->SetRotateBands(4);
    EXPECT_EQ(order(), (Names{"det", "pf", "title"}));
    rep->SetHideBands(true);
    ASSERT_EQ(rep->BandList().size(), 3u);
    for (auto* b : rep->BandList())
        EXPECT_EQ(b->Top(), 1123);
}

TEST_F(Bands, ABandPlacedOnABandGoesToThatBandsReport)
{
    auto* det = band(rbDetail, "det");
    auto* stray = new TQRBand(&form);
    stray->SetParent(det);
    EXPECT_EQ(stray->Parent(), rep);
    EXPECT_EQ(stray->ParentReport(), rep);
    EXPECT_EQ(rep->BandList().size(), 2u);
}

TEST_F(Bands, BandsMoveBetweenReports)
{
    auto* other = new TBandoriaRep(&form);
    auto* det = band(rbDetail, "det");
    det->SetParent(other);
    EXPECT_TRUE(rep->BandList().empty());
    EXPECT_EQ(rep->Controller().Detail, nullptr);
    EXPECT_EQ(other->FindBand(rbDetail), det);
}

TEST_F(Bands, NewBandValues)
{
    auto* b = new TQRBand(&form);
    EXPECT_EQ(b->BandType(), rbTitle);
    EXPECT_EQ(b->Height(), 40);
    EXPECT_EQ(b->Color(), clWhite);
    EXPECT_TRUE(b->Enabled);
    EXPECT_FALSE(b->ForceNewPage || b->ForceNewColumn || b->AlignToBottom || b->TransparentBand ||
                 b->KeepOnOnePage || b->PreCaluculateBandHeight);
    EXPECT_FALSE(b->Frame().AnyFrame());
    EXPECT_EQ(b->LinkBand(), nullptr);
    EXPECT_EQ(b->Expanded, 0);
    EXPECT_EQ(b->ParentReport(), nullptr);
    EXPECT_FALSE(b->HasChild());
    b->SetHasChild(true);  // without a report there is nowhere to put one
    EXPECT_FALSE(b->HasChild());
    EXPECT_EQ(TQRChildBand(nullptr).BandType(), rbChild);
}

TEST_F(Bands, SubDetailsCannotRunInsideThemselves)
{
    auto* a = band<TQRSubDetail>(rbSubDetail, "a");
    auto* b = band<TQRSubDetail>(rbSubDetail, "b");
    b->SetMaster(a);
    a->SetMaster(b);
    EXPECT_EQ(a->Master(), rep);
    EXPECT_EQ(b->Master(), a);
    EXPECT_EQ(rep->BandList().size(), 2u);
}

TEST_F(Bands, DestroyingTheReportFreesItsBands)
{
    band(rbTitle, "title");
    auto* det = band(rbDetail, "det");
    child(det, "c");
    band<TQRGroup>(rbGroupHeader, "g");
    band<TQRSubDetail>(rbSubDetail, "s");
    rep->Free();
    EXPECT_TRUE(form.Components().empty());
}

TEST_F(Bands, ACompositeForgetsReportsThatGoAway)
{
    auto* composite = new TQRCompositeReport(&form);
    auto* second = new TBandoriaRep(&form);
    composite->AddReport(rep);
    composite->AddReport(second);
    second->Free();
    ASSERT_EQ(composite->Reports().size(), 1u);
    EXPECT_EQ(composite->Reports()[0], rep);
}

} // namespace
