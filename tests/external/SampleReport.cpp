// Records a page with the page recorder and saves it as a saved report file,
// for the real print check.
#include "pages/QRPrinter.h"
#include "platform/core/WinMath.h"

#include <iostream>

using namespace zt;

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::cerr << "usage: sample_report OUT.QRP\n";
        return 2;
    }
    try {
        pages::TQRPrinter recorder(nullptr);
        recorder.BeginDoc();
        recorder.NewPage();
        platform::gdi::EmfRecorder& canvas = *recorder.Canvas();
        platform::LogFont title;
        title.face = "Arial";
        title.height = platform::pointsToLogicalHeight(16, 96);
        title.weight = platform::kFwBold;
        canvas.SelectObject(canvas.CreateFontIndirect(title));
        canvas.SetBkMode(platform::gdi::TRANSPARENT);
        canvas.TextOut(recorder.XPos(250), recorder.YPos(160), "Kurzmitteilung");
        platform::LogFont body;
        body.face = "Arial";
        body.height = platform::pointsToLogicalHeight(10, 96);
        canvas.SelectObject(canvas.CreateFontIndirect(body));
        canvas.TextOut(recorder.XPos(250), recorder.YPos(2800), "Seite 1 von 1");
        recorder.EndDoc();
        recorder.Save(argv[1]);
    } catch (const std::exception& e) {
        std::cerr << "sample_report: " << e.what() << '\n';
        return 1;
    }
    return 0;
}
