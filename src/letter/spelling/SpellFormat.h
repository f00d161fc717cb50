#pragma once
// How a misspelt word looks: the red wavy underline, in the boxes and in
// the single-line fields alike.

#include "spelling/WordFinder.h"

#include <QString>
#include <QTextCharFormat>
#include <string_view>
#include <vector>

class QLineEdit;

namespace zt::letter {

QTextCharFormat misspeltFormat();

// A QString's text as the word finder reads it, without a copy.
inline std::u16string_view utf16View(const QString& text)
{
    return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

// Underlines these words of a single-line field, replacing the marks it
// had. The field's text, caret, selection and undo steps stay as they are.
void showLineMarks(QLineEdit* field, const std::vector<spelling::TWordSpan>& words);

} // namespace zt::letter
