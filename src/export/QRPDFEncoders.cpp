#include "export/QRPDFEncoders.h"

#include "base/QRError.h"

#include <algorithm>
#include <array>

namespace zt::exporting {

using namespace zt::base;

namespace {

constexpr int kClear = 256;
constexpr int kEnd = 257;
constexpr int kFirstFree = 258;
constexpr int kTableSize = 4096;

class BitWriter {
public:
    explicit BitWriter(std::vector<std::uint8_t>& out) : out_(out) {}
    void put(int code, int width)
    {
        acc_ = (acc_ << width) | static_cast<std::uint32_t>(code);
        bits_ += width;
        while (bits_ >= 8) {
            bits_ -= 8;
            out_.push_back(static_cast<std::uint8_t>(acc_ >> bits_));
        }
        acc_ &= (1u << bits_) - 1u;
    }
    void flush()
    {
        if (bits_ > 0)
            out_.push_back(static_cast<std::uint8_t>(acc_ << (8 - bits_)));
        bits_ = 0;
        acc_ = 0;
    }

private:
    std::vector<std::uint8_t>& out_;
    std::uint32_t acc_ = 0;
    int bits_ = 0;
};

} // namespace

std::vector<std::uint8_t> LZWEncode(const std::vector<std::uint8_t>& input)
{
    std::vector<std::uint8_t> out;
    out.reserve(input.size() / 2 + 16);
    BitWriter writer(out);
    // child[code * 256 + byte]: the entry extending `code` by `byte`, 0 for none.
    // Each byte read adds at most one code, so a small image needs only the
    // rows it can reach, not the whole table's two megabytes.
    const std::size_t codes = std::min<std::size_t>(kTableSize, kFirstFree + input.size());
    std::vector<std::uint16_t> child(codes * 256, 0);
    std::vector<int> used;
    int next = kFirstFree;
    int width = 9;
    const auto reset = [&] {
        for (int i : used)
            child[static_cast<std::size_t>(i)] = 0;
        used.clear();
        next = kFirstFree;
        width = 9;
    };
    writer.put(kClear, width);
    std::size_t pos = 0;
    while (pos < input.size()) {
        int code = input[pos++];
        while (pos < input.size()) {
            const int slot = code * 256 + input[pos];
            const int ext = child[static_cast<std::size_t>(slot)];
            if (ext == 0)
                break;
            code = ext;
            ++pos;
        }
        writer.put(code, width);
        if (pos < input.size()) {
            const int slot = code * 256 + input[pos];
            child[static_cast<std::size_t>(slot)] = static_cast<std::uint16_t>(next);
            used.push_back(slot);
            const int added = next++;
            if (added == 511 || added == 1023 || added == 2047)
                ++width;
            if (next == kTableSize) {
                writer.put(kClear, width);
                reset();
            }
        }
    }
    writer.put(kEnd, width);
    writer.flush();
    return out;
}

std::vector<std::uint8_t> LZWDecode(const std::vector<std::uint8_t>& input)
{
    std::vector<std::uint8_t> out;
    std::vector<std::vector<std::uint8_t>> table;
    const auto reset = [&] {
        table.assign(kFirstFree, {});
        for (int i = 0; i < 256; ++i)
            table[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i)};
    };
    reset();
    std::size_t bitPos = 0;
    const std::size_t totalBits = input.size() * 8;
    int width = 9;
    int previous = -1;
    for (;;) {
        if (bitPos + static_cast<std::size_t>(width) > totalBits)
            throw EQRError(ErrorKind::DamagedInput, "LZWDecode: End of stream");
        int code = 0;
        for (int i = 0; i < width; ++i, ++bitPos)
            code = (code << 1) | ((input[bitPos / 8] >> (7 - bitPos % 8)) & 1);
        if (code == kEnd)
            break;
        if (code == kClear) {
            reset();
            width = 9;
            previous = -1;
            continue;
        }
        const auto size = static_cast<int>(table.size());
        if (code > size || (code == size && previous < 0))
            throw EQRError(ErrorKind::DamagedInput, "LZWDecode: code>=idxCodeTable");
        std::vector<std::uint8_t> entry;
        if (code < size) {
            entry = table[static_cast<std::size_t>(code)];
        } else {
            entry = table[static_cast<std::size_t>(previous)];
            entry.push_back(entry.front());
        }
        out.insert(out.end(), entry.begin(), entry.end());
        if (previous >= 0 && table.size() < static_cast<std::size_t>(kTableSize)) {
            auto added = table[static_cast<std::size_t>(previous)];
            added.push_back(entry.front());
            table.push_back(std::move(added));
        }
        previous = code;
        // Early change: the width grows one entry before the table needs it.
        const std::size_t nextFree = table.size() + 1;
        width = nextFree >= 2048 ? 12 : nextFree >= 1024 ? 11 : nextFree >= 512 ? 10 : 9;
    }
    return out;
}

std::string ASCII85Encode(const std::vector<std::uint8_t>& input)
{
    std::string out;
    out.reserve(input.size() * 5 / 4 + input.size() / 100 + 8);
    int count = 0;
    const auto lineBreak = [&](int added) {
        count += added;
        if (count > 200) {
            out += "\r\n";
            count = 0;
        }
    };
    for (std::size_t i = 0; i < input.size(); i += 4) {
        const std::size_t n = std::min<std::size_t>(4, input.size() - i);
        std::uint32_t value = 0;
        for (std::size_t k = 0; k < 4; ++k)
            value = (value << 8) | (k < n ? input[i + k] : 0u);
        if (n == 4 && value == 0) {
            out += 'z';
            lineBreak(5);
            continue;
        }
        std::array<char, 5> digits{};
        for (int k = 4; k >= 0; --k) {
            digits[static_cast<std::size_t>(k)] = static_cast<char>(value % 85 + 33);
            value /= 85;
        }
        out.append(digits.data(), n + 1);
        lineBreak(static_cast<int>(n + 1));
    }
    out += "~>";
    return out;
}

} // namespace zt::exporting
