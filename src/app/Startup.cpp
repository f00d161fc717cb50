#include "app/Startup.h"

#include "app/GermanQtTexts.h"
#include "app/Settings.h"
#include "export/QRExportLibrary.h"
#include "letter/state/DateTexts.h"
#include "letter/state/Forms.h"
#include "letter/state/ProgramState.h"
#include "letter/dialogs/TAboutBox.h"
#include "letter/dialogs/TFrmKalender.h"
#include "letter/window/TFrmMain.h"
#include "letter/dialogs/TfrmTextbausteine.h"
#include "files/FileKind.h"
#include "files/RecoveryWriter.h"
#include "output/LetterPrint.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"
#include "preview/SavedReportFile.h"
#include "preview/TQRStandardPreview.h"
#include "platform/desktop/FileHandlers.h"
#include "platform/desktop/RecentFiles.h"
#include "platform/dialogs/UserDialogs.h"
#include "letter/window/PreviewPlace.h"

#include <QGuiApplication>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <exception>
#include <filesystem>
#include <iostream>
#include <vector>

namespace zt::app {

ZettelinoApplication::ZettelinoApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool ZettelinoApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        letter::reportUncaught(e);
    }
    return false;
}

ZettelinoProgram::ZettelinoProgram(std::string programDir) : programDir_(std::move(programDir)) {}

ZettelinoProgram::~ZettelinoProgram()
{
    letter::FrmMain = nullptr;
    letter::frmReport = nullptr;
    letter::CreateReportForm = nullptr;
    letter::CreateAuxiliaryWindows = nullptr;
    letter::frmTextbausteine = nullptr;
    letter::AboutBox = nullptr;
    letter::FrmKalender = nullptr;
    dropSavedReport();
    // The auxiliary windows go before the main window they may sit beside.
    frmKalender_.reset();
    aboutBox_.reset();
    frmTextbausteine_.reset();
    frmReport_.reset();
    frmMain_.reset();
}

std::string ZettelinoProgram::SettingsPath() const
{
    return letter::ProgramDir + kSettingsFileName;
}

void ZettelinoProgram::Start()
{
    // Reports open the standard preview window and the printing progress window.
    preview::RegisterStandardPreview();
    // The toolkit's own texts in German, once per process (the translator
    // stays with the application).
    static bool germanTexts = false;
    if (!germanTexts && QCoreApplication::instance())
        germanTexts = installGermanQtTexts(*QCoreApplication::instance()) != nullptr;
    letter::ShortDateFormat = "dd.mm.yyyy";
    platform::setApplicationTitle(kApplicationTitle);
    letter::ProgramDir = programDir_;
    // Before the first window: the preview's save offers and writes PDF.
    exporting::RegisterExportFilters();

    frmMain_ = std::make_unique<letter::TFrmMain>();
    letter::FrmMain = frmMain_.get();
    // The report form comes after the first paint (see Run), or when a
    // command needs it sooner.
    letter::CreateReportForm = [this] {
        if (frmReport_)
            return;
        frmReport_ = std::make_unique<output::TfrmReport>();
        letter::frmReport = frmReport_.get();
        frmMain_->AttachReport(*frmReport_);
    };
    frmMain_->OnOpenReportFile = [this](const std::string& path) { openSavedReport(path); };
    frmMain_->RecentList = platform::desktop::recentlyUsedFile();
    frmMain_->PrivatePlainText = true;
    frmMain_->TextEditorKnown = [] { return platform::desktop::hasProgramFor("text/plain").value_or(true); };
    // The auxiliary windows, too, come after the first paint or when asked for.
    letter::CreateAuxiliaryWindows = [this] {
        if (frmTextbausteine_)
            return;
        frmTextbausteine_ = std::make_unique<letter::TfrmTextbausteine>(frmMain_.get());
        letter::frmTextbausteine = frmTextbausteine_.get();
        aboutBox_ = std::make_unique<letter::TAboutBox>(frmMain_.get());
        letter::AboutBox = aboutBox_.get();
        frmKalender_ = std::make_unique<letter::TFrmKalender>(frmMain_.get());
        letter::FrmKalender = frmKalender_.get();
    };

    ReadSettings(*frmMain_, SettingsPath());
}

int ZettelinoProgram::Run(const std::string& file)
{
    OfferRecovery(files::RecoveryFolder(), !file.empty());
    frmMain_->show();
    frmMain_->AfterFirstPaint([] {
        letter::ReportForm();
        letter::EnsureAuxiliaryWindows();
    });
    if (!file.empty())
        QTimer::singleShot(0, frmMain_.get(), [this, file] { OpenFile(file); });
    return QApplication::exec();
}

void ZettelinoProgram::OfferRecovery(const std::string& folder, bool fileNamed)
{
    frmMain_->EnableRecovery(folder);
    std::string problems;
    std::unique_ptr<files::TOrphanCopy> orphan;
    try {
        orphan = frmMain_->Recovery()->Store().TakeOrphan(&problems);
    } catch (const std::exception& e) {
        problems += e.what();
    }
    if (!problems.empty())
        std::cerr << "zettelino: " << problems << (problems.ends_with('\n') ? "" : "\n");
    if (!orphan)
        return;
    const auto answer = platform::userDialogs().messageDlg(kRecoveryQuestion, platform::TMsgDlgType::mtConfirmation,
                                                           platform::mbYes | platform::mbNo);
    if (answer != platform::mrYes) {
        orphan->KeepAsBackup();
        return;
    }
    try {
        frmMain_->RecoverLetter(*orphan);
    } catch (const std::exception& e) {
        std::cerr << "zettelino: " << e.what() << '\n';
        orphan->KeepAsBackup();
        return;
    }
    // The letter named on the command line opens after this one: the copy
    // stays as the backup, so opening it over the recovered one loses nothing.
    // Else it goes once this program's copy of the letter is on disk: a write
    // that fails and a crash after it still leave it to be offered.
    if (fileNamed)
        orphan->KeepAsBackup();
    else
        frmMain_->Recovery()->TakeOver(std::move(orphan));
}

void ZettelinoProgram::OpenFile(const std::string& path)
{
    frmMain_->Guarded([&] {
        if (files::LooksLikeLetterFile(path))
            frmMain_->OpenLetterFile(path);
        else
            openSavedReport(path);
    });
}

void ZettelinoProgram::dropSavedReport()
{
    // A preview still open would draw from the recorder freed here. Found
    // first, deleted after: a preview takes its own top-level menus along.
    if (savedReport_) {
        std::vector<QPointer<preview::TQRStandardPreview>> previews;
        for (preview::TQRStandardPreview* preview : preview::OpenPreviews())
            if (preview->QRPrinterOf() == savedReport_.get())
                previews.emplace_back(preview);
        for (const auto& preview : previews)
            delete preview.data();
    }
    savedReport_.reset();
}

void ZettelinoProgram::openSavedReport(const std::string& path)
{
    if (!std::filesystem::exists(path)) {
        platform::userDialogs().showMessage("Die Datei existiert nicht");
        return;
    }
    if (!preview::CheckWholeReportFile(path))
        return;
    auto printer = std::make_unique<pages::TQRPrinter>(nullptr);
    printer->Load(path);
    printer->Title = std::filesystem::absolute(path).lexically_normal().string();
    dropSavedReport();
    savedReport_ = std::move(printer);
    // Placed as the letter's preview is, beside the letter window rather
    // than over it, and zoomed to show the whole page.
    letter::OpenPreviewBesideLetter(savedReport_.get());
}

void ZettelinoProgram::Finish()
{
    WriteSettings(*frmMain_, SettingsPath());
}

} // namespace zt::app
