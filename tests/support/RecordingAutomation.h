#pragma once
// An automation object that records every call as a line ("get
// ActiveWindow.View", "set Selection.Font.Name = Courier New", "call
// Selection.typetext text=..."), returning child objects for gets and the
// configured values for the paths given one. Names match without regard to
// case, as automation names do.

#include "platform/automation/Automation.h"
#include "platform/text/AsciiCase.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace zt::testing {

struct AutomationLog {
    std::vector<std::string> calls;
    std::map<std::string, platform::TVariant> values; // lower-case path -> value of a get
};

inline std::string describe(const platform::TVariant& v)
{
    if (const bool* b = std::get_if<bool>(&v))
        return *b ? "true" : "false";
    if (const int* i = std::get_if<int>(&v))
        return std::to_string(*i);
    if (const std::string* s = std::get_if<std::string>(&v))
        return *s;
    return "?";
}

class RecordingAutomation final : public platform::TAutomationObject,
                                  public std::enable_shared_from_this<RecordingAutomation> {
public:
    RecordingAutomation(std::shared_ptr<AutomationLog> log, std::string path)
        : log_(std::move(log)), path_(std::move(path))
    {
    }

    platform::TVariant Get(const std::string& name, const std::vector<platform::TVariant>& index) override
    {
        std::string path = child(name);
        for (const auto& i : index)
            path += "(" + describe(i) + ")";
        log_->calls.push_back("get " + path);
        const auto it = log_->values.find(platform::text::asciiLower(path));
        if (it != log_->values.end())
            return it->second;
        return std::make_shared<RecordingAutomation>(log_, path);
    }

    void Set(const std::string& name, const platform::TVariant& value) override
    {
        log_->calls.push_back("set " + child(name) + " = " + describe(value));
    }

    platform::TVariant Call(const std::string& name, const std::vector<platform::TVariant>& args,
                            const platform::TNamedArgs& named) override
    {
        std::string line = "call " + child(name);
        for (const auto& a : args)
            line += " " + describe(a);
        for (const auto& [key, value] : named)
            line += " " + key + "=" + describe(value);
        log_->calls.push_back(line);
        return {};
    }

private:
    std::string child(const std::string& name) const { return path_.empty() ? name : path_ + "." + name; }

    std::shared_ptr<AutomationLog> log_;
    std::string path_;
};

// Creates recording objects for one programmatic identifier.
class RecordingAutomationFactory final : public platform::TAutomationFactory {
public:
    explicit RecordingAutomationFactory(std::string progId) : progId_(std::move(progId)) {}

    platform::TAutomationRef Create(const std::string& progId) override
    {
        created.push_back(progId);
        if (progId != progId_)
            return nullptr;
        return std::make_shared<RecordingAutomation>(log, "");
    }

    std::shared_ptr<AutomationLog> log = std::make_shared<AutomationLog>();
    std::vector<std::string> created;

private:
    std::string progId_;
};

} // namespace zt::testing
