#include "report/QRLabels.h"

#include "platform/text/Utf.h"
#include "report/QRReport.h"
#include "report/QRStrings.h"
#include "report/QRTextWrap.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "platform/core/WinMath.h"
#include "platform/fonts/FontService.h"

namespace zt::report {

namespace {

// The text of a quoted string literal; false when `s` is none.
bool unquote(const std::string& s, std::string& out)
{
    if (s.size() < 2 || s.front() != '\'' || s.back() != '\'')
        return false;
    out.clear();
    for (std::size_t i = 1; i + 1 < s.size(); ++i) {
        if (s[i] == '\'') {
            if (i + 2 >= s.size() || s[i + 1] != '\'')
                return false;  // a lone quote inside: not one literal
            ++i;
        }
        out += s[i];
    }
    return true;
}

bool isNumber(const std::string& s)
{
    if (s.empty())
        return false;
    char* end = nullptr;
    std::strtold(s.c_str(), &end);
    return end == s.c_str() + s.size();
}

} // namespace

// --- TQRCustomLabel --------------------------------------------------------

TQRCustomLabel::TQRCustomLabel(TQRComponent* owner) : TQRPrintable(owner) {}

void TQRCustomLabel::SetCaption(const std::string& value)
{
    // The same caption again (every run begins by setting it) keeps its
    // lines: measuring costs far more than comparing.
    if (CaptionBased() && value == FCaption && value == FPrintCaption) {
        BuildLines();
        return;
    }
    FCaption = value;
    FPrintCaption = value;
    FWidecaption = platform::text::utf8ToUtf16(value);
    if (CaptionBased())
        ++FTextRevision;
    BuildLines();
}

void TQRCustomLabel::SetLines(const std::vector<std::string>& lines)
{
    // The same lines again (a fill step sets them before every run) keep
    // their wrapping: comparing costs far less than measuring every line.
    if (lines != FLines) {
        FLines = lines;
        if (!CaptionBased())
            ++FTextRevision;
    }
    BuildLines();
}

void TQRCustomLabel::SetLines(std::vector<std::string>&& lines)
{
    if (lines != FLines) {
        FLines = std::move(lines);
        if (!CaptionBased())
            ++FTextRevision;
    }
    BuildLines();
}

void TQRCustomLabel::SetAutoSize(bool v)
{
    FAutoSize = v;
    BuildLines();
}

void TQRCustomLabel::SetWordWrap(bool v)
{
    FWordWrap = v;
    BuildLines();
}

void TQRCustomLabel::SetWrapStyle(TWrapStyle v)
{
    FWrapStyle = v;
    BuildLines();
}

std::vector<std::string> TQRCustomLabel::SourceLines() const
{
    if (CaptionBased())
        return {FPrintCaption};
    return FLines;
}

namespace {

// Extents of one realised font, at the screen resolution.
class FontExtents : public TQRExtentSource {
public:
    explicit FontExtents(std::shared_ptr<const platform::Font> font) : font_(std::move(font)) {}
    int Extent(std::string_view utf8) const override { return font_->textWidth(utf8); }

private:
    std::shared_ptr<const platform::Font> font_;
};

} // namespace

TQRCustomLabel::FormatKey TQRCustomLabel::formatKey() const
{
    return {FTextRevision, Font(), Width(), Height(), Zoom(), FAutoSize, FWordWrap, FWrapStyle, ParentReport()};
}

void TQRCustomLabel::BuildLines()
{
    if (Parent() == nullptr || Loading())
        return;
    if (FormatCacheable() && DoneFormat && FFormatKey && *FFormatKey == formatKey())
        return;
    wrapLines();
    DoneFormat = true;
    if (CaptionBased())
        ensureMinimumHeight("Wp");
    if (FAutoSize)
        autoSizeWidth();
    FFormatKey = formatKey();
}

void TQRCustomLabel::wrapLines()
{
    FFormattedLines.clear();
    FFormattedAreSource = false;
    if (!CaptionBased() && FLines.empty())
        return;
    if (!CaptionBased() && FAutoSize) {
        FFormattedAreSource = true;
        return;
    }
    const TCustomBandoriaRep* report = ParentReport();
    const TQRReferenceDC screen;
    const TQRReferenceDC& dc = report != nullptr ? report->ReferenceDC() : screen;
    const FontExtents extents(dc.FontFor(Font()));
    TQRWrapRules rules;
    rules.PixelWidth = Width();
    rules.Zoom = Zoom();
    rules.WrapStyle = FWrapStyle;
    rules.WordWrap = FWordWrap;
    rules.AutoSize = FAutoSize;
    const TQRTextWrapper wrapper(extents, rules);
    if (!CaptionBased() && FWrapStyle == TWrapStyle::BreakOnSpaces) {
        // A line that fits and holds no line break wraps to itself.
        const bool unchanged = std::all_of(FLines.begin(), FLines.end(), [&](const std::string& line) {
            // Two scans: find_first_of tries the set at every character.
            return line.find('\n') == std::string::npos && line.find('\r') == std::string::npos &&
                   wrapper.Measured(line) <= rules.PixelWidth;
        });
        if (unchanged) {
            FFormattedAreSource = true;
            return;
        }
    }
    for (const std::string& text : SourceLines())
        wrapper.WrapText(text, FFormattedLines);
}

void TQRCustomLabel::ensureMinimumHeight(const char* sample)
{
    TCustomBandoriaRep* report = ParentReport();
    if (report == nullptr || UpdatingBounds)
        return;
    const int minimum = report->TextHeight(Font(), sample) * Zoom() / 100 + 1;
    if (Height() < minimum) {
        UpdatingBounds = true;
        SetHeight(minimum);
        UpdatingBounds = false;
    }
}

void TQRCustomLabel::autoSizeWidth()
{
    TCustomBandoriaRep* report = ParentReport();
    if (report == nullptr || UpdatingBounds)
        return;
    int widest = 0;
    for (const std::string& line : FormattedLines())
        widest = std::max(widest, platform::MulDiv(report->TextWidth(Font(), line), Zoom(), 100));
    if (Frame().DrawLeft())
        widest += Frame().Width();
    if (Frame().DrawRight())
        widest += Frame().Width();
    // The aligned edge stays where it is: a right-aligned label grows to the left.
    int left = Left();
    if (Alignment() == TAlignment::taRightJustify)
        left = Left() + (Width() - widest);
    else if (Alignment() == TAlignment::taCenter)
        left = Left() + (Width() - widest) / 2;
    UpdatingBounds = true;
    SetBounds(left, Top(), widest, Height());
    UpdatingBounds = false;
    ensureMinimumHeight("W");
}

void TQRCustomLabel::ReadFontSize(int points)
{
    FFontSize = points;
    if (!Loading() && points > 0)
        SetFontSize(points);
}

void TQRCustomLabel::BeginPrinting()
{
    TQRPrintable::BeginPrinting();
    FCurrentLine = 0;
    SetCaption(FCaption);
}

void TQRCustomLabel::SetAlignment(TAlignment value)
{
    TQRPrintable::SetAlignment(value);
    Invalidate();
}

void TQRCustomLabel::Loaded()
{
    TQRPrintable::Loaded();
    if (FFontSize > 0)
        SetFontSize(FFontSize);
    BuildLines();
}

void TQRCustomLabel::FontChanged()
{
    BuildLines();
}

void TQRCustomLabel::NameChanged(const std::string& oldName)
{
    // A caption that still shows the old name follows the new one.
    if (!Loading() && FCaption == oldName)
        SetCaption(Name());
}

void TQRCustomLabel::ParentChanged(TQRControl* oldParent)
{
    TQRPrintable::ParentChanged(oldParent);
    BuildLines();
}

void TQRCustomLabel::BoundsChanged(const TRect& old)
{
    TQRPrintable::BoundsChanged(old);
    if (!UpdatingBounds && Width() != old.Width)
        DoneFormat = false;
}

// --- TQRMemo ---------------------------------------------------------------

TQRMemo::TQRMemo(TQRComponent* owner) : TQRCustomLabel(owner) {}

void TQRMemo::BeginPrinting()
{
    // The caption is only the design placeholder; the lines are printed.
    FCaption.clear();
    TQRCustomLabel::BeginPrinting();
}

void TQRMemo::EndPrinting()
{
    TQRCustomLabel::EndPrinting();
    SetCaption(Name());
}

// --- TQRExpr ---------------------------------------------------------------

TQRExpr::TQRExpr(TQRComponent* owner) : TQRCustomLabel(owner) {}

void TQRExpr::SetExpression(const std::string& e)
{
    FExpression = e;
    BuildLines();
}

std::string TQRExpr::Value() const
{
    const std::string e = TrimBlanks(FExpression);
    std::string text;
    if (TCustomBandoriaRep* report = ParentReport())
        if (const std::string* v = report->Functions().Find(e))
            return unquote(*v, text) ? text : *v;
    if (unquote(e, text))
        return text;
    if (isNumber(e))
        return e;
    return {};
}

std::vector<std::string> TQRExpr::SourceLines() const
{
    return {Value()};
}

} // namespace zt::report
