#include "letter/spelling/TSpellHighlighter.h"

#include "letter/spelling/SpellFormat.h"
#include "letter/spelling/TSpelling.h"

namespace zt::letter {

TSpellHighlighter::TSpellHighlighter(TSpelling& spelling, QTextDocument* document,
                                     spelling::TWordContext context)
    : QSyntaxHighlighter(document), spelling_(spelling), context_(context)
{
}

void TSpellHighlighter::highlightBlock(const QString& text)
{
    if (!spelling_.Active())
        return;
    const QTextCharFormat format = misspeltFormat();
    for (const spelling::TWordSpan& w : spelling_.Misspelt(text, context_))
        setFormat(static_cast<int>(w.start), static_cast<int>(w.length), format);
}

} // namespace zt::letter
