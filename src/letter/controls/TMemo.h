#pragma once
// A multi-line box: plain text in one font, wrapped at its width. Its lines
// are the lines it shows (see BoxLines.h), measured by the font service at
// the width the text is formatted to.

#include "output/LetterBoxes.h"
#include "platform/fonts/FontService.h"

#include <QPlainTextEdit>
#include <memory>
#include <string>
#include <vector>

namespace zt::letter {

class TMemo : public QPlainTextEdit {
    Q_OBJECT
public:
    // The box's sunken edge and the edit margins, in pixels on each side.
    static constexpr int kEdge = output::kBoxEdge;
    static constexpr int kMargin = output::kBoxMargin;
    static constexpr int kScrollBarWidth = output::kBoxScrollBarWidth;

    TMemo(const QString& name, const platform::LogFont& font, bool withScrollBar, QWidget* parent);

    std::string Text() const;
    void SetText(const std::string& text);
    // Replaces the text by these lines, each followed by a line break, as
    // assigning a list of lines to a box does.
    void SetLines(const std::vector<std::string>& lines);
    // Adds a line after the last one (the box's list of lines grows by one).
    void AppendLine(const std::string& line);
    // Deletes displayed line `index` with the break that ends it.
    void DeleteLine(int index);
    // Shows the box from its first line, caret at position 0. The text is
    // unchanged, but it is edited on the way, so change events fire.
    void ScrollToTop();

    // The lines as displayed, and as the text's own breaks give them.
    std::vector<std::string> Lines() const;
    std::vector<std::string> TextLines() const;
    int LineCount() const { return static_cast<int>(Lines().size()); }

    // The width the text is wrapped to.
    int FormatWidth() const;
    const platform::LogFont& LogFont() const { return logFont_; }

private:
    platform::LogFont logFont_;
    std::shared_ptr<const platform::Font> font_;
    bool scrollBar_;
};

} // namespace zt::letter
