#pragma once
// Icons drawn in code as vectors: the drawing runs again at every size and
// device pixel ratio asked for, so a toolbar stays crisp on a scaled screen.

#include <QIcon>
#include <functional>

class QPainter;

namespace zt::platform::qt {

// `paint` draws into a `designSize` x `designSize` square; the icon scales
// it to whatever size is asked for. A disabled icon is drawn greyed.
QIcon paintedIcon(std::function<void(QPainter&)> paint, int designSize = 16);

} // namespace zt::platform::qt
