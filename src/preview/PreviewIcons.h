#pragma once
// The preview toolbar's 16 x 16 pictures, drawn in code.

#include <QIcon>

namespace zt::preview {

// Image-list indexes of the toolbar: 0 fit, 1 100 %, 2 width, 3 first,
// 4 previous, 5 next, 6 last, 7 printer setup, 8 print, 9 load, 10 save,
// 11 find, 12 go to page, 13 cancel, 14 copy; 15 the zoom pick glyph.
QIcon PreviewIcon(int index);

} // namespace zt::preview
