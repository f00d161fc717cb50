#include "platform/automation/Automation.h"

#include "platform/core/PlatformError.h"


namespace zt::platform {

namespace {

TAutomationFactory* gFactory = nullptr;

} // namespace

TAutomationRef CreateOleObject(const std::string& progId)
{
    if (gFactory)
        if (TAutomationRef object = gFactory->Create(progId))
            return object;
    throw PlatformError(ErrorKind::SystemFailure, "Ungültige Klassenzeichenfolge");
}

TAutomationFactory* setAutomationFactory(TAutomationFactory* factory)
{
    return std::exchange(gFactory, factory);
}

TAutomationRef asObject(const TVariant& value, const std::string& member)
{
    if (const auto* object = std::get_if<TAutomationRef>(&value); object && *object)
        return *object;
    throw PlatformError(ErrorKind::SystemFailure, "\"" + member + "\" is not an object");
}

int asInteger(const TVariant& value, const std::string& member)
{
    if (const int* i = std::get_if<int>(&value))
        return *i;
    if (const bool* b = std::get_if<bool>(&value))
        return *b ? -1 : 0;
    throw PlatformError(ErrorKind::SystemFailure, "\"" + member + "\" is not a number");
}

TVariant getPath(const TAutomationRef& root, const std::string& path)
{
    TVariant current = root;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t dot = path.find('.', start);
        const std::string step = path.substr(start, dot == std::string::npos ? std::string::npos : dot - start);
        current = asObject(current, step)->Get(step);
        if (dot == std::string::npos)
            break;
        start = dot + 1;
    }
    return current;
}

} // namespace zt::platform
