// Printing a label or memo: its lines on the page, the band stretched line by
// line when they do not fit, and the continuation on the next page.

#include "report/QRLabels.h"

#include "pages/QRPrinter.h"
#include "platform/core/WinMath.h"
#include "report/QRBands.h"
#include "report/QRDraw.h"
#include "report/QRExportFilter.h"
#include "report/QRExportHandOff.h"
#include "report/QRReport.h"

namespace zt::report {

namespace gdi = platform::gdi;

namespace {

// Native units per point of a frame width: 254 / 72 tenths of a millimetre.
Native frameInset(const TQRFrame& frame)
{
    return static_cast<Native>(Round(frame.Width() / 72.0L * 254.0L));
}

// Device units per screen pixel, from the recorder's factor.
long double deviceFactor(const pages::TQRPrinter& printer)
{
    return printer.XSize(100000) / 100000.0L / 0.37795L;
}

} // namespace

Native TQRCustomLabel::selectPageFont()
{
    gdi::TCanvas& canvas = QRPrinter->PageCanvas();
    canvas.SetFont(Font().ToLogFont(canvas.PixelsPerInchY()), Font().Color);
    return canvas.TextHeight("W") / QRPrinter->YFactor();
}

void TQRCustomLabel::Print(int ofsX, int ofsY)
{
    if (!IsPrintable())
        return;
    if (QRPrinter == nullptr)
        BeginPrinting();
    if (QRPrinter == nullptr)
        return;
    LineRun run;
    run.lineHeight = selectPageFont();
    run.left = Size().Value(TQRPrintableSize::iLeft) + ofsX;
    run.top = Size().Value(TQRPrintableSize::iTop) + ofsY;
    run.width = Size().Value(TQRPrintableSize::iWidth);
    run.height = Size().Value(TQRPrintableSize::iHeight);
    PrintLines(run, AutoStretch);
}

void TQRCustomLabel::PrintLines(LineRun& run, bool autoStretch)
{
    TCustomBandoriaRep* report = ParentReport();
    const bool drawing = report == nullptr || report->FinalPass;
    const std::string savedCaption = FPrintCaption;
    bool captionReplaced = false;
    if (OnPrint) {
        std::string value = FPrintCaption;
        OnPrint(this, value);
        run.lineHeight = selectPageFont();
        run.height = Size().Value(TQRPrintableSize::iHeight);
        if (value != FPrintCaption) {
            FPrintCaption = value;
            ++FTextRevision;
            captionReplaced = true;
        }
    }
    const Native widthPassed = run.width;
    BuildLines();
    run.width = Size().Value(TQRPrintableSize::iWidth);
    gdi::TCanvas& canvas = QRPrinter->PageCanvas();

    const bool exporting = ExportingTo(report);
    if (!Transparent() && (drawing || exporting)) {
        const gdi::EmfRect box = DeviceRect(*QRPrinter, run.left, run.top, run.left + run.width, run.top + run.height);
        if (drawing)
            FillArea(canvas, box, Color());
        else if (Color() != clWhite)
            ExportFilledRect(*report, box, Color());
    }
    const Native inset = frameInset(Frame());
    if (Frame().DrawTop())
        run.top += inset;
    if (Frame().DrawLeft())
        run.left += inset;
    run.bottom = run.top + run.height + 1;
    run.y = run.top;
    run.x = run.left;
    if (AutoSize()) {
        const Native grown = run.width - widthPassed;
        if (Alignment() == TAlignment::taRightJustify)
            run.x = run.left - grown;
        else if (Alignment() == TAlignment::taCenter)
            run.x = run.left - grown / 2;
    }
    if (FPrintFinished)
        FCurrentLine = 0;
    const int count = static_cast<int>(FormattedLines().size());
    while (FCurrentLine < count && FitNextLine(run, autoStretch)) {
        EmitLine(run, FCurrentLine);
        ++FCurrentLine;
    }
    FPrintFinished = !(FCurrentLine < count && autoStretch);
    if (Frame().AnyFrame() && (drawing || exporting)) {
        const gdi::EmfRect r = DeviceRect(*QRPrinter, run.left - inset, run.top - inset, run.left + run.width,
                                          run.height + run.top + run.stretch);
        if (drawing) {
            DrawFrame(Frame(), canvas, r, QRPrinter->YFactor(), QRPrinter->XFactor());
        } else {
            const TColor color = Color();
            ExportFrame(*report, Frame(), r, Transparent() ? nullptr : &color);
        }
    }
    if (captionReplaced) {
        FPrintCaption = savedCaption;
        ++FTextRevision;
    }
}

bool TQRCustomLabel::FitNextLine(LineRun& run, bool autoStretch)
{
    if (run.y + run.lineHeight <= run.bottom)
        return true;
    TQRCustomBand* band = ParentBand();
    if (!autoStretch || band == nullptr || !band->CanExpand(run.lineHeight))
        return false;
    const Native before = run.stretch;
    band->ExpandAsked(run.lineHeight, run.stretch, run.stretched);
    run.bottom = run.top + run.height + 1 + run.stretch;
    TCustomBandoriaRep* report = ParentReport();
    if (!Transparent() && (report == nullptr || report->FinalPass))
        FillArea(QRPrinter->PageCanvas(),
                 DeviceRect(*QRPrinter, run.left, run.top + run.height + before, run.left + run.width,
                            run.top + run.height + run.stretch),
                 Color());
    return true;
}

void TQRCustomLabel::EmitLine(LineRun& run, int index)
{
    const std::string& line = FormattedLines()[static_cast<std::size_t>(index)];
    TCustomBandoriaRep* report = ParentReport();
    if (ExportingTo(report)) {
        exportLine(run, line);
        run.y += run.lineHeight;
        return;
    }
    if (!line.empty() && (report == nullptr || report->FinalPass)) {
        if (FullJustify) {
            emitJustified(run, line);
        } else {
            std::uint32_t align = gdi::TA_LEFT;
            Native anchor = run.x;
            if (Alignment() == TAlignment::taRightJustify) {
                align = gdi::TA_RIGHT;
                anchor = run.x + run.width;
            } else if (Alignment() == TAlignment::taCenter) {
                align = gdi::TA_CENTER;
                anchor = run.x + run.width / 2;
            }
            QRPrinter->PageCanvas().TextOut(QRPrinter->XPos(anchor), QRPrinter->YPos(run.y), align | gdi::TA_TOP,
                                            line);
        }
    }
    run.y += run.lineHeight;
}

// Every line goes to the filter, empty ones included, at its anchor in
// native units; a justified line goes word by word.
void TQRCustomLabel::exportLine(const LineRun& run, const std::string& line)
{
    TQRExportFilter* filter = ParentReport()->ExportFilter;
    if (FullJustify) {
        for (const auto& [x, word] : justifiedWords(run, line))
            filter->TextOut(run.x + (x - QRPrinter->XPos(run.x)) / QRPrinter->XFactor(), run.y, Font(), Color(),
                            TAlignment::taLeftJustify, word);
        return;
    }
    Native anchor = run.x;
    if (Alignment() == TAlignment::taRightJustify)
        anchor = run.x + run.width;
    else if (Alignment() == TAlignment::taCenter)
        anchor = run.x + run.width / 2;
    filter->TextOut(anchor, run.y, Font(), Color(), Alignment(), line);
}

std::vector<std::pair<int, std::string>> TQRCustomLabel::justifiedWords(const LineRun& run, const std::string& line)
{
    std::vector<std::string> words;
    std::size_t pos = 0;
    while (pos <= line.size()) {
        std::size_t space = line.find(' ', pos);
        if (space == std::string::npos)
            space = line.size();
        if (space > pos)
            words.push_back(line.substr(pos, space - pos));
        pos = space + 1;
    }
    gdi::TCanvas& canvas = QRPrinter->PageCanvas();
    const int available = static_cast<int>(Round(Width() * deviceFactor(*QRPrinter)));
    int total = 0;
    for (const std::string& w : words)
        total += canvas.TextWidth(w);
    const long double space = canvas.TextWidth(" ");
    long double gap = space;
    if (words.size() > 1 && total < available)
        gap = static_cast<long double>(available - total) / static_cast<long double>(words.size() - 1);
    if (gap > MaxBreakChars * space)
        gap = space;
    long double x = QRPrinter->XPos(run.x);
    std::vector<std::pair<int, std::string>> placed;
    for (std::string& w : words) {
        const int width = canvas.TextWidth(w);
        placed.emplace_back(static_cast<int>(Round(x)), std::move(w));
        x += width + gap;
    }
    return placed;
}

void TQRCustomLabel::emitJustified(const LineRun& run, const std::string& line)
{
    const int y = QRPrinter->YPos(run.y);
    for (const auto& [x, word] : justifiedWords(run, line))
        QRPrinter->PageCanvas().TextOut(x, y, gdi::TA_LEFT | gdi::TA_TOP, word);
}

void TQRCustomLabel::GetExpandedHeight(Native& newHeight)
{
    TCustomBandoriaRep* report = ParentReport();
    if (report == nullptr) {
        newHeight = Height();
        return;
    }
    BuildLines();
    const int lineHeight = platform::MulDiv(report->TextHeight(Font(), "W"), Zoom(), 100);
    newHeight = static_cast<Native>(FormattedLines().size()) * lineHeight;
}

void TQRMemo::Print(int ofsX, int ofsY)
{
    FCaption.clear();
    FPrintCaption.clear();
    TQRCustomLabel::Print(ofsX, ofsY);
    FCaption = Name();
    FPrintCaption = Name();
}

} // namespace zt::report
