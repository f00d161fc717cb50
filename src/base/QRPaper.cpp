#include "base/QRPaper.h"

#include <array>

namespace zt::base {

namespace {

struct PaperRow {
    std::string_view name;
    long double width;
    long double length;
};

// Indexed by TQRPaperSize: Default, the 68 named papers, Custom.
constexpr std::array<PaperRow, kNamedPaperCount + 2> kPapers{{
    {"Default", 0, 0},
    {"Letter", 215.9L, 279.4L}, {"LetterSmall", 215.9L, 279.4L}, {"Tabloid", 279.4L, 431.8L},
    {"Ledger", 431.8L, 279.4L}, {"Legal", 215.9L, 355.6L}, {"Statement", 139.7L, 215.9L},
    {"Executive", 190.5L, 254L}, {"A3", 297L, 420L}, {"A4", 210L, 297L}, {"A4Small", 210L, 297L},
    {"A5", 148L, 210L}, {"B4", 250L, 354L}, {"B5", 182L, 257L}, {"Folio", 215.9L, 330.2L},
    {"Quarto", 215L, 275L}, {"qr10X14", 254L, 355.6L}, {"qr11X17", 279.4L, 431.8L},
    {"Note", 215.9L, 279.4L}, {"Env9", 98.43L, 225.4L}, {"Env10", 104.8L, 241.3L},
    {"Env11", 114.3L, 263.5L}, {"Env12", 120.7L, 279.4L}, {"Env14", 127L, 292.1L},
    {"CSheet", 431.8L, 558.8L}, {"DSheet", 558.8L, 863.6L}, {"ESheet", 863.6L, 1117.6L},
    {"EnvDL", 110L, 220L}, {"EnvC5", 162L, 229L}, {"EnvC3", 324L, 458L}, {"EnvC4", 229L, 324L},
    {"EnvC6", 114L, 162L}, {"EnvC65", 114L, 229L}, {"EnvB4", 250L, 353L}, {"EnvB5", 176L, 250L},
    {"EnvB6", 176L, 125L}, {"EnvItaly", 110L, 230L}, {"EnvMonarch", 98.43L, 190.5L},
    {"EnvPersonal", 92.01L, 165.1L}, {"FanfoldUSStd", 377.8L, 279.4L},
    {"FanfoldGerStd", 215.9L, 304.8L}, {"FanfoldGerLegal", 215.9L, 330.2L}, {"B4ISO", 250L, 353L},
    {"PostcardJap", 100L, 148L}, {"qr9X11", 228.6L, 279.4L}, {"qr10X11", 254L, 279.4L},
    {"qr15X11", 381L, 279.4L}, {"EnvInvite", 220L, 220L}, {"Reserved1", 100L, 100L},
    {"Reserved2", 100L, 100L}, {"LetterExtra", 241.3L, 304.8L}, {"LegalExtra", 241.3L, 381L},
    {"TabloidExtra", 296.9L, 457.2L}, {"A4Extra", 236L, 322L}, {"LetterTrans", 279.4L, 215.9L},
    {"A4Trans", 297L, 210L}, {"LetterExtraTrans", 304.8L, 241.3L}, {"SuperASuperAA4", 227L, 356L},
    {"SuperBSuperBA3", 305L, 487L}, {"LetterPlus", 215.9L, 322.3L}, {"A4Plus", 210L, 330L},
    {"A5Trans", 210L, 148L}, {"B5Trans", 257L, 182L}, {"A3Extra", 322L, 445L},
    {"A5Extra", 174L, 235L}, {"B5Extra", 201L, 276L}, {"A2", 420L, 594L}, {"A3Trans", 420L, 297L},
    {"A3ExtraTrans", 445L, 322L},
    {"Custom", 0, 0},
}};

} // namespace

bool IsNamedPaper(TQRPaperSize size)
{
    const int i = static_cast<int>(size);
    return i >= 1 && i <= kNamedPaperCount;
}

std::optional<TQRPaperDimensions> PaperDimensions(TQRPaperSize size)
{
    if (!IsNamedPaper(size))
        return std::nullopt;
    const PaperRow& row = kPapers[static_cast<std::size_t>(size)];
    return TQRPaperDimensions{row.width, row.length};
}

std::string_view PaperSizeName(TQRPaperSize size)
{
    const auto i = static_cast<std::size_t>(size);
    return i < kPapers.size() ? kPapers[i].name : std::string_view{};
}

std::optional<TQRPaperSize> PaperSizeFromName(std::string_view name)
{
    for (std::size_t i = 0; i < kPapers.size(); ++i)
        if (kPapers[i].name == name)
            return static_cast<TQRPaperSize>(i);
    return std::nullopt;
}

std::optional<TQRPaperSize> PaperSizeFromCode(int code)
{
    if (code < 1 || code > kNamedPaperCount)
        return std::nullopt;
    return static_cast<TQRPaperSize>(code);
}

} // namespace zt::base
