#pragma once
// The logical structure of an archive document while the report runs into
// it: the structure calls of the run kept as a stack, the elements they make
// (only once content reaches them, so an empty label leaves no trace), and
// for each page which element each marked-content sequence belongs to. At
// the end the elements, the parent tree and the structure tree root are
// written as objects. Elements are kept small: a mail merge of many
// thousand letters makes millions of them.

#include "report/QRStructure.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zt::exporting {

using namespace zt::report;

class TPDFObjectTable;

enum class TPDFStructType : std::uint8_t { Document, Part, Sect, H1, P, L, LI, LBody };
const char* PdfStructTypeName(TPDFStructType type);

// Where a text item goes: an artifact of a kind, or an element's content.
struct TPDFTagTarget {
    bool artifact = false;
    TQRArtifactKind kind = TQRArtifactKind::akLayout;
    int element = -1;
    bool operator==(const TPDFTagTarget&) const = default;
};

class TPDFTags {
public:
    void Begin(const TQRStructureMark& mark);
    void End();

    // A blank text line: it ends a paragraph of a printable whose text is
    // split into paragraphs, and shows nothing.
    void BlankLine();
    // The target of the next text item; makes the elements it needs.
    TPDFTagTarget Target();
    // The next marked-content identifier of `page` (from 0), given to `element`.
    int Mark(std::size_t page, int element);

    std::size_t Elements() const { return FElems.size(); }
    TPDFStructType TypeOf(int element) const { return static_cast<TPDFStructType>(FElems[element].type); }

    // The numbers of the structure's objects, reserved in the order they are written.
    struct Objects {
        int root = 0, parentTree = 0, firstElement = 0;
    };
    Objects Reserve(TPDFObjectTable& table);
    // The structure tree root, the elements and the parent tree; `pageObject`
    // gives a page's object number by its index, `text` a text string's token.
    void Write(TPDFObjectTable& table, const Objects& objects, std::size_t pages,
               const std::vector<int>& pageObjects) const;

private:
    struct Elem {
        std::uint8_t type = 0;
        std::uint8_t readingOrder = 0;  // among its siblings, as the mark said
        std::int32_t parent = -1;
        // Marked-content sequences made before this element: its place among
        // its parent's content.
        std::uint32_t mcrBefore = 0;
    };
    struct Entry {
        TQRStructureMark mark;
        int anchor = -1;      // the entry this one hangs from, -1: the document
        bool artifact = false;
        TQRArtifactKind kind = TQRArtifactKind::akLayout;
        int element = -1;     // made element holding its content, -1 while none
        // The elements printables of this band ended with, to go on after a page break.
        std::vector<std::pair<const void*, int>> ended;
    };

    int make(TPDFStructType type, int parent, std::uint8_t readingOrder = 0);
    int document();
    // The element content of entry `at` goes into, making it when needed.
    int elementOf(int at);
    // The element new elements of entry `at` hang from.
    int containerOf(int at);
    int anchorFor(TQRStructureLevel level) const;
    bool contentRole(TQRStructureRole role) const;

    // The element last made under `parent`, -1 for none.
    int lastChildOf(int parent) const;
    // Empty for none.
    std::string_view actualTextOf(int element) const;

    std::vector<Elem> FElems;
    // The texts a reader says instead of the printed ones, of the elements
    // in the order made, in one buffer: a mail merge has thousands.
    std::vector<std::pair<std::int32_t, std::uint32_t>> FActualAt;
    std::string FActualTexts;
    std::vector<Entry> FStack;
    int FLastPrintable = -1;
    std::uint32_t FMarks = 0;
    // Each page's marked-content identifiers: the element of each.
    std::vector<std::vector<std::int32_t>> FPages;
};

} // namespace zt::exporting
