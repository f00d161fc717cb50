#pragma once
// A small report on A4 with 10 mm margins, built in millimetres, and a
// filter that logs every call it receives.

#include "report/QRBands.h"
#include "report/QRExportFilter.h"
#include "report/QRLabels.h"
#include "report/QRPage.h"
#include "report/QRReport.h"
#include "report/QRShapes.h"
#include "report/QRUnits.h"
#include "support/SmallReport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zt::testing {

using namespace zt::report;

struct LoggedCall {
    std::string call;           // "Start", "TextOut", "AcceptGraphic", ...
    long double x = 0, y = 0;   // position as received
    std::string text;           // TextOut's text
    TAlignment alignment = TAlignment::taLeftJustify;
    // AcceptGraphic: the control's kind and look.
    int width = 0, height = 0;
    TQRShapeType shape = TQRShapeType::qrsRectangle;
    TQRPen pen;
    TQRBrush brush;
    bool temporary = false;     // a control made for the call, not the report's
    long double expanded = 0;   // AcceptBand
};

inline LoggedCall logged(std::string call, long double x = 0, long double y = 0, std::string text = {})
{
    LoggedCall c;
    c.call = std::move(call);
    c.x = x;
    c.y = y;
    c.text = std::move(text);
    return c;
}

class LoggingFilter : public TQRExportFilter {
public:
    explicit LoggingFilter(const std::string& filename = {}) : TQRExportFilter(filename) {}
    static const char* ClassName() { return "LoggingFilter"; }
    std::string Name() const override { return "Logging"; }
    std::string FileExtension() const override { return "LOG"; }
    bool Streaming() const override { return streaming; }

    void Start(int w, int h, const TQRFont& f) override
    {
        TQRExportFilter::Start(w, h, f);
        calls.push_back(logged("Start", w, h));
    }
    void EndPage() override { calls.push_back(logged("EndPage")); }
    void NewPage() override { calls.push_back(logged("NewPage")); }
    void Finish() override
    {
        TQRExportFilter::Finish();
        calls.push_back(logged("Finish"));
    }
    void TextOut(long double x, long double y, const TQRFont&, TColor, TAlignment a, const std::string& t) override
    {
        LoggedCall c = logged("TextOut", x, y, t);
        c.alignment = a;
        calls.push_back(c);
    }
    void AcceptGraphic(long double x, long double y, TQRControl* control) override
    {
        LoggedCall c = logged("AcceptGraphic", x, y);
        c.width = control->Width();
        c.height = control->Height();
        if (auto* s = dynamic_cast<TQRShape*>(control)) {
            c.shape = s->Shape();
            c.pen = s->Pen();
            c.brush = s->Brush();
            c.temporary = s->Owner() == nullptr;
        }
        calls.push_back(c);
    }
    void AcceptBand(TQRCustomBand*, long double x, long double y, long double expanded) override
    {
        LoggedCall c = logged("AcceptBand", x, y);
        c.expanded = expanded;
        calls.push_back(c);
    }

    // The calls without content: Start, EndPage, NewPage, Finish, and
    // "content" once for each run of content calls.
    std::vector<std::string> sequence() const
    {
        std::vector<std::string> out;
        for (const auto& c : calls) {
            const bool content = c.call == "TextOut" || c.call == "AcceptGraphic" || c.call == "AcceptBand";
            const std::string name = content ? "content" : c.call;
            if (!(content && !out.empty() && out.back() == "content"))
                out.push_back(name);
        }
        return out;
    }
    std::vector<LoggedCall> of(const std::string& call) const
    {
        std::vector<LoggedCall> out;
        for (const auto& c : calls)
            if (c.call == call)
                out.push_back(c);
        return out;
    }

    std::vector<LoggedCall> calls;
    bool streaming = false;
};

using ExportReport = SmallReportTest;

} // namespace zt::testing
