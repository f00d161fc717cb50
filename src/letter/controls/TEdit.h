#pragma once
// A single-line field whose length limit, counted in characters, holds for
// typing and pasting only: text the program puts in is kept whole, and a
// paste that would overflow keeps as much of the pasted text as fits.

#include <QLineEdit>
#include <string>

namespace zt::letter {

class TEdit : public QLineEdit {
    Q_OBJECT
public:
    TEdit(const QString& name, const QFont& font, int maxLength, QWidget* parent);

    std::string Text() const;
    void SetText(const std::string& text);
    int MaxLength() const { return maxLength_; }

private:
    void limitEdit(const QString& edited);

    int maxLength_; // 0: no limit
    QString before_;
};

} // namespace zt::letter
