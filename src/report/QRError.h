#pragma once
// The report engine's own error, carrying the engine's German message texts.

#include <stdexcept>
#include <string>

namespace zt::report {

class EQRError : public std::runtime_error {
public:
    explicit EQRError(const std::string& message) : std::runtime_error(message) {}
};

// The engine's message texts, in one place so every raiser uses the same words.
namespace qrmsg {
inline constexpr const char* PrinterNotReady = "QRPrinter nicht bereit";
inline constexpr const char* InvalidNewPage = "Ungültiger Aufruf vonNewPage";
inline constexpr const char* GetFontDataError = "GetFontData error";
inline constexpr const char* CircularReference = "Zirkuläre Verweise sind nicht erlaubt";
} // namespace qrmsg

[[noreturn]] void raiseQRError(const std::string& message);

} // namespace zt::report
