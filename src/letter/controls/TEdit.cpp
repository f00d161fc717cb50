#include "letter/controls/TEdit.h"

#include <algorithm>

namespace zt::letter {

TEdit::TEdit(const QString& name, const QFont& font, int maxLength, QWidget* parent)
    : QLineEdit(parent), maxLength_(maxLength)
{
    setObjectName(name);
    setFont(font);
    // QLineEdit's own limit would also cut text set by the program.
    // The text before an edit is taken from the field itself, never from the
    // signal: a cut made while an edit is being reported is followed by the
    // edit's own, stale notice, which would make the next key look like no
    // growth and let it through.
    connect(this, &QLineEdit::textChanged, this, [this] { before_ = text(); });
    connect(this, &QLineEdit::textEdited, this, &TEdit::limitEdit);
}

std::string TEdit::Text() const
{
    return text().toStdString();
}

void TEdit::SetText(const std::string& text)
{
    setText(QString::fromStdString(text));
}

void TEdit::limitEdit(const QString& edited)
{
    if (maxLength_ <= 0)
        return;
    const std::u32string now = edited.toStdU32String();
    const std::u32string was = before_.toStdU32String();
    if (now.size() <= static_cast<std::size_t>(maxLength_) || now.size() <= was.size()) {
        before_ = edited;
        return;
    }
    // The inserted run is what lies between the common start and end.
    std::size_t prefix = 0;
    while (prefix < now.size() && prefix < was.size() && now[prefix] == was[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < now.size() - prefix && suffix < was.size() - prefix &&
           now[now.size() - 1 - suffix] == was[was.size() - 1 - suffix])
        ++suffix;
    const std::size_t inserted = now.size() - prefix - suffix;
    const std::size_t others = now.size() - inserted;
    const std::size_t room = others >= static_cast<std::size_t>(maxLength_) ? 0 : maxLength_ - others;
    const std::size_t keep = std::min(inserted, room);
    const std::u32string kept = now.substr(0, prefix + keep) + now.substr(now.size() - suffix);
    const QString limited = QString::fromStdU32String(kept);
    const int caret = static_cast<int>(QString::fromStdU32String(now.substr(0, prefix + keep)).size());
    setText(limited);
    setCursorPosition(caret);
    before_ = limited;
}

} // namespace zt::letter
