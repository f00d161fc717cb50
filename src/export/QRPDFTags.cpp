#include "export/QRPDFTags.h"

#include "export/QRPDFDocument.h"
#include "export/QRPDFObjects.h"

#include <algorithm>

namespace zt::exporting {

using namespace zt::report;

const char* PdfStructTypeName(TPDFStructType type)
{
    switch (type) {
    case TPDFStructType::Document: return "Document";
    case TPDFStructType::Part: return "Part";
    case TPDFStructType::Sect: return "Sect";
    case TPDFStructType::H1: return "H1";
    case TPDFStructType::P: return "P";
    case TPDFStructType::L: return "L";
    case TPDFStructType::LI: return "LI";
    case TPDFStructType::LBody: return "LBody";
    }
    return "P";
}

bool TPDFTags::contentRole(TQRStructureRole role) const
{
    return role == TQRStructureRole::srHeading || role == TQRStructureRole::srParagraph ||
           role == TQRStructureRole::srParagraphs || role == TQRStructureRole::srListItem;
}

int TPDFTags::make(TPDFStructType type, int parent, std::uint8_t readingOrder)
{
    Elem e;
    e.type = static_cast<std::uint8_t>(type);
    e.readingOrder = readingOrder;
    e.parent = parent;
    e.mcrBefore = FMarks;
    FElems.push_back(e);
    return static_cast<int>(FElems.size()) - 1;
}

int TPDFTags::lastChildOf(int parent) const
{
    // Made after their parent: the first one going back is the last made,
    // past the descendants of the one before.
    for (int i = static_cast<int>(FElems.size()) - 1; i > parent; --i)
        if (FElems[static_cast<std::size_t>(i)].parent == parent)
            return i;
    return -1;
}

std::string_view TPDFTags::actualTextOf(int element) const
{
    const auto at = std::lower_bound(FActualAt.begin(), FActualAt.end(),
                                     std::pair<std::int32_t, std::uint32_t>{element, 0});
    if (at == FActualAt.end() || at->first != element)
        return {};
    const std::size_t end = at + 1 == FActualAt.end() ? FActualTexts.size() : (at + 1)->second;
    return std::string_view(FActualTexts).substr(at->second, end - at->second);
}

int TPDFTags::document()
{
    if (FElems.empty())
        make(TPDFStructType::Document, -1);
    return 0;
}

int TPDFTags::anchorFor(TQRStructureLevel level) const
{
    for (int i = static_cast<int>(FStack.size()) - 1; i >= 0; --i) {
        const TQRStructureLevel l = FStack[static_cast<std::size_t>(i)].mark.Level;
        if (l == TQRStructureLevel::slReport)
            return i;
        if (l == TQRStructureLevel::slBand && level == TQRStructureLevel::slPrintable)
            return i;
    }
    return -1;
}

void TPDFTags::Begin(const TQRStructureMark& mark)
{
    Entry e;
    e.mark = mark;
    e.anchor = anchorFor(mark.Level);
    const Entry* anchor = e.anchor >= 0 ? &FStack[static_cast<std::size_t>(e.anchor)] : nullptr;
    if (anchor != nullptr && anchor->artifact) {
        // Nothing inside an artifact is content.
        e.artifact = true;
        e.kind = anchor->kind;
    } else if (mark.Role == TQRStructureRole::srArtifact) {
        e.artifact = true;
        e.kind = mark.Artifact;
    }
    if (mark.Level == TQRStructureLevel::slPrintable && !e.artifact) {
        if (anchor != nullptr && contentRole(anchor->mark.Role))
            e.mark.Role = TQRStructureRole::srNone;  // the band's own element takes its text
        else if (!contentRole(e.mark.Role))
            e.mark.Role = TQRStructureRole::srParagraph;
        if (mark.Continued && anchor != nullptr) {
            for (const auto& [source, element] : anchor->ended)
                if (source == mark.Source)
                    e.element = element;
        } else if (mark.JoinsPrevious && FLastPrintable >= 0 && e.mark.Role != TQRStructureRole::srNone) {
            e.element = FLastPrintable;
        }
    }
    if (mark.Level != TQRStructureLevel::slPrintable)
        FLastPrintable = -1;
    FStack.push_back(std::move(e));
}

void TPDFTags::End()
{
    if (FStack.empty())
        return;
    Entry e = std::move(FStack.back());
    FStack.pop_back();
    if (e.mark.Level != TQRStructureLevel::slPrintable) {
        FLastPrintable = -1;
        return;
    }
    const bool own = !e.artifact && e.mark.Role != TQRStructureRole::srNone;
    FLastPrintable = own ? e.element : -1;
    if (!own || e.anchor < 0 || e.anchor >= static_cast<int>(FStack.size()))
        return;
    auto& ended = FStack[static_cast<std::size_t>(e.anchor)].ended;
    for (auto& [source, element] : ended)
        if (source == e.mark.Source) {
            element = e.element;
            return;
        }
    ended.emplace_back(e.mark.Source, e.element);
}

void TPDFTags::BlankLine()
{
    if (FStack.empty())
        return;
    Entry& e = FStack.back();
    if (!e.artifact && e.mark.Role == TQRStructureRole::srParagraphs)
        e.element = -1;
}

int TPDFTags::containerOf(int at)
{
    if (at < 0)
        return document();
    Entry& e = FStack[static_cast<std::size_t>(at)];
    switch (e.mark.Role) {
    case TQRStructureRole::srPart:
    case TQRStructureRole::srSection:
        if (e.element < 0)
            e.element = make(e.mark.Role == TQRStructureRole::srPart ? TPDFStructType::Part : TPDFStructType::Sect,
                             containerOf(e.anchor));
        return e.element;
    default:
        if (contentRole(e.mark.Role))
            return elementOf(at);
        return containerOf(e.anchor);
    }
}

int TPDFTags::elementOf(int at)
{
    Entry& e = FStack[static_cast<std::size_t>(at)];
    if (e.element >= 0)
        return e.element;
    const TQRStructureRole role = e.mark.Role;
    if (role == TQRStructureRole::srNone && e.anchor >= 0 &&
        contentRole(FStack[static_cast<std::size_t>(e.anchor)].mark.Role))
        return elementOf(e.anchor);
    if (!contentRole(role))
        // Text straight in a part or section, or in a band of no element: a paragraph each.
        return make(TPDFStructType::P, containerOf(at));
    const int parent = containerOf(e.anchor);
    const std::uint8_t order = e.mark.ReadingOrder;
    int element = -1;
    switch (role) {
    case TQRStructureRole::srHeading: element = make(TPDFStructType::H1, parent, order); break;
    case TQRStructureRole::srListItem: {
        // Items printed one after another make one list.
        int list = lastChildOf(parent);
        if (list < 0 || TypeOf(list) != TPDFStructType::L)
            list = make(TPDFStructType::L, parent, order);
        element = make(TPDFStructType::LBody, make(TPDFStructType::LI, list));
        break;
    }
    default: element = make(TPDFStructType::P, parent, order); break;
    }
    if (!e.mark.ActualText.empty()) {
        FActualAt.emplace_back(element, static_cast<std::uint32_t>(FActualTexts.size()));
        FActualTexts += e.mark.ActualText;
    }
    // `e` may have moved: the stack does not grow here, but stay safe.
    FStack[static_cast<std::size_t>(at)].element = element;
    return element;
}

TPDFTagTarget TPDFTags::Target()
{
    TPDFTagTarget t;
    if (FStack.empty()) {
        // Text of a run that says nothing of its structure: a paragraph a line.
        t.element = make(TPDFStructType::P, document());
        return t;
    }
    const Entry& top = FStack.back();
    if (top.artifact) {
        t.artifact = true;
        t.kind = top.kind;
        return t;
    }
    t.element = elementOf(static_cast<int>(FStack.size()) - 1);
    return t;
}

int TPDFTags::Mark(std::size_t page, int element)
{
    if (FPages.size() <= page)
        FPages.resize(page + 1);
    FPages[page].push_back(element);
    ++FMarks;
    return static_cast<int>(FPages[page].size()) - 1;
}

TPDFTags::Objects TPDFTags::Reserve(TPDFObjectTable& table)
{
    document();
    Objects o;
    o.root = table.Reserve();
    o.parentTree = table.Reserve();
    o.firstElement = table.Reserve();
    for (std::size_t i = 1; i < FElems.size(); ++i)
        table.Reserve();
    return o;
}

namespace {

// Long arrays go out a line at a time.
class TokenLines {
public:
    explicit TokenLines(TPDFObjectTable& table) : table_(table) {}
    void add(const std::string& token)
    {
        if (!line_.empty())
            line_ += ' ';
        line_ += token;
        if (line_.size() > 200)
            flush();
    }
    void flush()
    {
        table_.Add(line_);
        line_.clear();
    }

private:
    TPDFObjectTable& table_;
    std::string line_;
};

} // namespace

void TPDFTags::Write(TPDFObjectTable& table, const Objects& o, std::size_t pages,
                     const std::vector<int>& pageObjects) const
{
    const std::size_t n = FElems.size();
    const auto ref = [&](std::size_t element) { return TPDFObjectTable::Ref(o.firstElement + static_cast<int>(element)); };

    // Each element's child elements and its marked content, in the order made.
    std::vector<std::uint32_t> childStart(n + 1, 0), markStart(n + 1, 0);
    for (std::size_t i = 1; i < n; ++i)
        ++childStart[static_cast<std::size_t>(FElems[i].parent) + 1];
    for (const auto& page : FPages)
        for (const std::int32_t element : page)
            ++markStart[static_cast<std::size_t>(element) + 1];
    for (std::size_t i = 0; i < n; ++i) {
        childStart[i + 1] += childStart[i];
        markStart[i + 1] += markStart[i];
    }
    std::vector<std::uint32_t> children(childStart[n]);
    struct Mcr {
        std::uint32_t page, mcid, order;
    };
    std::vector<Mcr> marks(markStart[n]);
    {
        std::vector<std::uint32_t> fill(childStart.begin(), childStart.end() - 1);
        for (std::size_t i = 1; i < n; ++i)
            children[fill[static_cast<std::size_t>(FElems[i].parent)]++] = static_cast<std::uint32_t>(i);
        // A reader meets siblings by their reading order, then as printed.
        for (std::size_t i = 0; i < n; ++i) {
            const auto first = children.begin() + childStart[i], last = children.begin() + childStart[i + 1];
            if (std::any_of(first, last, [&](std::uint32_t c) { return FElems[c].readingOrder != 0; }))
                std::stable_sort(first, last, [&](std::uint32_t a, std::uint32_t b) {
                    return FElems[a].readingOrder < FElems[b].readingOrder;
                });
        }
        std::vector<std::uint32_t> at(markStart.begin(), markStart.end() - 1);
        std::uint32_t order = 0;
        for (std::size_t p = 0; p < FPages.size(); ++p)
            for (std::size_t m = 0; m < FPages[p].size(); ++m)
                marks[at[static_cast<std::size_t>(FPages[p][m])]++] = {static_cast<std::uint32_t>(p),
                                                                      static_cast<std::uint32_t>(m), order++};
    }

    table.Begin(o.root);
    table.Add("<<");
    table.Add("/Type /StructTreeRoot");
    table.Add("/K " + ref(0));
    table.Add("/ParentTree " + TPDFObjectTable::Ref(o.parentTree));
    table.Add("/ParentTreeNextKey " + std::to_string(pages));
    table.Add(">>");
    table.End();

    table.Begin(o.parentTree);
    table.Add("<< /Nums [");
    for (std::size_t p = 0; p < pages; ++p) {
        TokenLines line(table);
        line.add(std::to_string(p) + " [");
        if (p < FPages.size())
            for (const std::int32_t element : FPages[p])
                line.add(ref(static_cast<std::size_t>(element)));
        line.add("]");
        line.flush();
    }
    table.Add("] >>");
    table.End();

    for (std::size_t i = 0; i < n; ++i) {
        const Elem& e = FElems[i];
        table.Begin(o.firstElement + static_cast<int>(i));
        table.Add("<< /Type /StructElem /S /" + std::string(PdfStructTypeName(static_cast<TPDFStructType>(e.type))));
        table.Add("/P " + (e.parent < 0 ? TPDFObjectTable::Ref(o.root) : ref(static_cast<std::size_t>(e.parent))));
        const Mcr* first = markStart[i] < markStart[i + 1] ? &marks[markStart[i]] : nullptr;
        const int pageOf = first != nullptr ? static_cast<int>(first->page) : -1;
        if (pageOf >= 0)
            table.Add("/Pg " + TPDFObjectTable::Ref(pageObjects[static_cast<std::size_t>(pageOf)]));
        if (const std::string_view text = actualTextOf(static_cast<int>(i)); !text.empty())
            table.Add("/ActualText " + PdfTextString(text));
        // Child elements and marked content merged in the order they were made.
        TokenLines kids(table);
        kids.add("/K [");
        std::uint32_t c = childStart[i], m = markStart[i];
        while (c < childStart[i + 1] || m < markStart[i + 1]) {
            const bool child = c < childStart[i + 1] &&
                               (m == markStart[i + 1] || FElems[children[c]].mcrBefore <= marks[m].order);
            if (child) {
                kids.add(ref(children[c++]));
                continue;
            }
            const Mcr& mark = marks[m++];
            if (static_cast<int>(mark.page) == pageOf)
                kids.add(std::to_string(mark.mcid));
            else
                kids.add("<< /Type /MCR /Pg " + TPDFObjectTable::Ref(pageObjects[mark.page]) + " /MCID " +
                         std::to_string(mark.mcid) + " >>");
        }
        kids.add("]");
        kids.flush();
        table.Add(">>");
        table.End();
    }
}

} // namespace zt::exporting
