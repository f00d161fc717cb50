#include "letter/controls/TMemo.h"

#include "output/BoxLines.h"
#include "output/LetterBoxes.h"
#include "platform/qt/QtFonts.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
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
    for (const std::string& line : lines)
        text += line + '\n';
    SetText(text);
}

void TMemo::AppendLine(const std::string& line)
{
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // After a final break (an empty last paragraph, as in an empty box) the
    // new line fills the empty last line; otherwise it starts a line of its
    // own. The last paragraph tells without reading the whole text.
    if (cursor.block().text().isEmpty())
        cursor.insertText(QString::fromStdString(line) + '\n');
    else
        cursor.insertText('\n' + QString::fromStdString(line));
}

void TMemo::DeleteLine(int index)
{
    // Start offsets (in the editor's UTF-16 positions) of every displayed
    // line, the empty line after a final break included.
    std::vector<int> starts;
    int pos = 0;
    for (const QString& paragraph : toPlainText().split('\n')) {
        for (const std::string& piece : output::wrapParagraph(paragraph.toStdString(), *font_, FormatWidth())) {
            starts.push_back(pos);
            pos += static_cast<int>(QString::fromStdString(piece).size());
        }
        pos += 1; // the break
    }
    if (index < 0 || index >= static_cast<int>(starts.size()))
        return;
    const int from = starts[index];
    const int to = index + 1 < static_cast<int>(starts.size())
                       ? starts[index + 1]
                       : static_cast<int>(toPlainText().size());
    QTextCursor cursor(document());
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
}

void TMemo::ScrollToTop()
{
    // One edit, so the box reports one change (and every listener measures
    // the text once, not twice).
    QTextCursor cursor(document());
    cursor.beginEditBlock();
    cursor.movePosition(QTextCursor::Start);
    cursor.insertText("\n");
    cursor.movePosition(QTextCursor::Start);
    cursor.movePosition(QTextCursor::NextCharacter, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    cursor.endEditBlock();
    QTextCursor caret = textCursor();
    caret.setPosition(0);
    setTextCursor(caret);
    verticalScrollBar()->setValue(0);
}

int TMemo::FormatWidth() const
{
    return output::BoxFormatWidth(width(), scrollBar_);
}

std::vector<std::string> TMemo::Lines() const
{
    return output::displayLines(Text(), *font_, FormatWidth());
}

std::vector<std::string> TMemo::TextLines() const
{
    return output::textLines(Text());
}

} // namespace zt::letter
