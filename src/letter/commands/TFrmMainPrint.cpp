// Printing and previewing the letter through its report.

#include "letter/window/TFrmMain.h"

#include "letter/state/Forms.h"
#include "letter/state/ProgramState.h"
#include "letter/controls/TEdit.h"
#include "letter/controls/TMemo.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"
#include "preview/TQRStandardPreview.h"
#include "platform/dialogs/UserDialogs.h"
#include "platform/printing/Printer.h"
#include "platform/qt/QtFonts.h"
#include "letter/window/PreviewPlace.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QScreen>

#include <vector>

namespace zt::letter {

namespace {

report::TQRFont reportFont(const platform::LogFont& lf)
{
    report::TQRFont f;
    f.Name = lf.face;
    f.Height = lf.height;
    f.PixelsPerInch = report::kScreenPixelsPerInch;
    f.Style = (lf.bold() ? unsigned{report::fsBold} : 0u) | (lf.italic ? unsigned{report::fsItalic} : 0u) |
              (lf.underline ? unsigned{report::fsUnderline} : 0u) | (lf.strikeOut ? unsigned{report::fsStrikeOut} : 0u);
    f.Color = report::clBlack;
    return f;
}

// A single-line field shows its face through the Linux stand-in; the printed
// letter keeps the face the field asks for, the message's fixed-pitch one.
report::TQRFont fieldFont(const TEdit& edit, const TMemo& sameFace)
{
    platform::LogFont lf = platform::qt::screenLogFont(sameFace.LogFont().face, 10, edit.font().bold());
    lf.italic = edit.font().italic();
    lf.underline = edit.font().underline();
    lf.strikeOut = edit.font().strikeOut();
    return reportFont(lf);
}

} // namespace

output::TWindowlessLetter TFrmMain::ShownLetter() const
{
    output::TWindowlessLetter shown;
    shown.content = LetterContent();
    for (int n = 1; n <= files::kTickMarkCount; ++n)
        shown.labels[static_cast<std::size_t>(n)] = TickMarkLabel(n);
    return shown;
}

output::TLetterPrintSource TFrmMain::PrintSource() const
{
    output::TLetterPrintSource s;
    output::TWindowlessLetter shown = ShownLetter();
    s.letter = std::move(shown.content);
    s.labels = std::move(shown.labels);
    s.absenderFont = reportFont(MemoAbsender->LogFont());
    s.anschriftFont = reportFont(MemoAnschrift->LogFont());
    s.mitteilungFont = reportFont(MemoMitteilung->LogFont());
    s.titel1Font = fieldFont(*EditTitel1, *MemoMitteilung);
    s.titel2Font = fieldFont(*EditTitel2, *MemoMitteilung);
    return s;
}

void TFrmMain::AttachReport(output::TfrmReport& report)
{
    report.LetterSource = [this] { return PrintSource(); };
    report.PageTotal = [] { return PreviewPageTotal; };
}

namespace {

// Both commands first run the report once to count its pages.
report::TBandoriaRep* preparedReport(TFrmMain& frm)
{
    output::TfrmReport* form = ReportForm();
    if (form == nullptr)
        return nullptr;
    frm.AttachReport(*form);
    report::TBandoriaRep& r = *form->BandoriaRep1;
    r.Prepare();
    if (r.QRPrinter != nullptr)
        PreviewPageTotal = r.QRPrinter->PageCount();
    return &r;
}

// Without a printer the engine prints nothing and says nothing; the person
// at the desk is told rather than left waiting for paper.
bool refusedWithoutPrinter()
{
    if (platform::printing::Printer().AnyPrinter())
        return false;
    platform::showApplicationError("Es ist kein Drucker eingerichtet. Der Brief wurde nicht gedruckt.");
    return true;
}

} // namespace

void TFrmMain::DruckenExecute()
{
    if (RefuseWhileWorking() || refusedWithoutPrinter())
        return;
    const TWork work(*this);
    if (report::TBandoriaRep* r = preparedReport(*this))
        r->Print();
}

void TFrmMain::DruckenMitDialogExecute()
{
    if (RefuseWhileWorking() || refusedWithoutPrinter())
        return;
    const TWork work(*this);
    report::TBandoriaRep* r = preparedReport(*this);
    if (r == nullptr)
        return;
    // The dialog's answers hold for this printout only: "Drucken" keeps
    // going straight to the default printer with one copy of every page.
    const report::TBandoriaRepPrinterSettings before = r->PrinterSettings();
    const report::TPrinterOrientation orientation = r->Page().Orientation();
    struct Restore {
        report::TBandoriaRep& r;
        const report::TBandoriaRepPrinterSettings& settings;
        report::TPrinterOrientation orientation;
        ~Restore()
        {
            r.PrinterSettings() = settings;
            r.Page().SetOrientation(orientation);
            r.Tag = 0;
        }
    } restore{*r, before, orientation};
    r->PrinterSetup();
    if (r->Tag == 0)
        r->Print();
}

namespace {

// A preview still open shows the letter as it was and draws from the
// recorder the new run replaces: it closes first. False when it refuses
// (while it prints); it then comes to the front, so the click is answered.
bool closeOpenPreviews(const report::TBandoriaRep& r)
{
    std::vector<QPointer<preview::TQRStandardPreview>> open;
    for (preview::TQRStandardPreview* preview : preview::OpenPreviews())
        if (preview->isVisible() && preview->PreviewedReport() == &r)
            open.emplace_back(preview);
    for (const auto& preview : open)
        if (preview && !preview->close()) {
            preview->raise();
            preview->activateWindow();
            return false;
        }
    return true;
}

} // namespace

void TFrmMain::DruckvorschauExecute()
{
    if (ReportForm() == nullptr || RefuseWhileWorking() || !closeOpenPreviews(*frmReport->BandoriaRep1))
        return;
    // No TWork: the preview's run below stays on the stack while the
    // preview is open, and the preview says itself when it is working.
    report::TBandoriaRep* prepared = preparedReport(*this);
    if (prepared == nullptr)
        return;
    report::TBandoriaRep& r = *prepared;
    const QRect area = PrimaryScreenBounds();
    output::PlacePreview(r, area.width(), area.height());
    r.Preview();
}

} // namespace zt::letter
