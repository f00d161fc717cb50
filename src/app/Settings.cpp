#include "app/Settings.h"

#include "letter/state/ProgramState.h"
#include "letter/window/TFrmMain.h"
#include "platform/profile/ProfileFile.h"

#include <QGuiApplication>
#include <exception>

namespace zt::app {

using letter::LastDir;

namespace {
constexpr int kNoWidth = -1;
}

void ReadSettings(letter::TFrmMain& frm, const std::string& path)
{
    try {
        const platform::ProfileFile ini(path);
        LastDir = ini.readString("Setup", "path_data", LastDir);
        frm.SetLeft(ini.readInteger("foMain", "left", 10));
        frm.SetTop(ini.readInteger("foMain", "top", 10));
        frm.SetHeight(ini.readInteger("foMain", "height", kDefaultHeight));
        // Without a width of its own the window opens at its designed client
        // width (what 680 outer pixels were on the original frame): a first
        // start then wraps the boxes where the batch tool wraps them, whatever
        // frame the window manager draws.
        const int width = ini.readInteger("foMain", "width", kNoWidth);
        if (width == kNoWidth)
            frm.SetDesignedClientWidth();
        else
            frm.SetWidth(width);
    } catch (const std::exception&) {
        // Optional step: what was applied stays, the rest keeps its state.
    }
    frm.FitIntoScreen();
}

bool PlatformGivesWindowPlaces()
{
    return !QGuiApplication::platformName().startsWith(QLatin1String("wayland"));
}

void WriteSettings(const letter::TFrmMain& frm, const std::string& path)
{
    WriteSettings(frm, path, PlatformGivesWindowPlaces());
}

void WriteSettings(const letter::TFrmMain& frm, const std::string& path, bool placeKnown)
{
    try {
        platform::ProfileFile ini(path);
        ini.writeString("Setup", "path_data", LastDir);
        if (placeKnown) {
            ini.writeInteger("foMain", "left", frm.Left());
            ini.writeInteger("foMain", "top", frm.Top());
        }
        ini.writeInteger("foMain", "height", frm.Height());
        ini.writeInteger("foMain", "width", frm.Width());
    } catch (const std::exception&) {
        // Optional step: the values written before the error stay in the file.
    }
}

} // namespace zt::app
