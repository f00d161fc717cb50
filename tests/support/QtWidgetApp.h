#pragma once
// One QApplication for a window test program, created on first use; window
// tests need widgets, and Qt allows one application per process.

#include <QApplication>

namespace zt::testing {

inline void ensureWidgetApplication()
{
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    if (!QApplication::instance())
        new QApplication(argc, argv);
}

} // namespace zt::testing
