#include "letter/controls/TMemo.h"

#include "letter/BoxLines.h"
#include "platform/qt/QtFonts.h"

#include <QScrollBar>
#include <QTextDocument>
#include <algorithm>

namespace zt::letter {

TMemo::TMemo(const QString& name, const platform::LogFont& font, bool withScrollBar, QWidget* parent)
    : QPlainTextEdit(parent),
      logFont_(font),
      font_(platform::FontService::instance().font(font)),
      scrollBar_(withScrollBar)
{
    setObjectName(name);
    setFont(platform::qt::qtFont(font));
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(kEdge);
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(withScrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    if (withScrollBar)
        verticalScrollBar()->setFixedWidth(kScrollBarWidth);
    document()->setDocumentMargin(0);
    setViewportMargins(kMargin, 0, kMargin, 0);
    setTabChangesFocus(true);
}

std::string TMemo::Text() const
{
    return toPlainText().toStdString();
}

void TMemo::SetText(const std::string& text)
{
    setPlainText(QString::fromStdString(text));
}

void TMemo::SetLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            text += '\n';
        text += lines[i];
    }
    // A last line that is empty needs a break of its own to be counted.
    if (!lines.empty() && lines.back().empty())
        text += '\n';
    SetText(text);
}

int TMemo::FormatWidth() const
{
    return std::max(0, width() - 2 * kEdge - 2 * kMargin - (scrollBar_ ? kScrollBarWidth : 0));
}

std::vector<std::string> TMemo::Lines() const
{
    return displayLines(Text(), *font_, FormatWidth());
}

std::vector<std::string> TMemo::TextLines() const
{
    return textLines(Text());
}

} // namespace zt::letter
