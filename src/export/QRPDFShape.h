#pragma once
// The PDF filter's own shape: a report may place it where it means the line
// or box for the PDF document; it prints on the page and reaches the
// filter's graphic input as a TQRShape does, with the same shape mapping.

#include "report/QRShapes.h"

namespace zt::exporting {

using namespace zt::report;

class TQRPDFShape : public TQRShape {
public:
    explicit TQRPDFShape(TQRComponent* owner) : TQRShape(owner) {}
};

} // namespace zt::exporting
