#pragma once
// A small report of labelled pages and a preview window on it, offscreen,
// with scripted dialogs held to their script.

#include "pages/QRPrinter.h"
#include "preview/TQRStandardPreview.h"
#include "platform/dialogs/ScriptedDialogs.h"
#include "report/QRBands.h"
#include "report/QRLabels.h"
#include "report/QRReport.h"
#include "support/DialogScript.h"
#include "support/OffscreenScreen.h"
#include "support/QtWidgetApp.h"

#include <QApplication>
#include <gtest/gtest.h>

#include <string>

namespace zt::testing {

// The screen the checks under Xvfb use, for the previews placed on it.
inline const bool kPreviewScreen = useOffscreenScreen(1280, 1024);

class Preview : public ::testing::Test {
protected:
    Preview() : scoped(dialogs)
    {
        zt::testing::ensureWidgetApplication();
        report::SetUSMeasureQuery([] { return false; });
        rep->ShowProgress = false;
        rep->SetReportTitle("Probe");
        rep->Page().SetPaperSize(report::TQRPaperSize::A4);
        rep->PrevInitialZoom = report::TQRZoomState::qrZoomToFit;
        auto* detail = rep->CreateBand(report::rbDetail);
        detail->Size().SetHeight(250);
        label = new report::TQRLabel(&form);
        label->SetParent(detail);
        rep->OnNeedData = [this](report::TQRComponent*, bool& more) {
            more = record < records;
            ++record;
            label->SetCaption(record == 3 ? "Grüße aus Köln" : "Seite " + std::to_string(record));
        };
    }
    ~Preview() override
    {
        if (window)
            delete window;
        report::SetUSMeasureQuery({});
    }

    // A prepared report of `pages` pages in a window.
    preview::TQRStandardPreview& open(int pages)
    {
        records = pages;
        record = 0;
        rep->Prepare();
        window = new preview::TQRStandardPreview(rep->QRPrinter);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        window->resize(800, 700);
        QApplication::processEvents();
        return *window;
    }

    report::TQRForm form;
    report::TBandoriaRep* rep = new report::TBandoriaRep(&form);
    report::TQRLabel* label = nullptr;
    int records = 0, record = 0;
    preview::TQRStandardPreview* window = nullptr;
    platform::ScriptedDialogs dialogs;
    zt::testing::DialogScriptCheck scriptCheck{dialogs};
    platform::ScopedUserDialogs scoped;
};

} // namespace zt::testing
