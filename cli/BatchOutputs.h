#pragma once
// The batch tool's outputs, described once: the option that asks for each,
// what it takes, which input it reads, whether a mail merge writes it and
// whether a letter's is made without the window. The option parser, the
// check of the usage text and both halves of the tool read this table; the
// halves' switches name every kind, so a new one is a compile error there
// until it is handled.

#include <array>
#include <string_view>

namespace zt::cli {

enum class TBatchOutputKind { Info, Png, Print, Text, Zlw, Qrp, Pdf, PdfPlain, PdfEach, Mail };

// What follows the option on the command line.
enum class TOutputArgument {
    None,
    File,
    Folder,
    OptionalPrinter, // a printer's name, when the input came first and the next word is no option
};

// The input the output reads.
enum class TOutputInput { Letter, Report, Either };

struct TBatchOutputInfo {
    TBatchOutputKind kind;
    const char* option;
    TOutputArgument argument;
    TOutputInput input;
    bool inMerge;    // a mail merge writes it
    bool mergeOnly;  // only a mail merge writes it
    bool windowless; // a letter's is made without the window
};

inline constexpr std::array<TBatchOutputInfo, 10> kBatchOutputs = {{
    {TBatchOutputKind::Text, "--text", TOutputArgument::File, TOutputInput::Letter, false, false, true},
    {TBatchOutputKind::Zlw, "--zlw", TOutputArgument::File, TOutputInput::Letter, false, false, true},
    {TBatchOutputKind::Qrp, "--qrp", TOutputArgument::File, TOutputInput::Letter, true, false, true},
    {TBatchOutputKind::Mail, "--mail", TOutputArgument::None, TOutputInput::Letter, false, false, true},
    {TBatchOutputKind::Info, "--info", TOutputArgument::None, TOutputInput::Report, false, false, false},
    {TBatchOutputKind::Png, "--png", TOutputArgument::Folder, TOutputInput::Either, false, false, false},
    {TBatchOutputKind::Pdf, "--pdf", TOutputArgument::File, TOutputInput::Either, true, false, true},
    {TBatchOutputKind::PdfPlain, "--pdf-plain", TOutputArgument::File, TOutputInput::Letter, true, false, true},
    {TBatchOutputKind::Print, "--print", TOutputArgument::OptionalPrinter, TOutputInput::Either, true, false, false},
    {TBatchOutputKind::PdfEach, "--pdf-each", TOutputArgument::Folder, TOutputInput::Letter, true, true, true},
}};

constexpr const TBatchOutputInfo& BatchOutputInfo(TBatchOutputKind kind)
{
    for (const TBatchOutputInfo& o : kBatchOutputs)
        if (o.kind == kind)
            return o;
    return kBatchOutputs.front();
}

// The entry of a command-line option, or nullptr.
constexpr const TBatchOutputInfo* BatchOutputByOption(std::string_view option)
{
    for (const TBatchOutputInfo& o : kBatchOutputs)
        if (option == o.option)
            return &o;
    return nullptr;
}

} // namespace zt::cli
