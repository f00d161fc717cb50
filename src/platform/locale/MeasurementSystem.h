#pragma once
// Which measurement system the user's locale asks for: the locale decides the
// default units, paper and margins of a new report.

#include <string>

namespace zt::platform {

enum class MeasurementSystem { Metric, US };

// The measurement system of a named locale ("en_US.UTF-8", "de_DE", "C");
// an unknown or empty name counts as the portable "C" locale, which is metric.
MeasurementSystem measurementSystemOf(const std::string& localeName);

// The locale name that governs measurement in the environment, in POSIX
// precedence: LC_ALL, then LC_MEASUREMENT, then LANG; empty when none is set.
std::string measurementLocaleName();

// The measurement system of the process's environment.
MeasurementSystem localeMeasurementSystem();

} // namespace zt::platform
