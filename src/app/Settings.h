#pragma once
// The settings file ZLW.INI: the last used folder and the main window's
// bounds, carried from one run to the next.

#include <string>

namespace zt::letter {
class TFrmMain;
}

namespace zt::app {

inline constexpr const char* kSettingsFileName = "ZLW.INI";
// Outer height without stored bounds: tall enough to show the whole form
// with a message box of eight lines or more. Without a stored width the
// window takes its designed client width.
inline constexpr int kDefaultHeight = 620;

// Applies path_data, left, top, height and width in this order, each with
// its fallback; an error ends the reading there without a message.
void ReadSettings(letter::TFrmMain& frm, const std::string& path);
// Writes the same values in the same order; an error ends the writing there
// without a message, leaving what was written before it. Without
// `placeKnown` left and top stay as they were in the file.
void WriteSettings(const letter::TFrmMain& frm, const std::string& path, bool placeKnown);
void WriteSettings(const letter::TFrmMain& frm, const std::string& path);
// Whether the platform tells a program where its windows are: Wayland
// does not (the window reports a place of its own making, such as -3, -30).
bool PlatformGivesWindowPlaces();

} // namespace zt::app
