#pragma once
// The window's pictures, drawn in code: the eleven 16 x 16 command images
// (indexes 0-10 of the command list) and the glyphs of the image buttons.

#include <QIcon>

namespace zt::letter {

inline constexpr int kImageCount = 11;

// 0 new, 1 open, 2 save, 3 print, 4 Word, 5 mail, 6 preview, 7 editor,
// 8 calendar, 9 phrases, 10 about.
QIcon commandImage(int index);

enum class Glyph { InsertPhrase, InsertDate, InsertTime, DateIntoPlace, Sort };
QIcon buttonGlyph(Glyph glyph);

// The program's icon (a note with a tick), `size` pixels square on a
// screen of device pixel ratio `dpr`.
QPixmap programIcon(int size, qreal dpr = 1.0);
// The same icon drawn afresh at every size a window manager asks for.
QIcon programWindowIcon();
// The about box's banner, `width` x `height` at device pixel ratio `dpr`.
QPixmap aboutBanner(int width, int height, qreal dpr = 1.0);

} // namespace zt::letter
