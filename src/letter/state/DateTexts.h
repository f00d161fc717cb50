#pragma once
// Date and time texts as the program inserts them. Start-up fixes the short
// date format to "dd.mm.yyyy", so dates read the same whatever the system's
// regional settings; times follow the system's long time format.

#include <string>

namespace zt::letter {

// The process-wide short date format: d, dd, m, mm, yy and yyyy stand for
// day, month and year; every other character stands for itself. Empty means
// the system's own date format.
extern std::string ShortDateFormat;

std::string FormatShortDate(int year, int month, int day);
// Today's date in the short date format.
std::string DateText();
// The current time in the system's long time format.
std::string TimeText();

} // namespace zt::letter
