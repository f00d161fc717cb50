#pragma once
// Text printables: labels showing a caption, memos showing lines, and
// expression labels showing a value.

#include "report/QRPrintable.h"

#include <functional>
#include <string>
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
    const std::vector<std::string>& FormattedLines() const { return FFormattedLines; }
    const std::string& PrintCaption() const { return FPrintCaption; }

    // The "FontSize" pseudo-property of form data.
    void ReadFontSize(int points);
    int WriteFontSize() const { return Font().Size(); }

    void BeginPrinting() override;
    void SetAlignment(TAlignment value) override;

    int CurrentLine() const { return FCurrentLine; }

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

private:
    void autoSizeWidth();

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

private:
    std::string FExpression;
};

} // namespace zt::report
