#include "output/WordHandOff.h"

namespace zt::output {

using platform::asInteger;
using platform::asObject;
using platform::getPath;
using platform::TAutomationRef;

namespace {

// The object at a dotted path, fetched again from the application object.
TAutomationRef at(const TAutomationRef& word, const std::string& path)
{
    return asObject(getPath(word, path), path);
}

int viewType(const TAutomationRef& word)
{
    return asInteger(getPath(word, "ActiveWindow.ActivePane.View.Type"), "Type");
}

} // namespace

void TypeIntoWord(const TAutomationRef& word, const std::vector<std::string>& lines)
{
    word->Set("Visible", true);
    at(word, "Documents")->Call("Add");

    if (asInteger(getPath(word, "ActiveWindow.View.SplitSpecial"), "SplitSpecial") != 0)
        asObject(at(word, "ActiveWindow")->Get("Panes", {2}), "Panes")->Call("Close");

    // Normal, outline and master view become print layout; the comparisons
    // stop at the first that matches.
    if (viewType(word) == 1 || viewType(word) == 2 || viewType(word) == 5)
        at(word, "ActiveWindow.ActivePane.View")->Set("Type", 3);

    at(word, "ActiveWindow.ActivePane.View")->Set("SeekView", 9); // the page header
    at(word, "Selection.Font")->Set("Name", std::string("Courier New"));
    at(word, "Selection.Font")->Set("Size", 10);
    at(word, "ActiveWindow.ActivePane.View")->Set("SeekView", 0); // the main document

    for (const std::string& line : lines) {
        at(word, "Selection")->Call("typetext", {}, {{"text", line}});
        at(word, "Selection")->Call("TypeParagraph");
    }
}

} // namespace zt::output
