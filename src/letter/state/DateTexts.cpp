#include "letter/state/DateTexts.h"

#include <clocale>
#include <cstdio>
#include <ctime>
#include <langinfo.h>

namespace zt::letter {

std::string ShortDateFormat;

namespace {

std::string number(int value, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*d", digits, value);
    return buf;
}

std::tm now()
{
    const std::time_t t = std::time(nullptr);
    std::tm local{};
    localtime_r(&t, &local);
    return local;
}

std::string systemFormat(nl_item item, const std::tm& tm, const char* fallback)
{
    // The user's locale for dates and times, without touching the process's.
    locale_t loc = newlocale(LC_TIME_MASK, "", static_cast<locale_t>(0));
    if (!loc)
        loc = newlocale(LC_TIME_MASK, "C", static_cast<locale_t>(0));
    const char* format = loc ? nl_langinfo_l(item, loc) : fallback;
    char buf[128];
    const std::size_t n = loc ? strftime_l(buf, sizeof buf, format, &tm, loc) : std::strftime(buf, sizeof buf, fallback, &tm);
    if (loc)
        freelocale(loc);
    return std::string(buf, n);
}

} // namespace

std::string FormatShortDate(int year, int month, int day)
{
    if (ShortDateFormat.empty()) {
        std::tm tm{};
        tm.tm_year = year - 1900;
        tm.tm_mon = month - 1;
        tm.tm_mday = day;
        return systemFormat(D_FMT, tm, "%x");
    }
    std::string out;
    const std::string& f = ShortDateFormat;
    for (std::size_t i = 0; i < f.size();) {
        auto run = [&](char c) {
            std::size_t n = 0;
            while (i + n < f.size() && (f[i + n] | 0x20) == c)
                ++n;
            return n;
        };
        const char c = static_cast<char>(f[i] | 0x20);
        if (c == 'd' || c == 'm') {
            const std::size_t n = run(c);
            out += number(c == 'd' ? day : month, n >= 2 ? 2 : 1);
            i += n;
        } else if (c == 'y') {
            const std::size_t n = run('y');
            out += n <= 2 ? number(year % 100, 2) : number(year, 4);
            i += n;
        } else {
            out += f[i++];
        }
    }
    return out;
}

std::string DateText()
{
    const std::tm tm = now();
    return FormatShortDate(tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday);
}

std::string TimeText()
{
    return systemFormat(T_FMT, now(), "%H:%M:%S");
}

} // namespace zt::letter
