#include "preview/XMLDocumentViewer.h"

#include "pages/QRPrinter.h"
#include "preview/TQRStandardPreview.h"
#include "report/QRReport.h"
#include "report/QRXMLViewer.h"

#include <QAction>
#include <QPointer>
#include <QToolBar>

#include <utility>

namespace zt::preview {

using namespace zt::pages;

namespace {

void showXMLDocument(report::TCustomBandoriaRep& rep, const report::TQRXMLViewerSettings& s)
{
    rep.Prepare();
    TQRPrinter* printer = rep.QRPrinter;
    if (printer == nullptr)
        return;
    // The window reads the report's preview settings, the ones the viewer
    // was given; a preview controller speaks for the standard preview only.
    report::TQRPreviewController* controller = std::exchange(rep.PreviewController, nullptr);
    auto* window = new TQRStandardPreview(printer);
    rep.PreviewController = controller;
    window->setObjectName("QRXMLDocumentViewer");
    for (QToolBar* bar : {window->ToolBar1, window->ToolBar2})
        bar->setVisible(s.ShowToolbar);
    window->Print->setVisible(s.ShowPrintButton);
    window->SaveReport->setVisible(s.ShowSaveButton);
    window->LoadReport->setVisible(s.ShowLoadButton);
    if (!s.Modal) {
        window->show();
        return;
    }
    window->setWindowModality(Qt::ApplicationModal);
    window->show();
    const QPointer<TQRStandardPreview> open(window);
    while (open && open->isVisible())
        if (!platform::messageQueue().waitMessages())
            break;
}

} // namespace

void RegisterXMLDocumentViewer()
{
    report::SetXMLDocumentViewer(showXMLDocument);
}

} // namespace zt::preview
