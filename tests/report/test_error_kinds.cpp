// Every error of the platform and the engine carries its kind: the system
// failed, outside data is damaged, or the program broke its own rules. A
// few failures of each layer, each with the kind a caller must see.

#include "export/QRPDFEncoders.h"
#include "files/LetterBuffer.h"
#include "files/LetterFile.h"
#include "pages/QRPageList.h"
#include "pages/QRPayload.h"
#include "pages/QRPrinter.h"
#include "platform/automation/Automation.h"
#include "platform/core/PlatformError.h"
#include "platform/dialogs/UserDialogs.h"
#include "platform/files/FileAccess.h"
#include "platform/gdi/EmfRecorder.h"
#include "platform/gdi/Metafile.h"
#include "platform/printing/FakePrinterDriver.h"
#include "platform/printing/Printer.h"
#include "platform/streams/Stream.h"
#include "base/QRError.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

using namespace zt;
using platform::ErrorKind;
using platform::PlatformError;

namespace {

// The kind of what `f` throws; fails the test when it throws nothing or
// something that is not one of our errors.
ErrorKind kindOf(const std::function<void()>& f)
{
    try {
        f();
    } catch (const PlatformError& e) {
        EXPECT_EQ(platform::errorKindOf(e), e.kind());
        return e.kind();
    } catch (const std::exception& e) {
        ADD_FAILURE() << "not a PlatformError: " << e.what();
        return platform::errorKindOf(e);
    }
    ADD_FAILURE() << "nothing thrown";
    return ErrorKind::InternalFault;
}

const std::string kMissing = "/nonexistent/zettelino/missing";

} // namespace

TEST(ErrorKinds, FilesTheSystemCannotOpenOrWriteAreSystemFailures)
{
    EXPECT_EQ(kindOf([] { (void)platform::files::readFileBytes(kMissing + ".ZLW"); }), ErrorKind::SystemFailure);
    EXPECT_EQ(kindOf([] { platform::files::writeFileAtomically(kMissing + "/out.txt", "x"); }),
              ErrorKind::SystemFailure);
    EXPECT_EQ(kindOf([] { pages::TQRPageList().LoadFromFile(kMissing + ".QRP"); }), ErrorKind::SystemFailure);
    EXPECT_EQ(kindOf([] { platform::TFileStream(kMissing + ".QRP", platform::TFileStream::Mode::OpenRead); }),
              ErrorKind::SystemFailure);
}

TEST(ErrorKinds, MissingPrintersFontsAndProgramsAreSystemFailures)
{
    platform::printing::TPrinter none(std::make_shared<platform::printing::FakePrinterDriver>());
    EXPECT_EQ(kindOf([&] { none.BeginDoc(); }), ErrorKind::SystemFailure);
    EXPECT_EQ(kindOf([] { platform::CreateOleObject("Word.Application"); }), ErrorKind::SystemFailure);
}

TEST(ErrorKinds, DamagedLettersReportsMetafilesAndPackedDataAreDamagedInput)
{
    files::TLetterBuffer sink;
    EXPECT_EQ(kindOf([&] { files::ReadLetterFile(files::TLetterFileReader({"AbsLines=1", "AnsLines=1"}), sink); }),
              ErrorKind::DamagedInput);
    EXPECT_EQ(kindOf([] {
                  platform::TMemoryStream bytes(std::vector<std::uint8_t>(50, 0));
                  pages::TQRPageList().LoadFromStream(bytes);
              }),
              ErrorKind::DamagedInput);
    EXPECT_EQ(kindOf([] { (void)platform::gdi::TMetafile::FromBytes({}); }), ErrorKind::DamagedInput);
    EXPECT_EQ(kindOf([] {
                  const std::uint8_t packed[] = {0x00, 0x01};
                  (void)pages::UnpackBytes(packed, sizeof packed, 1);
              }),
              ErrorKind::DamagedInput);
    EXPECT_EQ(kindOf([] { (void)exporting::LZWDecode({0x80, 0x4B, 0x00, 0x00}); }), ErrorKind::DamagedInput);
    EXPECT_EQ(kindOf([] {
                  platform::TMemoryStream bytes(std::vector<std::uint8_t>{1, 2});
                  (void)bytes.ReadInt32();
              }),
              ErrorKind::DamagedInput);
}

TEST(ErrorKinds, CallsTheProgramShouldNeverMakeAreInternalFaults)
{
    EXPECT_EQ(kindOf([] {
                  auto rec = platform::gdi::EmfRecorder::forPage(platform::gdi::RefDevice::screen(), 10, 10);
                  rec.DeleteObject(7);
              }),
              ErrorKind::InternalFault);
    EXPECT_EQ(kindOf([] { pages::TQRPageList().AddPage(platform::gdi::TMetafile()); }), ErrorKind::InternalFault);
    EXPECT_EQ(kindOf([] {
                  pages::TQRPrinter recorder(nullptr);
                  recorder.NewPage();
              }),
              ErrorKind::InternalFault);
    // No dialogs are installed here: a question nobody can answer.
    EXPECT_EQ(kindOf([] { platform::userDialogs().messageDlg("?", platform::TMsgDlgType::mtWarning, platform::mbOK); }),
              ErrorKind::InternalFault);
}

TEST(ErrorKinds, TheEnginesGermanTextsStayAsTheyWere)
{
    try {
        pages::TQRPrinter recorder(nullptr);
        recorder.NewPage();
        FAIL() << "no error";
    } catch (const report::EQRError& e) {
        EXPECT_STREQ(e.what(), "Ungültiger Aufruf vonNewPage");
    }
}

TEST(ErrorKinds, OtherExceptionsAreClassifiedByWhatTheyMean)
{
    EXPECT_EQ(platform::errorKindOf(std::bad_alloc()), ErrorKind::SystemFailure);
    EXPECT_EQ(platform::errorKindOf(std::filesystem::filesystem_error(
                  "x", std::make_error_code(std::errc::no_such_file_or_directory))),
              ErrorKind::SystemFailure);
    EXPECT_EQ(platform::errorKindOf(std::out_of_range("x")), ErrorKind::InternalFault);
    EXPECT_EQ(platform::errorKindOf(PlatformError(ErrorKind::DamagedInput, "x")), ErrorKind::DamagedInput);
}
