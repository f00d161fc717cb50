// Print conditions of a child band.

#include "report/QRPChildBand.h"

#include "report/QRDataSet.h"
#include "report/QRReport.h"
#include "report/QRStrings.h"

#include <algorithm>
#include <cctype>

namespace zt::report {

namespace {

std::string upper(std::string s)
{
    std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
    return s;
}

// A report variable's text value carries its quotes.
std::string unquoted(const std::string& s)
{
    if (s.size() >= 2 && s.front() == '\'' && s.back() == '\'')
        return s.substr(1, s.size() - 2);
    return s;
}

// A field of a data set on the report's form: "Set.Field" names the set,
// a bare name takes the first set that has the field.
const std::string* formField(const TCustomBandoriaRep& report, const std::string& name, std::string& value)
{
    const std::vector<TQRDataSet*>* sets = report.AllDataSets();
    if (sets == nullptr)
        return nullptr;
    const std::size_t dot = name.find('.');
    for (const TQRDataSet* data : *sets) {
        std::string field = name;
        if (dot != std::string::npos) {
            const auto* component = dynamic_cast<const TQRComponent*>(data);
            if (component == nullptr || upper(component->Name()) != upper(name.substr(0, dot)))
                continue;
            field = name.substr(dot + 1);
        }
        if (data->Active() && data->HasField(field)) {
            value = data->FieldByName(field);
            return &value;
        }
    }
    return nullptr;
}

} // namespace

bool ExpressionHolds(const TCustomBandoriaRep& report, const std::string& expression)
{
    const std::string e = TrimBlanks(expression);
    if (e.empty())
        return true;
    std::string value = e;
    const TQRDataSet* data = report.Controller().Data();
    std::string field;
    if (data != nullptr && data->Active() && data->HasField(e))
        value = data->FieldByName(e);
    else if (formField(report, e, field) != nullptr)
        value = field;
    else if (const std::string* v = const_cast<TCustomBandoriaRep&>(report).Functions().Find(e))
        value = unquoted(*v);
    const std::string u = upper(TrimBlanks(value));
    return !(u.empty() || u == "0" || u == "FALSE" || u == "F" || u == "NO" || u == "N");
}

int TQRPChildBand::PrintsOnPage(const TCustomBandoriaRep& report) const
{
    return FPage == report.PageNumber ? FPrints : 0;
}

bool TQRPChildBand::PrintAllowed(const TCustomBandoriaRep& report) const
{
    // A band that comes before the first page begins prints on page 1.
    if (NotOnFirstPage && report.PageNumber <= 1)
        return false;
    if (NotOnLastPage && report.FLastPage)
        return false;
    if (PagePrints > 0 && PrintsOnPage(report) >= PagePrints)
        return false;
    return ExpressionHolds(report, Expression);
}

void TQRPChildBand::NotePrinted(const TCustomBandoriaRep& report)
{
    if (FPage != report.PageNumber) {
        FPage = report.PageNumber;
        FPrints = 0;
    }
    ++FPrints;
}

void TQRPChildBand::StartRun()
{
    FPage = 0;
    FPrints = 0;
}

} // namespace zt::report
