#pragma once
// Underlines the misspelt words of a multi-line box. The toolkit calls it
// for the paragraphs a change touched only, so a key in a long message
// checks one paragraph.

#include "spelling/SpellChecker.h"

#include <QSyntaxHighlighter>

namespace zt::letter {

class TSpelling;

class TSpellHighlighter : public QSyntaxHighlighter {
public:
    TSpellHighlighter(TSpelling& spelling, QTextDocument* document, spelling::TWordContext context);

protected:
    void highlightBlock(const QString& text) override;

private:
    TSpelling& spelling_;
    spelling::TWordContext context_;
};

} // namespace zt::letter
