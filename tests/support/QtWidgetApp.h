#pragma once
// One QApplication for a window test program, created on first use; window
// tests need widgets, and Qt allows one application per process.

#include <QApplication>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace zt::testing {

inline void ensureWidgetApplication()
{
    static int argc = 1;
    static char name[] = "test";
    static char* argv[] = {name, nullptr};
    if (QApplication::instance())
        return;
    // The letter windows keep recovery copies while they live: in a folder of
    // this program's own, never among the copies of the person running it.
    if (!std::getenv("XDG_STATE_HOME")) {
        static std::string folder = "/tmp/zt-test-state-XXXXXX";
        if (::mkdtemp(folder.data())) {
            ::setenv("XDG_STATE_HOME", folder.c_str(), 1);
            std::atexit([] {
                std::error_code ignored;
                std::filesystem::remove_all(folder, ignored);
            });
        }
    }
    new QApplication(argc, argv);
}

} // namespace zt::testing
