#pragma once
// A small report on A4 with 10 mm margins, built in millimetres, with
// helpers for bands, labels and stretching memos in Courier New 10.

#include "report/QRBands.h"
#include "report/QRLabels.h"
#include "report/QRPage.h"
#include "report/QRReport.h"
#include "report/QRUnits.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zt::testing {

class SmallReportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        report::SetUSMeasureQuery([] { return false; });
        rep->SetUnits(report::TQRUnit::MM);
        report::TQRPage& p = rep->Page();
        p.SetPaperSize(report::TQRPaperSize::A4);
        p.SetTopMargin(10);
        p.SetBottomMargin(10);
        p.SetLeftMargin(10);
        p.SetRightMargin(10);
        rep->Options = 0;
        rep->ShowProgress = false;
    }
    void TearDown() override { report::SetUSMeasureQuery({}); }

    report::TQRCustomBand* band(report::TQRBandType type, long double heightMm)
    {
        report::TQRCustomBand* b = rep->CreateBand(type);
        b->Size().SetHeight(heightMm);
        return b;
    }
    static report::TQRFont font(const std::string& face)
    {
        report::TQRFont f;
        f.Name = face;
        f.SetSize(10);
        return f;
    }
    report::TQRLabel* label(report::TQRControl* parent, const std::string& caption, long double topMm = 0,
                            long double leftMm = 0, const std::string& face = "Courier New")
    {
        auto* l = new report::TQRLabel(&form);
        l->SetParent(parent);
        l->SetAutoSize(false);
        l->Size().SetLeft(leftMm);
        l->Size().SetTop(topMm);
        l->Size().SetWidth(100);
        l->Size().SetHeight(5);
        l->SetFont(font(face));
        l->SetCaption(caption);
        return l;
    }
    // A stretching memo of `lines` lines "line 1", "line 2", ...
    report::TQRMemo* memo(report::TQRControl* parent, int lines, long double topMm, long double heightMm)
    {
        auto* m = new report::TQRMemo(&form);
        m->SetParent(parent);
        m->SetAutoSize(false);
        m->Size().SetTop(topMm);
        m->Size().SetWidth(150);
        m->Size().SetHeight(heightMm);
        m->SetFont(font("Courier New"));
        std::vector<std::string> text;
        for (int i = 1; i <= lines; ++i)
            text.push_back("line " + std::to_string(i));
        m->SetLines(text);
        m->AutoStretch = true;
        return m;
    }

    report::TQRForm form;
    report::TBandoriaRep* rep = new report::TBandoriaRep(&form);
};

} // namespace zt::testing
