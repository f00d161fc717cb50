#include "report/QRExportFilter.h"

namespace zt::report {

TQRExportFilter::TQRExportFilter(const std::string& filename) : FFilename(filename) {}

TQRExportFilter::~TQRExportFilter() = default;

std::string TQRExportFilter::Description() const
{
    return "Nicht-arbeitenden Filter entfernen";
}

std::string TQRExportFilter::Name() const
{
    return "Filter entfernen";
}

std::string TQRExportFilter::Vendor() const
{
    return "Zettelino";
}

void TQRExportFilter::Start(int, int, const TQRFont&)
{
    FActive = true;
}

void TQRExportFilter::Finish()
{
    FActive = false;
}

namespace {

struct AbstractFilterSettings {
    TTextEncoding encoding = TTextEncoding::AnsiEncoding;
    // The system's ANSI code page: the Linux stand-in writes Windows-1252.
    std::string codepage = "1252";
    bool suppressDateTime = false;
};

AbstractFilterSettings& settings()
{
    static AbstractFilterSettings s;
    return s;
}

} // namespace

TQRPAbstractExportFilter::TQRPAbstractExportFilter(const std::string& filename) : TQRExportFilter(filename) {}

TTextEncoding TQRPAbstractExportFilter::TextEncoding()
{
    return settings().encoding;
}

void TQRPAbstractExportFilter::SetTextEncoding(TTextEncoding v)
{
    settings().encoding = v;
}

std::string TQRPAbstractExportFilter::Codepage()
{
    return settings().codepage;
}

void TQRPAbstractExportFilter::SetCodepage(const std::string& v)
{
    settings().codepage = v;
}

bool TQRPAbstractExportFilter::SuppressDateTime()
{
    return settings().suppressDateTime;
}

void TQRPAbstractExportFilter::SetSuppressDateTime(bool v)
{
    settings().suppressDateTime = v;
}

} // namespace zt::report
