// Wrong on purpose: the include check must name the second and third line.
#include "base/QRTypes.h"
#include "report/QRReport.h"
#include "export/QRPDFFilter.h"
#include "pages/QRPrinter.h"
#include <vector>
