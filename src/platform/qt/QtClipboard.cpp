#include "platform/qt/QtClipboard.h"

#include "platform/core/PlatformError.h"

#include <QClipboard>
#include <QGuiApplication>

namespace zt::platform::qt {

namespace {

QClipboard& system()
{
    QClipboard* c = QGuiApplication::clipboard();
    if (!c)
        throw PlatformError(ErrorKind::SystemFailure, "Die Zwischenablage kann nicht geöffnet werden");
    return *c;
}

} // namespace

void QtClipboard::setText(const std::string& text)
{
    system().setText(QString::fromStdString(text));
}

std::string QtClipboard::text()
{
    return system().text().toStdString();
}

} // namespace zt::platform::qt
