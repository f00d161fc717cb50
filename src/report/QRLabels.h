#pragma once
// Text printables: labels showing a caption, memos showing lines, and
// expression labels showing a value.

#include "report/QRPrintable.h"

#include <optional>

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace zt::report {

class TQRCustomLabel : public TQRPrintable {
public:
    explicit TQRCustomLabel(TQRComponent* owner);

    const std::string& Caption() const { return FCaption; }
    // Also sets the print caption and rebuilds the formatted lines.
    void SetCaption(const std::string& value);
    const std::vector<std::string>& Lines() const { return FLines; }
    void SetLines(const std::vector<std::string>& lines);
    void SetLines(std::vector<std::string>&& lines);
    const std::u16string& Widecaption() const { return FWidecaption; }

    bool AutoSize() const { return FAutoSize; }
    void SetAutoSize(bool v);
    bool AutoStretch = false;
    bool WordWrap() const { return FWordWrap; }
    void SetWordWrap(bool v);
    TWrapStyle WrapStyle() const { return FWrapStyle; }
    void SetWrapStyle(TWrapStyle v);
    bool FullJustify = false;
    // Form data leave out the value 5.
    int MaxBreakChars = 0;
    // Kept as the absence of the control's opaque style.
    bool Transparent() const { return !FOpaque; }
    void SetTransparent(bool v) { FOpaque = !v; }

    // May replace the text for one print.
    std::function<void(TQRComponent* sender, std::string& value)> OnPrint;

    virtual bool CaptionBased() const { return true; }
    // The text lines this label shows, before wrapping.
    virtual std::vector<std::string> SourceLines() const;
    // Rebuilds the formatted lines; an automatically sized label then takes
    // the width of its widest line.
    virtual void BuildLines();
    const std::vector<std::string>& FormattedLines() const
    {
        return FFormattedAreSource ? FLines : FFormattedLines;
    }
    const std::string& PrintCaption() const { return FPrintCaption; }

    // The "FontSize" pseudo-property of form data.
    void ReadFontSize(int points);
    int WriteFontSize() const { return Font().Size(); }

    void BeginPrinting() override;
    void SetAlignment(TAlignment value) override;
    void Print(int ofsX, int ofsY) override;
    void GetExpandedHeight(Native& newHeight) override;

    int CurrentLine() const { return FCurrentLine; }
    int PrintPosition() const override { return FCurrentLine; }

protected:
    void Loaded() override;
    void FontChanged() override;
    void NameChanged(const std::string& oldName) override;
    void ParentChanged(TQRControl* oldParent) override;
    void BoundsChanged(const TRect& old) override;

    std::string FCaption;
    std::string FPrintCaption;
    std::vector<std::string> FLines;
    std::vector<std::string> FFormattedLines;
    std::u16string FWidecaption;
    int FCurrentLine = 0;
    int FFontSize = 0;
    bool DoneFormat = false;
    bool UpdatingBounds = false;
    // Counts changes of the text BuildLines wraps, so an unchanged text at an
    // unchanged font, width and zoom is not wrapped again.
    unsigned FTextRevision = 0;
    // The memo's lines need no breaking: the formatted lines are its lines,
    // kept once (a long message would otherwise be held twice).
    bool FFormattedAreSource = false;
    // False when the text can change without the revision counting it.
    virtual bool FormatCacheable() const { return true; }

private:
    struct FormatKey {
        unsigned revision = 0;
        TQRFont font;
        int width = 0, height = 0, zoom = 0;
        bool autoSize = false, wordWrap = false;
        TWrapStyle wrapStyle = TWrapStyle::BreakOnSpaces;
        const void* report = nullptr;
        bool operator==(const FormatKey&) const = default;
    };
    FormatKey formatKey() const;
    void wrapLines();
    void autoSizeWidth();
    void ensureMinimumHeight(const char* sample);

    // One call of the printing of lines: positions in native units.
    struct LineRun {
        Native left = 0, top = 0, width = 0, height = 0;
        Native lineHeight = 0;
        Native x = 0, y = 0, bottom = 0, stretch = 0;
        bool stretched = false;
    };
    void PrintLines(LineRun& run, bool autoStretch);
    bool FitNextLine(LineRun& run, bool autoStretch);
    void EmitLine(LineRun& run, int index);
    void emitJustified(const LineRun& run, const std::string& line);
    // The words of a justified line with their device x.
    std::vector<std::pair<int, std::string>> justifiedWords(const LineRun& run, const std::string& line);
    void exportLine(const LineRun& run, const std::string& line);
    Native selectPageFont();
    std::optional<FormatKey> FFormatKey;

    bool FAutoSize = true;
    bool FWordWrap = true;
    TWrapStyle FWrapStyle = TWrapStyle::BreakOnSpaces;
    bool FOpaque = true;
};

class TQRLabel : public TQRCustomLabel {
public:
    explicit TQRLabel(TQRComponent* owner) : TQRCustomLabel(owner) {}
};

class TQRMemo : public TQRCustomLabel {
public:
    explicit TQRMemo(TQRComponent* owner);
    bool CaptionBased() const override { return false; }
    void BeginPrinting() override;
    void EndPrinting() override;
    void Print(int ofsX, int ofsY) override;
};

// A label whose text is the value of an expression. Only plain values are
// understood here: the report variables, quoted strings and numbers.
class TQRExpr : public TQRCustomLabel {
public:
    explicit TQRExpr(TQRComponent* owner);
    const std::string& Expression() const { return FExpression; }
    void SetExpression(const std::string& e);
    std::string Mask;
    // The expression's current value as text; empty when not understood.
    std::string Value() const;
    std::vector<std::string> SourceLines() const override;

protected:
    bool FormatCacheable() const override { return false; }

private:
    std::string FExpression;
};

} // namespace zt::report
