// The PDF object table: the numbers it hands out, the offsets in its
// cross-reference table, the lengths of streams it counts, the trailer, and
// the calls it refuses. Whole documents made with it pass qpdf --check.

#include "export/QRPDFFilter.h"
#include "export/QRPDFObjects.h"
#include "base/QRError.h"
#include "support/PdfFile.h"
#include "support/ScratchFolder.h"
#include "platform/streams/Stream.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace zt::report;
using namespace zt::exporting;
using zt::testing::PdfFile;
using zt::testing::qpdfProblems;
using zt::testing::writeBytes;

namespace {

struct Written {
    std::string bytes;
    TPDFObjectTable table{[this](std::string_view b) { bytes.append(b); }};
};

// Every entry of the cross-reference table points at its object's first line.
void expectOffsetsAtObjects(const std::string& bytes)
{
    const PdfFile doc(bytes);
    const std::vector<long> offsets = doc.xrefOffsets();
    ASSERT_FALSE(offsets.empty());
    for (std::size_t i = 0; i < offsets.size(); ++i) {
        const std::string head = std::to_string(i + 1) + " 0 obj\r\n";
        EXPECT_EQ(bytes.substr(static_cast<std::size_t>(offsets[i]), head.size()), head) << "object " << i + 1;
    }
    const std::size_t startxref = bytes.rfind("startxref\r\n");
    ASSERT_NE(startxref, std::string::npos);
    EXPECT_EQ(bytes.substr(std::stoul(bytes.substr(startxref + 11)), 6), "xref\r\n");
}

TEST(PdfObjectTable, HandsOutNumbersFromOneInTurn)
{
    Written w;
    EXPECT_EQ(w.table.Count(), 0);
    EXPECT_EQ(w.table.Reserve(), 1);
    EXPECT_EQ(w.table.Reserve(), 2);
    EXPECT_EQ(w.table.Reserve(), 3);
    EXPECT_EQ(w.table.Count(), 3);
    EXPECT_EQ(TPDFObjectTable::Ref(12), "12 0 R");
    // Reserving writes nothing.
    EXPECT_EQ(w.bytes, "");
}

TEST(PdfObjectTable, ObjectsWrittenOutOfTurnAreFoundWhereTheyBegin)
{
    Written w;
    const int catalog = w.table.Reserve(), tree = w.table.Reserve(), page = w.table.Reserve(),
              content = w.table.Reserve(), info = w.table.Reserve();
    w.table.Add("%PDF-1.3");
    // The page first, naming its tree and content written after it.
    w.table.Object(page, {"<<", "/Type /Page", "/Parent " + TPDFObjectTable::Ref(tree),
                          "/Contents " + TPDFObjectTable::Ref(content), "/MediaBox [0 0 595 842]", ">>"});
    const std::string_view lines[] = {"BT", "/F1 12 Tf", "", "ET"};
    w.table.LinesStream(content, lines);
    w.table.Object(info, {"<< /Producer (test) >>"});
    w.table.Object(tree, {"<< /Type /Pages /Count 1 /Kids [" + TPDFObjectTable::Ref(page) + "] >>"});
    w.table.Object(catalog, {"<< /Type /Catalog /Pages " + TPDFObjectTable::Ref(tree) + " >>"});
    TPDFTrailer trailer;
    trailer.root = catalog;
    trailer.info = info;
    w.table.Finish(trailer);

    expectOffsetsAtObjects(w.bytes);
    const PdfFile doc(w.bytes);
    EXPECT_TRUE(doc.hasLine("0 6"));
    EXPECT_TRUE(doc.hasLine("/Size 6"));
    EXPECT_TRUE(doc.hasLine("/Root 1 0 R"));
    EXPECT_TRUE(doc.hasLine("/Info 5 0 R"));
    EXPECT_FALSE(doc.bytes().find("/ID") != std::string::npos);
    EXPECT_EQ(doc.lines().back(), "%%EOF");
    zt::testing::ScratchFolder scratch("pdf-objects");
    writeBytes(scratch.file("out.pdf"), w.bytes);
    EXPECT_EQ(qpdfProblems(scratch.file("out.pdf")), "");
}

TEST(PdfObjectTable, AStreamOfLinesCountsItsLinesAndTheirLineEnds)
{
    Written w;
    const int n = w.table.Reserve();
    const std::string_view lines[] = {"BT", "", "(a) Tj", "ET"};
    w.table.LinesStream(n, lines);
    // Empty lines are left out, as everywhere in the document.
    EXPECT_EQ(w.bytes, "1 0 obj\r\n<< /Length 16 >>\r\nstream\r\nBT\r\n(a) Tj\r\nET\r\nendstream\r\nendobj\r\n");
    const PdfFile doc("\r\n" + w.bytes);
    EXPECT_EQ(doc.lengthOf(1), 16);
    // Other entries of its dictionary go before the length.
    const int metadata = w.table.Reserve();
    const std::string_view xml[] = {"<x/>"};
    w.table.LinesStream(metadata, xml, "/Type /Metadata /Subtype /XML");
    EXPECT_TRUE(PdfFile(w.bytes).hasLine("<< /Type /Metadata /Subtype /XML /Length 6 >>"));
}

TEST(PdfObjectTable, AStreamOfBytesHasItsLengthInAnObjectRightAfterIt)
{
    Written w;
    const int file = w.table.Reserve(), length = w.table.Reserve();
    const std::string bytes("\0\r\nendstream\r\n\xFF", 15);
    const std::string dictionary[] = {"<<", "/Length " + TPDFObjectTable::Ref(length) + " ", ">>"};
    w.table.BytesStream(file, dictionary, bytes, length);
    EXPECT_EQ(w.bytes, "1 0 obj\r\n<<\r\n/Length 2 0 R \r\n>>\r\nstream\r\n" + bytes +
                           "\r\nendstream\r\nendobj\r\n2 0 obj\r\n   15\r\nendobj\r\n");
    TPDFTrailer trailer;
    w.table.Finish(trailer);
    expectOffsetsAtObjects(w.bytes);
}

TEST(PdfObjectTable, ADocumentWithAFontFileStreamPassesQpdf)
{
    Written w;
    const int catalog = w.table.Reserve(), tree = w.table.Reserve(), page = w.table.Reserve();
    const int first = w.table.Reserve(), second = w.table.Reserve(), length = w.table.Reserve();
    w.table.Add("%PDF-1.3");
    w.table.Object(catalog, {"<< /Type /Catalog /Pages " + TPDFObjectTable::Ref(tree) + " >>"});
    w.table.Object(tree, {"<< /Type /Pages /Count 1 /Kids [" + TPDFObjectTable::Ref(page) + "] >>"});
    w.table.Object(page, {"<< /Type /Page /Parent " + TPDFObjectTable::Ref(tree) + " /MediaBox [0 0 200 200]",
                          "/Contents [" + TPDFObjectTable::Ref(first) + " " + TPDFObjectTable::Ref(second) + "] >>"});
    const std::string_view lines[] = {"0 0 m"};
    w.table.LinesStream(first, lines);
    const std::string dictionary[] = {"<< /Length " + TPDFObjectTable::Ref(length) + " >>"};
    w.table.BytesStream(second, dictionary, "100 100 l S", length);
    TPDFTrailer trailer;
    trailer.root = catalog;
    trailer.id[0] = std::string("\x01\xAB", 2);
    trailer.id[1] = "Z";
    w.table.Finish(trailer);

    expectOffsetsAtObjects(w.bytes);
    const PdfFile doc(w.bytes);
    EXPECT_TRUE(doc.hasLine("/ID [<01AB> <5A>]"));
    EXPECT_FALSE(doc.bytes().find("/Info") != std::string::npos);
    zt::testing::ScratchFolder scratch("pdf-objects");
    writeBytes(scratch.file("out.pdf"), w.bytes);
    EXPECT_EQ(qpdfProblems(scratch.file("out.pdf")), "");
}

TEST(PdfObjectTable, OneIdentifierGivenIsWrittenTwice)
{
    Written w;
    TPDFTrailer trailer;
    trailer.id[0] = "ab";
    w.table.Finish(trailer);
    EXPECT_TRUE(PdfFile(w.bytes).hasLine("/ID [<6162> <6162>]"));
    EXPECT_TRUE(PdfFile(w.bytes).hasLine("/Size 1"));
}

TEST(PdfObjectTable, RefusesObjectsNotReservedWrittenTwiceOrLeftOpen)
{
    const auto internal = [](auto call) {
        Written w;
        w.table.Reserve();
        w.table.Reserve();
        try {
            call(w.table);
        } catch (const EQRError& e) {
            return e.kind() == ErrorKind::InternalFault;
        }
        return false;
    };
    EXPECT_TRUE(internal([](TPDFObjectTable& t) { t.Begin(3); }));
    EXPECT_TRUE(internal([](TPDFObjectTable& t) { t.Begin(0); }));
    EXPECT_TRUE(internal([](TPDFObjectTable& t) {
        t.Object(1, {"null"});
        t.Object(1, {"null"});
    }));
    EXPECT_TRUE(internal([](TPDFObjectTable& t) {
        t.Begin(1);
        t.Begin(2);
    }));
    EXPECT_TRUE(internal([](TPDFObjectTable& t) { t.End(); }));
    EXPECT_TRUE(internal([](TPDFObjectTable& t) {
        t.Object(1, {"null"});
        t.Finish({});
    }));
    EXPECT_TRUE(internal([](TPDFObjectTable& t) {
        t.Object(1, {"null"});
        t.Begin(2);
        t.Finish({});
    }));
    EXPECT_TRUE(internal([](TPDFObjectTable& t) {
        t.Object(1, {"null"});
        t.Object(2, {"null"});
        TPDFTrailer trailer;
        trailer.root = 3;
        t.Finish(trailer);
    }));
    EXPECT_TRUE(internal([](TPDFObjectTable& t) {
        const std::string none[] = {"<<", ">>"};
        t.BytesStream(1, none, "x", 1);
    }));
    EXPECT_TRUE(internal([](TPDFObjectTable& t) {
        t.Object(1, {"null"});
        t.Object(2, {"null"});
        t.Finish({});
        t.Reserve();
    }));
    // Written as reserved, the table is content.
    EXPECT_FALSE(internal([](TPDFObjectTable& t) {
        t.Object(2, {"null"});
        t.Object(1, {"null"});
        t.Finish({});
    }));
}

TEST(PdfObjectTable, TheWritersEmbeddedFontFileHasTheLengthItsObjectHolds)
{
    TQRPDFDocumentFilter f("");
    f.Start(2100, 2970, TQRFont{});
    f.TextOut(100, 100, TQRFont{}, clWhite, TAlignment::taLeftJustify, "Gr\u00FC\u00DFe");
    f.Finish();
    const auto& out = f.Stream()->Bytes();
    const std::string bytes(out.begin(), out.end());
    expectOffsetsAtObjects(bytes);
    // Catalog, outlines, tree, page, content; the font, its descriptor, its
    // file and the file's length; information, ProcSet.
    const PdfFile doc(bytes);
    ASSERT_TRUE(doc.hasLine("/Length 9 0 R /Length1 9 0 R ")) << bytes.substr(0, 2000);
    const std::size_t length = bytes.find("\r\n9 0 obj\r\n   ");
    ASSERT_NE(length, std::string::npos);
    const std::size_t start = bytes.find("stream\r\n", bytes.find("\r\n8 0 obj\r\n")) + 8;
    EXPECT_EQ(bytes.substr(start + std::stoul(bytes.substr(length + 13)), 11), "\r\nendstream");
    EXPECT_TRUE(doc.hasLine("/Info 10 0 R"));
    zt::testing::ScratchFolder scratch("pdf-objects");
    writeBytes(scratch.file("out.pdf"), bytes);
    EXPECT_EQ(qpdfProblems(scratch.file("out.pdf")), "");
}

} // namespace
