#pragma once
// What a band or printable is in the document's logical structure, for
// filters that tag what they write (a screen reader follows the tags, not
// the page). A report that says nothing still has a structure: the run
// gives every band and printable a role from its kind.

#include <cstdint>
#include <string>

namespace zt::report {

class TQRControl;
class TQRCustomBand;

enum class TQRStructureRole : std::uint8_t {
    srAuto,        // from the kind of band or printable (StructureRoleOf)
    srNone,        // no element of its own: its content joins the element around it
    srPart,        // a part of the document: a letter of a mail merge
    srSection,     // a section grouping what follows
    srHeading,     // a heading of the first level
    srParagraph,   // one paragraph, whatever its lines
    srParagraphs,  // a paragraph for each run of lines up to an empty line
    srListItem,    // an item of a list; items printed one after another make one list
    srArtifact,    // not content: page numbers, marks, lines and boxes
};

// What an artifact is, for a reader that skips pagination.
enum class TQRArtifactKind : std::uint8_t { akLayout, akPageHeader, akPageFooter };

// A band's or printable's own say in the structure.
struct TQRStructure {
    TQRStructureRole Role = TQRStructureRole::srAuto;
    // Continues the element of the printable printed before it in the band
    // (a heading over two labels) instead of starting one of its own.
    bool JoinsPrevious = false;
    // What a reader says instead of the printed text ("angekreuzt: ...").
    std::string ActualText;
    // Where a reader meets it among its neighbours: a higher value after a
    // lower one, whatever the page shows first (a box in the corner of the
    // first page read after the message). Equal values keep the print order.
    std::uint8_t ReadingOrder = 0;
};

// The level a structure call comes from: the report (a part of a composite
// run), a band, or a printable inside a band. A band's element hangs from
// the report's, a printable's from its band's, whatever else is open (a
// page footer printed while a memo breaks across pages).
enum class TQRStructureLevel : std::uint8_t { slReport, slBand, slPrintable };

// One structure call to the filter; the role is never srAuto.
struct TQRStructureMark {
    TQRStructureLevel Level = TQRStructureLevel::slPrintable;
    TQRStructureRole Role = TQRStructureRole::srParagraph;
    TQRArtifactKind Artifact = TQRArtifactKind::akLayout;
    bool JoinsPrevious = false;
    // The printable's print goes on after a page break: its element goes on too.
    bool Continued = false;
    // Who the mark is for, to find its element again when continued.
    const void* Source = nullptr;
    std::string ActualText;
    std::uint8_t ReadingOrder = 0;
};

// The role a band or printable takes when it says srAuto: page headers,
// footers and overlays are artifacts, other bands have no element of their
// own; memos are paragraphs split at empty lines, other text one paragraph,
// shapes, rules and pictures artifacts.
TQRStructureMark StructureMarkOf(const TQRCustomBand& band);
TQRStructureMark StructureMarkOf(const TQRControl& printable);

} // namespace zt::report
