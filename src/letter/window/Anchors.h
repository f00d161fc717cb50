#pragma once
// Anchored placement: each control keeps its designed rectangle and follows
// the edges of its parent that its anchors name when the parent is resized.

#include <QRect>
#include <QSize>
#include <QWidget>
#include <vector>

namespace zt::letter {

enum TAnchor : unsigned { akLeft = 1, akTop = 2, akRight = 4, akBottom = 8 };
using TAnchors = unsigned;

class AnchorLayout {
public:
    explicit AnchorLayout(QSize designed) : designed_(designed) {}

    // Places `w` at its designed rectangle and remembers how it follows.
    void place(QWidget* w, QRect designed, TAnchors anchors);
    // Moves every placed control for a parent of `size`; sizes never go below 0.
    void apply(QSize size) const;
    QRect rectFor(QRect designed, TAnchors anchors, QSize size) const;
    // The smallest parent size at which no two controls that lie apart in
    // the design overlap, and no control that stretches is squeezed below
    // what it needs to show (its minimum size or size hint, at most its
    // designed size). Controls that overlap in the design itself may.
    QSize minimumSize() const;

private:
    bool fits(QSize size) const;

    struct Entry {
        QWidget* widget;
        QRect designed;
        TAnchors anchors;
    };
    QSize designed_;
    std::vector<Entry> entries_;
};

} // namespace zt::letter
