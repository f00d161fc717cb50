// The printed letter: the fill step, the page line and the pages a run
// records, read back from the recorded pages.

#include "files/LetterFields.h"
#include "output/LetterBoxes.h"
#include "output/LetterPrint.h"
#include "output/PlainText.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"
#include "platform/fonts/FontService.h"
#include "support/PageContent.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

using namespace zt::report;
using zt::files::TLetterContent;
using zt::output::TfrmReport;
using zt::testing::PageContent;
using zt::testing::readPageContent;

namespace {

std::array<std::string, 16> markLabels(const std::string& sonst1 = "", const std::string& sonst2 = "")
{
    return {"",           "Kenntnisnahme", "Anruf/Rücksprache", "Stellungnahme", "Kontrolle", "Erledigung",
            "Entscheidung", "Rücknahme",  "Verbleib",          sonst1,          "Schreiben", "Rechnung",
            "Kopien",     "Muster",        "Vertrag",           sonst2};
}

TLetterContent sampleLetter(int messageLines)
{
    TLetterContent l;
    l.absender = {"Erika Mustermann", "", "Hauptstraße 5", "12345 Musterstadt"};
    l.anschrift = {"Firma Beispiel GmbH", "Herrn Schmidt", "Am Markt 1", "54321 Beispielhausen"};
    l.titel1 = "Ihre Anfrage vom 1. Dezember";
    l.titel2 = "Unser Zeichen: EM/42";
    l.datum = "Musterstadt, 09.12.2026";
    for (int i = 1; i <= messageLines; ++i)
        l.mitteilung.push_back("Zeile " + std::to_string(i));
    l.marks[1] = true;
    l.marks[5] = true;
    l.marks[11] = true;
    return l;
}

class LetterPrint : public ::testing::Test {
protected:
    std::unique_ptr<TfrmReport> form = std::make_unique<TfrmReport>();
    TBandoriaRep& rep = *form->BandoriaRep1;
    int total = 0;

    std::vector<PageContent> prepare(const TLetterContent& letter, const std::string& sonst1 = "",
                                     const std::string& sonst2 = "")
    {
        form->LetterSource = [=] { return zt::output::DesignPrintSource(letter, markLabels(sonst1, sonst2)); };
        form->PageTotal = [this] { return total; };
        rep.Prepare();
        std::vector<PageContent> pages;
        for (int i = 1; i <= rep.QRPrinter->PageCount(); ++i)
            pages.push_back(readPageContent(*rep.QRPrinter->GetPage(i)));
        return pages;
    }
    // Prepare, then the run that shows the total, as the commands do.
    std::vector<PageContent> printed(const TLetterContent& letter, const std::string& sonst1 = "",
                                     const std::string& sonst2 = "")
    {
        prepare(letter, sonst1, sonst2);
        total = rep.QRPrinter->PageCount();
        return prepare(letter, sonst1, sonst2);
    }
};

int at(long double native)
{
    return static_cast<int>(Round(native * 96.0L / 254.0L));
}

// Line height of the message font on a recorded page, in tenths of a millimetre.
long double lineHeight()
{
    const auto f = zt::platform::FontService::instance().font("Courier New", 10, 96);
    return f->metrics().height / (96.0L / 254.0L);
}

// The page count the layout gives a message of n lines: the memo holds k0
// lines in its own height and the detail band grows line by line up to the
// footer's reserve; the enclosures' child band follows the message.
int expectedPages(int n)
{
    const long double lh = lineHeight();
    const long double band = 158.8L, memoHeight = 132.3L, child = 222.3L;
    const long double bottom = 2970 - 100 - 74.1L;
    const int k0 = static_cast<int>((memoHeight + 1) / lh);
    const auto growth = [&](long double top) {
        const long double available = static_cast<long double>(Round(bottom - top));
        int m = 0;
        while (Round(band + (m + 1) * lh) <= available)
            ++m;
        return m;
    };
    long double top = 50 + Round(1010.7L);
    int pages = 1, left = n;
    for (;;) {
        const int fits = k0 + growth(top);
        if (left <= fits)
            break;
        left -= fits;
        ++pages;
        top = 50;
    }
    const long double grown = std::max(0, left - k0) * lh;
    const long double after = top + Round(band + grown);
    if (Round(bottom - after) < Round(child))
        ++pages;
    return pages;
}

TEST(LetterPrintRules, ReturnAddressLineSkipsEmptyLinesButTheFirst)
{
    using zt::output::ReturnAddressLine;
    EXPECT_EQ(ReturnAddressLine({"Name", "", "Straße 1", "12345 Ort"}), "Name, Straße 1, 12345 Ort");
    EXPECT_EQ(ReturnAddressLine({"", "Name"}), ", Name");
    EXPECT_EQ(ReturnAddressLine({}), "");
    EXPECT_EQ(ReturnAddressLine({"Name"}), "Name");
}

TEST(LetterPrintRules, PreviewIsCentredAtNinetyBySixtyPercent)
{
    using zt::output::PreviewPlacementFor;
    const auto a = PreviewPlacementFor(1920, 1080);
    EXPECT_EQ((std::array{a.width, a.height, a.left, a.top}), (std::array{1152, 972, 384, 54}));
    const auto b = PreviewPlacementFor(1366, 768);
    EXPECT_EQ((std::array{b.width, b.height, b.left, b.top}), (std::array{820, 692, 273, 38}));
    const auto c = PreviewPlacementFor(1024, 768);
    EXPECT_EQ((std::array{c.width, c.height, c.left, c.top}), (std::array{615, 692, 204, 38}));
}

TEST_F(LetterPrint, OnePageLetterShowsItsPartsAtTheirPlaces)
{
    const auto pages = printed(sampleLetter(3));
    ASSERT_EQ(pages.size(), 1u);
    const PageContent& p = pages[0];
    const auto* sender = p.find("Erika Mustermann");
    ASSERT_NE(sender, nullptr);
    EXPECT_EQ(sender->x, at(250));
    EXPECT_EQ(sender->y, at(50 + 52.9L));
    EXPECT_EQ(sender->font.face, "Courier New");
    const auto* ret = p.find("Erika Mustermann, Hauptstraße 5, 12345 Musterstadt");
    ASSERT_NE(ret, nullptr);
    EXPECT_EQ(ret->y, at(50 + 396.9L));
    EXPECT_EQ(ret->font.face, "Arial");
    EXPECT_TRUE(ret->font.underline);
    EXPECT_EQ(p.find("Firma Beispiel GmbH")->y, at(50 + 444.5L));
    const auto* date = p.find("Musterstadt, 09.12.2026");
    ASSERT_NE(date, nullptr);
    EXPECT_EQ(date->x, at(250 + 1005.4L + 732.9L));
    EXPECT_EQ(date->align & 6u, 2u);  // right-aligned at the label's right edge
    EXPECT_EQ(p.find("Ihre Anfrage vom 1. Dezember")->font.weight, 700);
    EXPECT_EQ(p.find("Unser Zeichen: EM/42")->y, at(50 + 904.9L));
    EXPECT_EQ(p.find("Zeile 1")->y, at(1061 + 15.9L));
    const auto* footer = p.find("Seite 1 von 1");
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->y, at(2796 + 15.9L));
}

TEST_F(LetterPrint, RequestListRunsDownTheColumnsWithTickedMarksBold)
{
    const auto pages = printed(sampleLetter(1), "Weiterleitung");
    const std::vector<std::string> expected = {"Mit der Bitte um:",   "[X] Kenntnisnahme", "[ ] Kontrolle",
                                               "[ ] Rücknahme",       "[ ] Anruf/Rücksprache",
                                               "[X] Erledigung",      "[ ] Verbleib",      "[ ] Stellungnahme",
                                               "[ ] Entscheidung",    "[ ] Weiterleitung"};
    std::vector<std::string> list;
    int lastY = 0;
    for (const auto& t : pages[0].texts) {
        if (t.x < at(250 + 1338.8L) || t.y > at(50 + 500))
            continue;
        list.push_back(t.text);
        EXPECT_GT(t.y, lastY) << t.text;
        lastY = t.y;
        EXPECT_EQ(t.font.weight, t.text.starts_with("[X]") ? 700 : 400) << t.text;
    }
    EXPECT_EQ(list, expected);
}

TEST_F(LetterPrint, TheRequestListsOtherMarkWrapsOntoASecondLine)
{
    const auto pages = printed(sampleLetter(1), "Weiterleitung an Herrn Schmidt", "an die Buchhaltung weiter");
    const PageContent& p = pages[0];
    // Too long for one line inside the request box: the rest goes below, nothing is lost.
    ASSERT_NE(p.find("[ ] Weiterleitung "), nullptr);
    ASSERT_NE(p.find("an Herrn Schmidt"), nullptr);
    EXPECT_EQ(p.find("an Herrn Schmidt")->x, p.find("[ ] Weiterleitung ")->x);
    EXPECT_GT(p.find("an Herrn Schmidt")->y, p.find("[ ] Weiterleitung ")->y);
    // The enclosures' "other" mark sizes to its text and prints it whole.
    EXPECT_NE(p.find("[ ] an die Buchhaltung weiter"), nullptr);
}

TEST_F(LetterPrint, EmptySenderGivesAnEmptyReturnAddress)
{
    TLetterContent l = sampleLetter(1);
    l.absender.clear();
    const auto pages = printed(l);
    ASSERT_EQ(pages.size(), 1u);
    // The rest of the page is there; only the return-address line is not.
    ASSERT_NE(pages[0].find("Firma Beispiel GmbH"), nullptr);
    for (const auto& t : pages[0].texts) {
        EXPECT_NE(t.font.face, "Arial") << t.text;
        EXPECT_NE(t.y, at(50 + 396.9L)) << t.text;
    }
}

TEST_F(LetterPrint, ThePreparedRunShowsTheTotalHeldBefore)
{
    const auto first = prepare(sampleLetter(1));
    EXPECT_NE(first[0].find("Seite 1 von 0"), nullptr);
    total = 1;
    const auto second = prepare(sampleLetter(1));
    EXPECT_NE(second[0].find("Seite 1 von 1"), nullptr);
}

TEST_F(LetterPrint, LettersOfEveryLengthPrintEveryLineOnceWithPageLinesAndMarks)
{
    for (int n : {0, 1, 3, 4, 40, 41, 42, 45, 60, 100, 108, 109, 150, 177, 178, 200, 260}) {
        SCOPED_TRACE("message lines: " + std::to_string(n));
        const auto pages = printed(sampleLetter(n));
        ASSERT_EQ(static_cast<int>(pages.size()), expectedPages(n));
        const int count = static_cast<int>(pages.size());
        int next = 1;
        bool enclosures = false;
        for (int k = 0; k < count; ++k) {
            const PageContent& p = pages[static_cast<std::size_t>(k)];
            EXPECT_EQ(p.strings().back(), "Seite " + std::to_string(k + 1) + " von " + std::to_string(count));
            ASSERT_EQ(p.lines.size(), 2u);
            EXPECT_EQ(p.lines[0].y1, at(862.5L + 17.2L));
            EXPECT_EQ(p.lines[1].y1, at(1457.9L + 17.2L));
            EXPECT_EQ(p.find("Erika Mustermann") != nullptr, k == 0);
            bool first = true;
            for (const auto& t : p.texts) {
                if (t.text == "Anlagen:")
                    enclosures = true;
                if (!t.text.starts_with("Zeile "))
                    continue;
                EXPECT_FALSE(enclosures) << "message after the enclosures";
                EXPECT_EQ(t.text, "Zeile " + std::to_string(next));
                if (first && k > 0) {
                    EXPECT_EQ(t.y, at(50 + 15.9L)) << "continuation";
                }
                EXPECT_LT(t.y, at(2970 - 100 - 74.1L));
                first = false;
                ++next;
            }
        }
        EXPECT_EQ(next, n + 1);
        EXPECT_TRUE(enclosures);
    }
}

TEST_F(LetterPrint, HostileContentPrintsFinitely)
{
    TLetterContent l = sampleLetter(100000);
    // A word wider than the memo is cut to what fits on its line.
    l.mitteilung.push_back(std::string(1 << 20, 'x'));
    l.mitteilung.push_back(std::string("\x01\x02\x1b\t\r\x7f", 6));
    // Boxes overfilled by a file written elsewhere print what fits their height.
    for (int i = 0; i < 12; ++i)
        l.absender.push_back("Zusatzzeile " + std::to_string(i));
    const auto pages = prepare(l);
    EXPECT_EQ(static_cast<int>(pages.size()), expectedPages(100002) );
    EXPECT_NE(pages[0].find("Erika Mustermann"), nullptr);
    EXPECT_EQ(pages[0].find("Zusatzzeile 11"), nullptr);
    EXPECT_NE(pages.back().find("Seite " + std::to_string(pages.size()) + " von 0"), nullptr);
}

// Every field the description names reaches the page and the plain text:
// on a line of its own, or as the label of the tick mark it names.
TEST_F(LetterPrint, EveryFieldAndTickMarkOfTheDescriptionIsPrintedAndInThePlainText)
{
    TLetterContent l = sampleLetter(2);
    for (const zt::files::TLetterFieldInfo& f : zt::files::kLetterFields)
        l.*f.text = std::string("Feld ") + f.fileKey;
    const auto labels = zt::output::TickMarkLabels(l);
    form->LetterSource = [&] { return zt::output::DesignPrintSource(l, labels); };
    form->PageTotal = [] { return 1; };
    rep.Prepare();
    ASSERT_EQ(rep.QRPrinter->PageCount(), 1);
    const PageContent page = readPageContent(*rep.QRPrinter->GetPage(1));
    const std::vector<std::string> text = zt::output::PlainTextLines(l, labels);
    const auto inText = [&](const std::string& s) {
        return std::any_of(text.begin(), text.end(),
                           [&](const std::string& line) { return line.find(s) != std::string::npos; });
    };
    for (const zt::files::TLetterFieldInfo& f : zt::files::kLetterFields) {
        SCOPED_TRACE(f.fileKey);
        const std::string value = l.*f.text;
        const bool namesAMark =
            std::any_of(zt::files::kTickMarks.begin(), zt::files::kTickMarks.end(),
                        [&](const auto& m) { return m.labelledByField && m.labelField == f.field; });
        EXPECT_TRUE(namesAMark ? page.find("[ ] " + value) != nullptr : page.find(value) != nullptr);
        EXPECT_TRUE(inText(value));
    }
    for (const zt::files::TTickMarkInfo& m : zt::files::kTickMarks) {
        SCOPED_TRACE(m.number);
        const std::string shown = zt::output::TickMarkText(l.marks[static_cast<std::size_t>(m.number)],
                                                           labels[static_cast<std::size_t>(m.number)]);
        EXPECT_NE(page.find(shown), nullptr);
        EXPECT_TRUE(inText(shown));
        if (!m.labelledByField) {
            EXPECT_EQ(labels[static_cast<std::size_t>(m.number)], m.caption);
        }
    }
}

} // namespace
