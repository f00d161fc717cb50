#include "platform/locale/MeasurementSystem.h"

#include <cstdlib>
#include <langinfo.h>
#include <locale.h>

namespace zt::platform {

namespace {

// glibc's LC_MEASUREMENT value: 1 metric, 2 US customary.
constexpr char kGlibcUsMeasure = 2;

} // namespace

MeasurementSystem measurementSystemOf(const std::string& localeName)
{
    const char* name = localeName.empty() ? "C" : localeName.c_str();
    locale_t loc = newlocale(LC_MEASUREMENT_MASK, name, static_cast<locale_t>(nullptr));
    if (loc == static_cast<locale_t>(nullptr))
        return MeasurementSystem::Metric;
    const char* value = nl_langinfo_l(_NL_MEASUREMENT_MEASUREMENT, loc);
    const bool us = value != nullptr && value[0] == kGlibcUsMeasure;
    freelocale(loc);
    return us ? MeasurementSystem::US : MeasurementSystem::Metric;
}

std::string measurementLocaleName()
{
    for (const char* var : {"LC_ALL", "LC_MEASUREMENT", "LANG"}) {
        const char* value = std::getenv(var);
        if (value != nullptr && value[0] != '\0')
            return value;
    }
    return {};
}

MeasurementSystem localeMeasurementSystem()
{
    return measurementSystemOf(measurementLocaleName());
}

} // namespace zt::platform
