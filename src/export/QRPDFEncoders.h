#pragma once
// The two encoders of inline image data: LZW in the code format of the
// LZWDecode filter (early change, most significant bit first), and ASCII85,
// which makes the compressed bytes printable text.

#include <cstdint>
#include <string>
#include <vector>

namespace zt::exporting {

std::vector<std::uint8_t> LZWEncode(const std::vector<std::uint8_t>& input);
// Throws EQRError on a stream that ends inside a code or names a code beyond the table.
std::vector<std::uint8_t> LZWDecode(const std::vector<std::uint8_t>& input);

// Base 85 with "z" for a full group of zeros, a line break after more than
// 200 characters, and the end marker "~>".
std::string ASCII85Encode(const std::vector<std::uint8_t>& input);

} // namespace zt::exporting
