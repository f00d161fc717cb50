#include "cli/ReportCommands.h"

#include "cli/ExitStatus.h"
#include "cli/PagePngs.h"
#include "preview/RecordedPdf.h"
#include "cli/PrintCommands.h"
#include "pages/QRPageList.h"
#include "platform/core/PlatformError.h"
#include "platform/gdi/EmfReader.h"
#include "platform/qt/QtRenderTarget.h"
#include "base/QRError.h"

#include <filesystem>
#include <memory>
#include <ostream>
#include <vector>

namespace zt::cli {

namespace {

using platform::gdi::TMetafile;

struct LoadedReport {
    bool packed = false;
    std::vector<std::unique_ptr<TMetafile>> pages;
};

// Reads every page up front, so a damaged file fails before anything is written.
LoadedReport load(const std::string& path)
{
    pages::TQRPageList list;
    list.LoadFromFile(path);
    // The store shows what a damaged file still holds; an inspection tool says
    // the file is damaged instead of quietly showing fewer pages.
    list.RequireAllPages();
    LoadedReport report;
    report.packed = list.Compression();
    for (std::int32_t n = 1; n <= list.PageCount(); ++n) {
        auto page = list.GetPage(n);
        if (!page)
            throw platform::PlatformError(platform::ErrorKind::DamagedInput,
                                          "Seite " + std::to_string(n) + " fehlt");
        report.pages.push_back(std::move(page));
    }
    return report;
}

void printInfo(const LoadedReport& report, std::ostream& out)
{
    out << "Seiten: " << report.pages.size() << '\n';
    out << "gepackt: " << (report.packed ? "ja" : "nein") << '\n';
    for (std::size_t i = 0; i < report.pages.size(); ++i) {
        const TMetafile& page = *report.pages[i];
        const QSize size = platform::qt::pageSizeInDevicePixels(page);
        out << "Seite " << i + 1 << ": " << size.width() << " x " << size.height() << " px, " << page.Bytes().size()
            << " Bytes, " << platform::gdi::readEmfRecords(page.Bytes()).records.size() << " Datensätze\n";
    }
}

} // namespace

int runReportCommands(const BatchOptions& options, std::ostream& out, std::ostream& err)
{
    if (options.listPrinters) {
        try {
            listPrinters(out);
        } catch (const std::exception& e) {
            err << "zettelino-print: " << e.what() << '\n';
            return exitStatusFor(e, InputFile::SavedReport);
        }
        if (options.input.empty())
            return kExitDone;
    }
    LoadedReport report;
    try {
        report = load(options.input);
    } catch (const std::exception& e) {
        const int status = exitStatusFor(e, InputFile::SavedReport);
        err << "zettelino-print: ";
        if (status == kExitBadReport)
            err << options.input << ": keine lesbare Berichtsdatei: ";
        err << e.what() << '\n';
        return status;
    }
    for (const auto& output : options.outputs) {
        try {
            switch (output.kind) {
            case BatchOutput::Kind::Info:
                printInfo(report, out);
                break;
            case BatchOutput::Kind::Png:
                writePngs(report.pages, output.path);
                break;
            case BatchOutput::Kind::Pdf:
                preview::WriteRecordedPdf(report.pages, output.path,
                                        std::filesystem::path(options.input).filename().string());
                break;
            case BatchOutput::Kind::Print:
                printSavedReport(options.input, output.path);
                break;
            case BatchOutput::Kind::Text:
            case BatchOutput::Kind::Zlw:
            case BatchOutput::Kind::Qrp:
            case BatchOutput::Kind::PdfEach:
            case BatchOutput::Kind::PdfPlain:
            case BatchOutput::Kind::Mail:
                // A letter's outputs: the options send a saved report none.
                throw platform::PlatformError(platform::ErrorKind::InternalFault,
                                              std::string(BatchOutputInfo(output.kind).option) +
                                                  " gilt nicht für eine Berichtsdatei");
            }
        } catch (const std::exception& e) {
            err << "zettelino-print: " << e.what() << '\n';
            return exitStatusFor(e, InputFile::SavedReport);
        }
    }
    return kExitDone;
}

} // namespace zt::cli
