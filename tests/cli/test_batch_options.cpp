#include "cli/BatchOptions.h"
#include "cli/ExitStatus.h"
#include "cli/PrintCommands.h"
#include "files/LetterContent.h"
#include "platform/core/PlatformError.h"
#include "base/QRError.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

using namespace zt::cli;

TEST(BatchOptions, HelpWinsOverEverythingElse)
{
    EXPECT_TRUE(parseBatchOptions({"--help"}).help);
    EXPECT_TRUE(parseBatchOptions({"-h"}).help);
    EXPECT_TRUE(parseBatchOptions({"brief.ZLW", "--help"}).help);
}

TEST(BatchOptions, BadArgumentsAreUsageErrors)
{
    EXPECT_EQ(parseBatchOptions({}).errors, std::vector<std::string>{"keine Eingabedatei angegeben"});
    EXPECT_EQ(parseBatchOptions({"a.QRP"}).errors, std::vector<std::string>{"keine Ausgabe verlangt"});
    EXPECT_EQ(parseBatchOptions({"a.QRP", "--png"}).errors, std::vector<std::string>{"--png braucht einen Ordner"});
    EXPECT_EQ(parseBatchOptions({"--frobnicate"}).errors, std::vector<std::string>{"unbekannte Option: --frobnicate"});
    const auto two = parseBatchOptions({"a.ZLW", "b.ZLW"});
    EXPECT_EQ(two.input, "a.ZLW");
    EXPECT_EQ(two.errors, std::vector<std::string>{"unerwartetes Argument: b.ZLW"});
}

TEST(BatchOptions, OutputsKeepTheirOrder)
{
    const auto o = parseBatchOptions({"r.QRP", "--png", "out", "--info", "--png", "b"});
    EXPECT_TRUE(o.errors.empty());
    EXPECT_EQ(o.input, "r.QRP");
    using K = BatchOutput::Kind;
    EXPECT_EQ(o.outputs, (std::vector<BatchOutput>{{K::Png, "out"}, {K::Info, ""}, {K::Png, "b"}}));
}

TEST(BatchOptions, UsageNamesTheToolAndItsExitStatus)
{
    const std::string usage = batchUsage();
    EXPECT_NE(usage.find("Aufruf: zettelino-print"), std::string::npos);
    EXPECT_NE(usage.find("2 falscher Aufruf"), std::string::npos);
}

TEST(BatchOptions, LetterOutputsNeedAFileAndDoNotMixWithReportOutputs)
{
    using K = BatchOutput::Kind;
    const auto o = parseBatchOptions({"b.ZLW", "--text", "b.txt", "--zlw", "c.ZLW", "--text", "d.txt"});
    EXPECT_TRUE(o.errors.empty());
    EXPECT_TRUE(o.letterInput());
    EXPECT_EQ(o.outputs, (std::vector<BatchOutput>{{K::Text, "b.txt"}, {K::Zlw, "c.ZLW"}, {K::Text, "d.txt"}}));
    EXPECT_EQ(parseBatchOptions({"b.ZLW", "--zlw"}).errors, std::vector<std::string>{"--zlw braucht eine Datei"});
    EXPECT_EQ(parseBatchOptions({"b.ZLW", "--info", "--text", "x"}).errors.size(), 1u);
    EXPECT_FALSE(parseBatchOptions({"r.QRP", "--info"}).letterInput());
}

TEST(BatchOptions, PdfTakesAFileAndEitherInput)
{
    using K = BatchOutput::Kind;
    const auto letter = parseBatchOptions({"brief.ZLW", "--pdf", "out.pdf"});
    EXPECT_TRUE(letter.errors.empty());
    EXPECT_EQ(letter.outputs, (std::vector<BatchOutput>{{K::Pdf, "out.pdf"}}));
    EXPECT_TRUE(letter.letterInput());
    const auto report = parseBatchOptions({"r.QRP", "--info", "--pdf", "out.pdf"});
    EXPECT_TRUE(report.errors.empty());
    EXPECT_FALSE(report.letterInput());
    EXPECT_EQ(parseBatchOptions({"r.QRP", "--pdf"}).errors, std::vector<std::string>{"--pdf braucht eine Datei"});
    EXPECT_NE(batchUsage().find("--pdf DATEI"), std::string::npos);
}

TEST(BatchOptions, VersionNeedsNoInput)
{
    const auto o = parseBatchOptions({"--version"});
    EXPECT_TRUE(o.version);
    EXPECT_TRUE(o.errors.empty());
    EXPECT_NE(batchUsage().find("--version"), std::string::npos);
}

TEST(BatchExitStatus, FollowsTheKindOfTheFailure)
{
    using zt::platform::ErrorKind;
    using zt::platform::PlatformError;
    const PlatformError damaged(ErrorKind::DamagedInput, "x");
    EXPECT_EQ(exitStatusFor(damaged, InputFile::Letter), kExitNotOpened);
    EXPECT_EQ(exitStatusFor(damaged, InputFile::SavedReport), kExitBadReport);
    for (const InputFile input : {InputFile::Letter, InputFile::SavedReport}) {
        EXPECT_EQ(exitStatusFor(PlatformError(ErrorKind::SystemFailure, "x"), input), kExitNotWritten);
        EXPECT_EQ(exitStatusFor(PlatformError(ErrorKind::InternalFault, "x"), input), kExitInternal);
        EXPECT_EQ(exitStatusFor(zt::report::EQRError(ErrorKind::InternalFault, "x"), input), kExitInternal);
        EXPECT_EQ(exitStatusFor(NoPrinterError("x"), input), kExitNoPrinter);
        EXPECT_EQ(exitStatusFor(std::bad_alloc(), input), kExitNotWritten);
        EXPECT_EQ(exitStatusFor(std::logic_error("x"), input), kExitInternal);
    }
    EXPECT_EQ(exitStatusFor(zt::files::ELetterFileError("x"), InputFile::Letter), kExitNotOpened);
}

TEST(BatchOutputTable, EveryOutputHasItsUsageLineAndParsesToItsKind)
{
    const std::string usage = zt::cli::batchUsage();
    for (const zt::cli::TBatchOutputInfo& o : zt::cli::kBatchOutputs) {
        SCOPED_TRACE(o.option);
        // Listed in the usage text at the start of a line of its own.
        EXPECT_NE(usage.find(std::string("\n  ") + o.option + (o.argument == zt::cli::TOutputArgument::None ? " " : "")),
                  std::string::npos);
        std::vector<std::string> args = {"brief.ZLW"};
        if (o.mergeOnly)
            args.insert(args.end(), {"--merge", "liste.csv"});
        args.push_back(o.option);
        if (o.argument == zt::cli::TOutputArgument::File || o.argument == zt::cli::TOutputArgument::Folder)
            args.push_back("ziel");
        const zt::cli::BatchOptions parsed = zt::cli::parseBatchOptions(args);
        ASSERT_EQ(parsed.outputs.size(), 1u);
        EXPECT_EQ(parsed.outputs[0].kind, o.kind);
        EXPECT_EQ(parsed.outputs[0].lettersOnly(), o.input == zt::cli::TOutputInput::Letter);
        EXPECT_EQ(parsed.outputs[0].reportsOnly(), o.input == zt::cli::TOutputInput::Report);
        if (o.argument == zt::cli::TOutputArgument::File || o.argument == zt::cli::TOutputArgument::Folder) {
            const auto missing = zt::cli::parseBatchOptions({"brief.ZLW", o.option});
            ASSERT_EQ(missing.errors.size(), 1u);
            EXPECT_EQ(missing.errors[0], std::string(o.option) +
                                             (o.argument == zt::cli::TOutputArgument::File ? " braucht eine Datei"
                                                                                           : " braucht einen Ordner"));
        }
    }
}
