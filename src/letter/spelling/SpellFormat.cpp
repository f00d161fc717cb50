#include "letter/spelling/SpellFormat.h"

#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLineEdit>

namespace zt::letter {

QTextCharFormat misspeltFormat()
{
    QTextCharFormat format;
    format.setUnderlineStyle(QTextCharFormat::SpellCheckUnderline);
    format.setUnderlineColor(Qt::red);
    return format;
}

void showLineMarks(QLineEdit* field, const std::vector<spelling::TWordSpan>& words)
{
    // A line field takes extra formats only as an input method's: an event
    // with formats and no text changes nothing but the marks. Its positions
    // count from the caret.
    QList<QInputMethodEvent::Attribute> marks;
    const QTextCharFormat format = misspeltFormat();
    const int caret = field->cursorPosition();
    for (const spelling::TWordSpan& w : words)
        marks.append(QInputMethodEvent::Attribute(QInputMethodEvent::TextFormat, static_cast<int>(w.start) - caret,
                                                  static_cast<int>(w.length), format));
    QInputMethodEvent event(QString(), marks);
    QCoreApplication::sendEvent(field, &event);
}

} // namespace zt::letter
