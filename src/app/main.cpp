#include "letter/TFrmMain.h"
#include "platform/qt/QtMessageQueue.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationDisplayName(QString::fromUtf8("Zettelino für Windows"));
    zt::platform::qt::QtMessageQueue::install(&app);

    zt::letter::TFrmMain mainWindow;
    mainWindow.show();
    return QApplication::exec();
}
