#pragma once
// What the Word hand-off sends to Word's application object: a visible new
// document in print layout, Courier New 10 set while the page header is
// open, then every line typed as a paragraph of its own.

#include "platform/automation/Automation.h"

#include <string>
#include <vector>

namespace zt::output {

inline constexpr const char* kWordProgId = "Word.Application";

// Every member path is walked afresh from `word` for each use. Errors of
// Word go to the caller; what Word received stays there.
void TypeIntoWord(const platform::TAutomationRef& word, const std::vector<std::string>& lines);

} // namespace zt::output
