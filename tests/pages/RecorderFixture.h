#pragma once
// The recorder tests' shared ground: a run of labelled pages, the texts a
// printed page shows, scratch paths, and a fixture whose reports are on A4.

#include "PrinterTestSupport.h"

#include "pages/QRPrinter.h"
#include "platform/gdi/EmfReader.h"
#include "report/QRPage.h"
#include "report/QRReport.h"

#include <filesystem>
#include <string>
#include <vector>

namespace zt::pages::test {

using platform::printing::PrintedPage;
using pages::TQRPrinter;
using report::TPrinterOrientation;
using report::TQRPaperSize;
using report::TQRPrinterDestination;
using report::TQRPrinterStatus;

inline constexpr platform::MessageId kProgress = platform::WM_USER + 0;
inline constexpr platform::MessageId kAvailable = platform::WM_USER + 1;

inline void process()
{
    platform::messageQueue().processMessages();
}

// A run of `pages` pages, each with the text "Seite n".
inline void run(TQRPrinter& r, int pages)
{
    r.BeginDoc();
    for (int n = 1; n <= pages; ++n) {
        r.NewPage();
        r.Canvas()->TextOut(r.XPos(200), r.YPos(200), "Seite " + std::to_string(n));
    }
    r.EndDoc();
}

inline std::vector<std::string> textsOf(const PrintedPage& page)
{
    auto texts = platform::gdi::enumerateTexts(page.drawing);
    for (const auto& s : page.sheets)
        for (auto& t : platform::gdi::enumerateTexts(s.sheet))
            texts.push_back(t);
    return texts;
}

inline std::string tempPath(const std::string& name)
{
    return (std::filesystem::temp_directory_path() / ("zt-qrprinter-" + name)).string();
}

class RecorderTest : public PrinterTest {
protected:
    void SetUp() override
    {
        PrinterTest::SetUp();
        zt::report::SetUSMeasureQuery([] { return false; });
    }
    void TearDown() override
    {
        zt::report::SetUSMeasureQuery({});
        PrinterTest::TearDown();
    }
    // A report that shows progress, on A4.
    zt::report::TBandoriaRep* makeReport()
    {
        auto* rep = new zt::report::TBandoriaRep(&form);
        rep->Page().SetPaperSize(zt::report::TQRPaperSize::A4);
        return rep;
    }

    zt::report::TQRForm form;
};

} // namespace zt::pages::test
