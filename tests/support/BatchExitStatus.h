#pragma once
// The batch tool's exit statuses as the README and its manual page give
// them, written out here so that a changed status cannot pass unnoticed.

namespace exit_status {
inline constexpr int done = 0;
inline constexpr int usage = 2;
inline constexpr int notOpened = 3;
inline constexpr int notWritten = 4;
inline constexpr int badReport = 5;
inline constexpr int noPrinter = 6;
inline constexpr int internalFault = 7;
} // namespace exit_status
