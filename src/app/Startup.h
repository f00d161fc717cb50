#pragma once
// The program's entry sequence: start-up, the event loop, shutdown.

#include <memory>
#include <string>

#include <QApplication>

namespace zt::output {
class TfrmReport;
}

namespace zt::letter {
class TFrmMain;
class TfrmTextbausteine;
class TAboutBox;
class TFrmKalender;
} // namespace zt::letter

namespace zt::app {

inline constexpr const char* kApplicationTitle = "Zettelino für Windows";

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
    // Shows the main window and runs the event loop until it is closed.
    int Run();
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
};

} // namespace zt::app
