#pragma once
// The program's entry sequence: start-up, the event loop, shutdown.

#include <memory>
#include <string>

#include <QApplication>

namespace zt::output {
class TfrmReport;
}

namespace zt::pages {
class TQRPrinter;
}

namespace zt::letter {
class TFrmMain;
class TfrmTextbausteine;
class TAboutBox;
class TFrmKalender;
} // namespace zt::letter

namespace zt::app {

inline constexpr const char* kApplicationTitle = "Zettelino für Windows";
inline constexpr const char* kRecoveryQuestion =
    "Zettelino wurde nicht ordnungsgemäß beendet. Soll die nicht gespeicherte Kurzmitteilung wiederhergestellt "
    "werden?";

// The application: what a command lets escape is shown by the general
// error box, and the program goes on.
class ZettelinoApplication : public QApplication {
public:
    ZettelinoApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

class ZettelinoProgram {
public:
    // `programDir`: the folder of the settings and phrase files, with a
    // trailing separator.
    explicit ZettelinoProgram(std::string programDir);
    ~ZettelinoProgram();

    // Steps up to the shown window: the toolkit's German texts, date
    // format, application title, ProgramDir, the five windows created
    // hidden in order, ReadSettings.
    void Start();
    // Shows the main window and runs the event loop until it is closed;
    // a file given is opened (OpenFile) once the loop runs, so its messages
    // stand over the shown window.
    int Run(const std::string& file = {});
    // A file named on the command line: a letter file through the window's
    // Open (its reader, message, CurrentFile, caption and status bar); any
    // other file as a saved report file in the preview, loaded as the
    // preview's "Bericht laden" loads one. Errors the commands leave
    // uncaught go to the general error box.
    void OpenFile(const std::string& path);
    // The recorder holding a saved report file opened by OpenFile, if any.
    pages::TQRPrinter* SavedReport() const { return savedReport_.get(); }
    // A copy of an unsaved letter left in `folder` by a program that ended
    // abnormally: asked about before anything else, taken into the window
    // or kept as the backup. Then this program keeps its own copies there.
    void OfferRecovery(const std::string& folder, bool fileNamed);
    // WriteSettings, once, on every exit.
    void Finish();

    letter::TFrmMain& FrmMain() const { return *frmMain_; }
    std::string SettingsPath() const;

private:
    std::string programDir_;
    std::unique_ptr<letter::TFrmMain> frmMain_;
    std::unique_ptr<output::TfrmReport> frmReport_;
    std::unique_ptr<letter::TfrmTextbausteine> frmTextbausteine_;
    std::unique_ptr<letter::TAboutBox> aboutBox_;
    std::unique_ptr<letter::TFrmKalender> frmKalender_;
    // Outlives its preview window, which neither owns nor frees it.
    std::unique_ptr<pages::TQRPrinter> savedReport_;
    void openSavedReport(const std::string& path);
    void dropSavedReport();
};

} // namespace zt::app
