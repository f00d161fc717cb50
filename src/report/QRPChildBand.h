#pragma once
// A child band that prints only where its conditions say: a value that must
// hold, not on the first or the last page, and at most so often per page.

#include "report/QRBands.h"

#include <string>

namespace zt::report {

class TQRPChildBand : public TQRChildBand {
public:
    explicit TQRPChildBand(TQRComponent* owner) : TQRChildBand(owner) {}

    // A field of the report's data, a field of a data set on the report's
    // form ("Set.Field" or the bare field), a report variable or a literal; the band
    // prints while its value holds: anything but empty, "0", "False", "F",
    // "No" or "N" (any case). Empty: always.
    std::string Expression;
    bool NotOnFirstPage = false;
    // The last page is known only while it ends: the band holds back under
    // a page footer (or anything else printed then) on the last page.
    bool NotOnLastPage = false;
    // How often the band prints on one page at most; 0: no limit.
    int PagePrints = 0;

    // How often it has printed on the current page.
    int PrintsOnPage(const TCustomBandoriaRep& report) const;

    bool PrintAllowed(const TCustomBandoriaRep& report) const override;
    void NotePrinted(const TCustomBandoriaRep& report) override;
    void StartRun() override;

private:
    int FPage = 0;
    int FPrints = 0;
};

// Whether `expression` holds in the report's current record and variables.
bool ExpressionHolds(const TCustomBandoriaRep& report, const std::string& expression);

} // namespace zt::report
