#pragma once
// Late-bound automation: objects created by a programmatic identifier
// ("Word.Application") whose members are reached by name, without regard to
// case, as property gets and sets, indexed gets and method calls with
// positional and named arguments. No such objects exist on this platform;
// creating one fails with the system's message unless a factory is
// installed (the tests install a recording one).

#include <memory>
#include <string>
#include <utility>
#include <variant>
#include <vector>

namespace zt::platform {

class TAutomationObject;
using TAutomationRef = std::shared_ptr<TAutomationObject>;
using TVariant = std::variant<std::monostate, bool, int, std::string, TAutomationRef>;
using TNamedArgs = std::vector<std::pair<std::string, TVariant>>;

class TAutomationObject {
public:
    virtual ~TAutomationObject() = default;
    // A property get, or a method called without arguments; `index` holds
    // the arguments of an indexed property.
    virtual TVariant Get(const std::string& name, const std::vector<TVariant>& index = {}) = 0;
    virtual void Set(const std::string& name, const TVariant& value) = 0;
    virtual TVariant Call(const std::string& name, const std::vector<TVariant>& args = {},
                          const TNamedArgs& named = {}) = 0;
};

class TAutomationFactory {
public:
    virtual ~TAutomationFactory() = default;
    virtual TAutomationRef Create(const std::string& progId) = 0;
};

// Creates the object for `progId` through the installed factory; without
// one, throws PlatformError "Ungültige Klassenzeichenfolge", the system's
// message for an identifier nobody registered.
TAutomationRef CreateOleObject(const std::string& progId);
TAutomationFactory* setAutomationFactory(TAutomationFactory* factory);

// The object a get returned; PlatformError when it returned something else.
TAutomationRef asObject(const TVariant& value, const std::string& member);
// An integer result (a Boolean counts as 0 or -1, as automation gives it).
int asInteger(const TVariant& value, const std::string& member);

// Walks a dotted path of gets from `root`, fetching every step afresh.
TVariant getPath(const TAutomationRef& root, const std::string& path);

} // namespace zt::platform
