#pragma once
// One QGuiApplication for a test program, created on first use: fonts,
// images and painting need it, and Qt allows only one per process.

#include <QGuiApplication>

namespace zt::testing {

inline void ensureGuiApplication()
{
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    if (!QGuiApplication::instance())
        new QGuiApplication(argc, argv);
}

} // namespace zt::testing
