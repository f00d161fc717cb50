// Writes a page the way the report engine draws one, for outside readers to check.
#include "platform/core/WinMath.h"
#include "platform/gdi/EmfRecorder.h"

#include <iostream>

using namespace zt::platform;
using namespace zt::platform::gdi;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: sample_page OUT.emf\n";
        return 2;
    }
    auto rec = EmfRecorder::forPage(RefDevice::screen(), 794, 1123);
    LogFont title;
    title.face = "Arial";
    title.height = pointsToLogicalHeight(16, 96);
    title.weight = kFwBold;
    rec.SelectObject(rec.CreateFontIndirect(title));
    rec.SetBkMode(TRANSPARENT);
    rec.SetTextColor(rgb(0, 0, 0));
    rec.TextOut(94, 60, "Kurzmitteilung");
    LogFont body;
    body.face = "Courier New";
    body.height = pointsToLogicalHeight(10, 96);
    rec.SelectObject(rec.CreateFontIndirect(body));
    rec.TextOut(94, 120, "Sehr geehrte Damen und Herren,");
    rec.TextOut(94, 140, "mit der Bitte um Kenntnisnahme.");
    rec.SetTextAlign(TA_RIGHT | TA_TOP);
    rec.TextOut(700, 1080, "Seite 1 von 1");
    rec.SetTextAlign(TA_LEFT | TA_TOP);
    rec.SelectObject(rec.CreatePen(PS_SOLID, 1, rgb(0, 0, 0)));
    rec.SelectObject(kStockObject | NULL_BRUSH);
    rec.Rectangle(520, 100, 740, 300);
    rec.MoveTo(0, 397);
    rec.LineTo(20, 397);
    rec.SelectObject(rec.CreateBrushIndirect(BS_SOLID, rgb(200, 200, 200)));
    rec.FillRect({520, 320, 740, 340});
    rec.Finish().SaveToFile(argv[1]);
    return 0;
}
