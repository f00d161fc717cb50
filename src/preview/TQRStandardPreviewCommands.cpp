// The preview's commands on the pages: print, printer setup, copy, cancel,
// save, load and search.

#include "preview/TQRStandardPreview.h"

#include "pages/QRPageSearch.h"
#include "pages/QRPrinter.h"
#include "preview/PreviewExport.h"
#include "preview/PreviewThumbs.h"
#include "preview/RecordedPdf.h"
#include "preview/SavedReportFile.h"
#include "preview/TSearchDlg.h"
#include "platform/dialogs/UserDialogs.h"
#include "platform/files/FileAccess.h"
#include "platform/printing/Printer.h"
#include "platform/qt/QtRenderTarget.h"
#include "report/QRPrinterSetup.h"
#include "report/QRReport.h"
#include "platform/text/Trim.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QTabWidget>
#include <QToolButton>

#include <algorithm>
#include <filesystem>

namespace zt::preview {

using namespace zt::pages;

namespace {

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

std::string trimmed(const std::string& s) { return std::string(platform::text::trimmed(s, " ")); }

// An extension as the save command keeps it: no dot, at most 4 characters.
std::string shortExtension(std::string e)
{
    if (!e.empty() && e.front() == '.')
        e.erase(0, 1);
    return trimmed(e.substr(0, 4));
}

} // namespace

// Marks the window working while it prints or saves: closing waits, and
// so do the commands of this and other windows that would touch its pages.
class TPreviewWork {
public:
    explicit TPreviewWork(TQRStandardPreview& w) : w_(w)
    {
        ++w_.FWorking;
        w_.ExitButton->setEnabled(false);
    }
    ~TPreviewWork()
    {
        if (--w_.FWorking == 0)
            w_.ExitButton->setEnabled(true);
    }
    TPreviewWork(const TPreviewWork&) = delete;
    TPreviewWork& operator=(const TPreviewWork&) = delete;

private:
    TQRStandardPreview& w_;
};

void TQRStandardPreview::PrintClick()
{
    if (Working())
        return;
    const TPreviewWork work(*this);
    if (hook(TStandPrevEventType::spPrint, "Print"))
        return;
    TQRPrinter* p = QRPrinterOf();
    if (p == nullptr)
        return;
    if (!platform::printing::Printer().AnyPrinter()) {
        platform::showApplicationError("Es ist kein Drucker eingerichtet. Der Bericht wurde nicht gedruckt.");
        return;
    }
    auto* rep = dynamic_cast<report::TBandoriaRep*>(p->ParentReport());
    if (!SavedReportLoaded() && rep != nullptr) {
        rep->Print();
        if (QRPreview->QRPrinter() == nullptr && rep->QRPrinter != nullptr)
            QRPreview->SetQRPrinter(rep->QRPrinter);
    } else {
        p->Print();
    }
}

void TQRStandardPreview::PrintSetupClick()
{
    if (Working())
        return;
    if (hook(TStandPrevEventType::spPrintSetup, "PrintSetup"))
        return;
    if (TQRPrinter* p = QRPrinterOf())
        report::PreviewPrinterSetup(*p, [this] { PrintClick(); });
}

void TQRStandardPreview::CopyClick()
{
    if (hook(TStandPrevEventType::spCopy, "Copy"))
        return;
    TQRPrinter* p = QRPrinterOf();
    const auto page = p != nullptr ? p->GetPage(QRPreview->PageNumber()) : nullptr;
    if (!page)
        return;
    auto* data = new QMimeData;
    const auto& bytes = page->Bytes();
    const QByteArray emf(reinterpret_cast<const char*>(bytes.data()), static_cast<qsizetype>(bytes.size()));
    data->setData("image/x-emf", emf);
    data->setData("application/x-qt-windows-mime;value=\"Enhanced Metafile\"", emf);
    // Programs that do not read metafiles get the page as an image at 300 dpi.
    const QSize size = platform::qt::pageSizeInDevicePixels(*page) * 300 / 96;
    const QImage image = platform::qt::renderPage(*page, size);
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    data->setData("image/png", png);
    data->setImageData(image);
    QApplication::clipboard()->setMimeData(data);
}

void TQRStandardPreview::CancelClick()
{
    if (hook(TStandPrevEventType::spCancel, "Cancel"))
        return;
    if (FReport != nullptr)
        FReport->UserCancel = true;
}

void TQRStandardPreview::SaveReportClick()
{
    if (Working())
        return;
    if (hook(TStandPrevEventType::spSave, "Save"))
        return;
    TQRPrinter* p = QRPrinterOf();
    if (p == nullptr)
        return;
    // A loaded report has no report to run into a filter; its recorded
    // pages make the PDF, as the batch tool makes it.
    const bool recordedPdf = !p->OnExportToFilter;
    const std::string d = FReport != nullptr ? SaveTypeExtension(FReport->PreviewDefaultSaveType) : ".QRP";
    const std::vector<TSaveType> types = SaveTypes(d, recordedPdf);
    platform::FileDialogRequest request;
    request.title = "Bericht speichern";
    request.filter = SaveDialogFilter(types);
    request.fileName = "*." + types.front().extension;
    int chosen = 1;
    request.chosenFilter = &chosen;
    const auto answer = platform::userDialogs().saveFile(request);
    if (!answer)
        return;
    std::string name = *answer;
    if (std::filesystem::exists(name) && !platform::files::canOpenExclusively(name)) {
        platform::userDialogs().showMessage("The file is read-only or in use - save abandoned.");
        return;
    }
    std::string e = upper(std::filesystem::path(name).extension().string());
    if (e.empty()) {
        const std::size_t entry = chosen >= 1 && chosen <= static_cast<int>(types.size()) ? chosen - 1 : 0;
        e = upper(shortExtension(types[entry].extension));
        name += "." + e;
    }
    e = shortExtension(e);
    const TPreviewWork work(*this);
    saveAs(*p, name, e, recordedPdf);
}

void TQRStandardPreview::saveAs(TQRPrinter& p, const std::string& name, const std::string& extension,
                                bool recordedPdf)
{
    const auto fail = [](const std::string& why) {
        platform::showApplicationError("Der Bericht wurde nicht gespeichert: " + why);
    };
    try {
        if (p.Status() != report::TQRPrinterStatus::mpFinished) {
            fail("er ist noch nicht fertig erstellt.");
            return;
        }
        if (extension == "QRP") {
            p.Save(name);
        } else if (recordedPdf && extension == "PDF") {
            WriteRecordedPdf(RecordedPages(p), name, std::filesystem::path(FTitle).filename().string());
        } else if (recordedPdf || !HasExportFilter(extension)) {
            fail("für die Dateiendung „" + extension + "“ gibt es kein Ausgabeformat. Gespeichert werden kann als " +
                 (recordedPdf || HasExportFilter("PDF") ? "PDF-Dokument (.PDF) oder " : "") +
                 "Bandoria-Datei (.QRP).");
            return;
        } else {
            exportTo(name, extension);
        }
    } catch (const std::exception& error) {
        fail("die Datei „" + name + "“ konnte nicht geschrieben werden (" + error.what() + ").");
        return;
    }
    if (!std::filesystem::exists(name))
        fail("die Datei „" + name + "“ wurde nicht geschrieben.");
}

void TQRStandardPreview::exportTo(const std::string& fileName, const std::string& extension)
{
    TQRPrinter* p = QRPrinterOf();
    if (p == nullptr)
        return;
    // Written, but not as asked (an archive PDF without its claim): the user hears why.
    const std::string notice = ExportThroughLibrary(*p, fileName, extension);
    if (!notice.empty())
        platform::userDialogs().messageDlg(notice, platform::TMsgDlgType::mtInformation, platform::mbOK);
}

void TQRStandardPreview::LoadReportClick()
{
    // The pages it would replace are being printed or saved.
    if (Working())
        return;
    if (hook(TStandPrevEventType::spLoad, "Load"))
        return;
    TQRPrinter* p = QRPrinterOf();
    if (p == nullptr)
        return;
    platform::FileDialogRequest request;
    request.title = "Bericht laden";
    request.filter = "Bandoria-Datei (*.QRP)|*.QRP";
    const auto answer = platform::userDialogs().openFile(request);
    if (!answer)
        return;
    if (!std::filesystem::exists(*answer)) {
        platform::userDialogs().showMessage("Die Datei existiert nicht");
        return;
    }
    // Checked before the recorder lets go of the pages it shows.
    if (!CheckWholeReportFile(*answer))
        return;
    p->Load(*answer);
    FTitle = *answer;
    QRPreview->SetQRPrinter(p);
    FReportOrientation = p->Orientation();
    p->SetOrientation(FReportOrientation);
    if (FReport != nullptr) {
        FReport->Page().SetPaperSize(p->PaperSize());
        FReport->Page().SetOrientation(p->Orientation());
    }
    QRPreview->UpdateZoom();
    ThumbGrid->SetQRPrinter(p);
    PageAvailable(1);
    ThumbGrid->SelectRow(0);
    SetSavedReportLoaded(true);
    Print->setEnabled(true);
}

void TQRStandardPreview::FindClick()
{
    TQRPrinter* p = QRPrinterOf();
    if (p == nullptr || p->Status() == report::TQRPrinterStatus::mpBusy)
        return;
    TSearchDlg dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    RunSearch(dialog.SearchEdit->text().toStdString(), dialog.MatchCase->isChecked());
}

void TQRStandardPreview::RunSearch(const std::string& text, bool matchCase)
{
    TQRPrinter* p = QRPrinterOf();
    if (p == nullptr)
        return;
    // One search at a time: a second waits for the first.
    while (FSearching)
        platform::messageQueue().processMessages();
    FSearching = true;
    // A page that cannot be read ends the search with its error; the next
    // search must not wait for this one for ever.
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{FSearching};
    SearchResultBox->setEnabled(true);
    SearchTextLabel->setText(QString::fromStdString(text));
    SearchResultBox->clear();
    FSearchPages = SearchPages(*p, text, matchCase);
    for (const int n : FSearchPages)
        SearchResultBox->addItem("Seite " + QString::number(n));
    if (FSearchPages.empty()) {
        SearchResultBox->addItem("Kein Ergebnis bei Suche");
        SearchResultBox->setEnabled(false);
    }
    Tabs->setCurrentWidget(TabSearchResult);
}

void TQRStandardPreview::SearchResultClick(int item)
{
    const TQRPrinter* p = QRPrinterOf();
    int n = item >= 0 && item < static_cast<int>(FSearchPages.size()) ? FSearchPages[static_cast<std::size_t>(item)] : 1;
    if (p == nullptr || n < 1 || n > p->PageCount())
        n = 1;
    SelectPage(n);
}

} // namespace zt::preview
