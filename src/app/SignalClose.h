#pragma once
// A termination request (SIGTERM, SIGINT, SIGHUP) closes the main window
// the ordinary way, so the settings are written as on every exit.

class QWidget;

namespace zt::app {

void closeOnTerminationSignals(QWidget* mainWindow);

} // namespace zt::app
