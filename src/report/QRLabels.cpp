#include "report/QRLabels.h"

#include "platform/text/Utf.h"
#include "report/QRReport.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

namespace zt::report {

namespace {

std::vector<std::string> splitLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else {
            line += c;
        }
    }
    lines.push_back(line);
    return lines;
}

std::string trim(const std::string& s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && std::isspace(static_cast<unsigned char>(s[b])))
        ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(s[e - 1])))
        --e;
    return s.substr(b, e - b);
}

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
    FCaption = value;
    FPrintCaption = value;
    FWidecaption = platform::text::utf8ToUtf16(value);
    BuildLines();
}

void TQRCustomLabel::SetLines(const std::vector<std::string>& lines)
{
    FLines = lines;
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
    return CaptionBased() ? splitLines(FPrintCaption) : FLines;
}

void TQRCustomLabel::BuildLines()
{
    FFormattedLines = SourceLines();
    DoneFormat = true;
    if (FAutoSize && !Loading())
        autoSizeWidth();
}

void TQRCustomLabel::autoSizeWidth()
{
    TCustomBandoriaRep* report = ParentReport();
    if (report == nullptr || FFormattedLines.empty() || UpdatingBounds)
        return;
    int widest = 0;
    for (const std::string& line : FFormattedLines)
        widest = std::max(widest, report->TextWidth(Font(), line));
    if (widest <= 0 || widest == Width())
        return;
    // The aligned edge stays where it is: a right-aligned label grows to the left.
    int left = Left();
    if (Alignment() == TAlignment::taRightJustify)
        left = Left() + Width() - widest;
    else if (Alignment() == TAlignment::taCenter)
        left = Left() + (Width() - widest) / 2;
    UpdatingBounds = true;
    SetBounds(left, Top(), widest, Height());
    UpdatingBounds = false;
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
    const std::string e = trim(FExpression);
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
