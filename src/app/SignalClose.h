#pragma once
// A termination request (SIGTERM, SIGINT, SIGHUP) closes the main window
// the ordinary way: an unsaved letter is asked about first, and the settings
// are written as on every exit.

class QWidget;

namespace zt::app {

void closeOnTerminationSignals(QWidget* mainWindow);

} // namespace zt::app
