// Keeping the letter window on its screen: bounds from the settings or the
// designed size that do not fit the free area of the screen (a scaled
// desktop, a smaller screen than the one they were stored on) are fitted
// into it, so the status bar and the right column stay in reach.

#include "letter/window/TFrmMain.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>

#include <algorithm>

namespace zt::letter {

void TFrmMain::FitIntoScreen()
{
    const QRect outer = frameGeometry();
    const QRect client = geometry();
    const QMargins m(client.left() - outer.left(), client.top() - outer.top(), outer.right() - client.right(),
                     outer.bottom() - client.bottom());
    // Until the window manager frames the window its frame is unknown: the
    // client area stands for the outer bounds, and the fitting is done
    // again once the frame is there.
    FFitWhenFramed = m.isNull();
    const QScreen* screen = QGuiApplication::screenAt(outer.center());
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = outer.size().boundedTo(area.size());
    if (size != outer.size())
        resize(size.width() - m.left() - m.right(), size.height() - m.top() - m.bottom());
    // Where the (possibly larger, by its minimum) window lies whole on the screen.
    const QSize now = frameGeometry().size();
    const int left = std::max(area.left(), std::min(outer.left(), area.right() + 1 - now.width()));
    const int top = std::max(area.top(), std::min(outer.top(), area.bottom() + 1 - now.height()));
    if (left != outer.left() || top != outer.top())
        move(left, top);
}

void TFrmMain::fitOnceFramed()
{
    if (!FFitWhenFramed || !isVisible() || frameGeometry() == geometry())
        return;
    FitIntoScreen();
}

} // namespace zt::letter
