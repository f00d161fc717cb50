// Wrong on purpose: the preview stands above the export filters.
#include "base/QRMath.h"
#include "report/QRReport.h"
#include "preview/TQRPreview.h"
