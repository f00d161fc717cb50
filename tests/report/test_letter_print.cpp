// The printed letter: the fill step, the page line and the pages a run
// records, read back from the recorded pages.

#include "output/LetterPrint.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"
#include "platform/fonts/FontService.h"
#include "support/PageContent.h"

#include <gtest/gtest.h>

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

TEST_F(LetterPrint, OnePageLetterShowsItsPartsAtTheirPlaces)
{
    const auto pages = printed(sampleLetter(3));
    ASSERT_EQ(pages.size(), 1u);
    const PageContent& p = pages[0];
    for (const auto& s : p.strings())
        std::printf("'%s'\n", s.c_str());
}

} // namespace
