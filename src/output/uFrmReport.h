#pragma once
// The holder of the printed letter's report definition: created hidden at
// start-up and never shown. The definition is fixed in the program; it is
// built here the way its stored form data describe it.

#include "output/LetterPrint.h"
#include "report/QRBands.h"
#include "report/QRComponent.h"
#include "report/QRLabels.h"
#include "report/QRReport.h"
#include "report/QRShapes.h"

#include <functional>
#include <optional>
#include <string>

namespace zt::output {

class TfrmReport : public report::TQRForm {
public:
    TfrmReport();

    const std::string& Caption() const { return FCaption; }

    report::TBandoriaRep* BandoriaRep1 = nullptr;

    report::TQRBand* TitleBand1 = nullptr;
    report::TQRMemo* QRMemoAbsender = nullptr;
    report::TQRLabel* QRLabelAbsender = nullptr;
    report::TQRMemo* QRMemoAnschrift = nullptr;
    report::TQRLabel* qrLabelDatum = nullptr;
#ifdef ZT_TEST_EXTRA_FIELD
    report::TQRLabel* QRLabelAktenzeichen = nullptr;
#endif
    report::TQRLabel* QRLabelTitel1 = nullptr;
    report::TQRLabel* QRLabelTitel2 = nullptr;
    report::TQRShape* QRShape1 = nullptr;
    report::TQRLabel* QRLabel19 = nullptr;
    report::TQRLabel* QRLabel4 = nullptr;
    report::TQRLabel* QRLabel7 = nullptr;
    report::TQRLabel* QRLabel10 = nullptr;
    report::TQRLabel* QRLabel5 = nullptr;
    report::TQRLabel* QRLabel8 = nullptr;
    report::TQRLabel* QRLabel11 = nullptr;
    report::TQRLabel* QRLabel6 = nullptr;
    report::TQRLabel* QRLabel9 = nullptr;
    report::TQRLabel* QRLabel12 = nullptr;

    report::TQRBand* DetailBand1 = nullptr;
    report::TQRMemo* QRMemoMitteilung = nullptr;

    report::TQRChildBand* QRChildBand1 = nullptr;
    report::TQRLabel* QRLabel20 = nullptr;
    report::TQRLabel* QRLabel13 = nullptr;
    report::TQRLabel* QRLabel14 = nullptr;
    report::TQRLabel* QRLabel15 = nullptr;
    report::TQRLabel* QRLabel16 = nullptr;
    report::TQRLabel* QRLabel17 = nullptr;
    report::TQRLabel* QRLabel18 = nullptr;

    report::TQRBand* PageFooterBand1 = nullptr;
    report::TQRLabel* QRLabelPageCount = nullptr;

    report::TQRShape* shapeFalt1 = nullptr;
    report::TQRShape* shapeLoch = nullptr;

    // Where the fill step takes the letter from, and the page total the page
    // line shows; the letter window sets both. Without a source the report
    // prints as defined; a source that gives nothing leaves the letter as
    // the last fill put it (a letter run twice is filled once).
    std::function<std::optional<TLetterPrintSource>()> LetterSource;
    std::function<int()> PageTotal;

    void BandoriaRep1BeforePrint(report::TCustomBandoriaRep* sender, bool& printReport);
    void BandoriaRep1StartPage(report::TCustomBandoriaRep* sender);

private:
    void createReport();
    void createTitleBand();
    void createDetailBands();
    void createFooterAndMarks();

    std::string FCaption = "frmReport";
};

} // namespace zt::output
