#pragma once
// The report engine's own error, carrying the engine's German message texts;
// one of the platform's errors, with a kind like every other.

#include "platform/core/PlatformError.h"

#include <string>

namespace zt::base {

using platform::ErrorKind;

class EQRError : public platform::PlatformError {
public:
    EQRError(ErrorKind kind, const std::string& message) : PlatformError(kind, message) {}
};

// The engine's message texts, in one place so every raiser uses the same words.
namespace qrmsg {
inline constexpr const char* PrinterNotReady = "QRPrinter nicht bereit";
inline constexpr const char* InvalidNewPage = "Ungültiger Aufruf vonNewPage";
inline constexpr const char* GetFontDataError = "GetFontData error";
inline constexpr const char* CircularReference = "Zirkuläre Verweise sind nicht erlaubt";
} // namespace qrmsg

[[noreturn]] void raiseQRError(ErrorKind kind, const std::string& message);

} // namespace zt::base

// The report engine builds on these and names them as its own.
namespace zt::report {
using namespace zt::base;
}
