// Address lists as spreadsheets and address books write them.

#include "merge/AddressList.h"
#include "merge/CsvList.h"
#include "merge/VCardList.h"

#include <gtest/gtest.h>

using namespace zt::merge;

namespace {

std::vector<std::string> values(const TAddressList& list, std::size_t record)
{
    return list.records.at(record).values;
}

std::string errorOf(std::string_view bytes)
{
    try {
        ReadAddressList(bytes, "liste.csv");
    } catch (const EAddressListError& e) {
        return e.what();
    }
    return {};
}

TEST(CsvLists, TheSeparatorComesFromTheHeader)
{
    EXPECT_EQ(DetectSeparator("Anrede;Name;Ort"), ';');
    EXPECT_EQ(DetectSeparator("Anrede,Name,Ort"), ',');
    EXPECT_EQ(DetectSeparator("Anrede\tName\tOrt"), '\t');
    EXPECT_EQ(DetectSeparator("\"Name, Vorname\";Ort"), ';'); // commas inside quotes do not count
    EXPECT_EQ(DetectSeparator("Name"), ';');
}

TEST(CsvLists, QuotesDoubledQuotesAndLineBreaksInsideFields)
{
    const TAddressList list = ReadAddressList("Name,Firma,Ort\r\n\"Muster, Erika\",\"ACME \"\"Intl\"\"\",Berlin\r\n"
                                              "\"zwei\r\nZeilen\",x,\r\n\r\nletzte,y,z",
                                              "liste.csv");
    EXPECT_EQ(list.columns, (std::vector<std::string>{"Name", "Firma", "Ort"}));
    ASSERT_EQ(list.records.size(), 3u);
    EXPECT_EQ(values(list, 0), (std::vector<std::string>{"Muster, Erika", "ACME \"Intl\"", "Berlin"}));
    EXPECT_EQ(values(list, 1), (std::vector<std::string>{"zwei\nZeilen", "x", ""}));
    EXPECT_EQ(list.records[1].line, 3);
    EXPECT_EQ(list.records[2].line, 6); // the empty line between is skipped, not counted as a record
}

TEST(CsvLists, EncodingsAsSpreadsheetsWriteThem)
{
    // Windows-1252, UTF-8 with and without a byte-order mark.
    for (const std::string& bytes : {std::string("Stra\xdf" "e;Ort\r\nHauptstra\xdf" "e;K\xf6ln\r\n"),
                                    std::string("\xEF\xBB\xBFStraße;Ort\nHauptstraße;Köln\n"),
                                    std::string("Straße;Ort\nHauptstraße;Köln")}) {
        const TAddressList list = ReadAddressList(bytes, "liste.csv");
        EXPECT_EQ(list.columns[0], "Straße");
        ASSERT_EQ(list.records.size(), 1u);
        EXPECT_EQ(values(list, 0), (std::vector<std::string>{"Hauptstraße", "Köln"}));
    }
}

TEST(CsvLists, DamagedListsSayWhatAndWhere)
{
    EXPECT_NE(errorOf("Name;Ort\nMuster;Köln\n\"offen;Berlin\nweiter\n").find("Zeile 3"), std::string::npos);
    EXPECT_NE(errorOf("").find("leer"), std::string::npos);
    EXPECT_NE(errorOf(std::string("PK\x03\x04\0\0", 6)).find("weder eine CSV- noch eine vCard-Datei"), std::string::npos);
}

TEST(CsvLists, RecordsThatDoNotLineUpWithTheHeaderStopTheList)
{
    // A stray quote that a later quoted field closes glues two recipients.
    EXPECT_EQ(errorOf("Anrede;Name;Ort\nHerr;\"Meier;Bonn\nFrau;Schulz;\"K\xc3\xb6ln\"\nHerr;Lang;Ulm\n"),
              "Die Adressliste \"liste.csv\" ist beschädigt: das Anführungszeichen in Zeile 2 schließt erst in "
              "Zeile 3; dazwischen stehen Zeilenumbrüche und Trennzeichen, und der Datensatz passt nicht mehr zur "
              "Kopfzeile.");
    // An unquoted comma in a comma list shifts every column.
    EXPECT_EQ(errorOf("Name,Strasse,Ort\nMax Muster,Weg 1,Bonn\nM\xc3\xbcller, Hans,Weg 2,Köln\n"),
              "Die Adressliste \"liste.csv\" ist beschädigt: Zeile 3 hat 4 Felder, die Kopfzeile nur 3.");
    // Fields left out at the end, empty ones beyond the header and a
    // quoted address over two lines that lines up are all fine.
    const TAddressList list = ReadAddressList(
        "Name;Strasse;Ort\nA\nB;Weg 1;Bonn;;\n\"C\";\"Weg 2;\nHinterhaus\";K\xc3\xb6ln\n", "liste.csv");
    ASSERT_EQ(list.records.size(), 3u);
    EXPECT_EQ(values(list, 0), (std::vector<std::string>{"A", "", ""}));
    EXPECT_EQ(values(list, 1), (std::vector<std::string>{"B", "Weg 1", "Bonn"}));
    EXPECT_EQ(values(list, 2), (std::vector<std::string>{"C", "Weg 2;\nHinterhaus", "Köln"}));
}

TEST(CsvLists, ColumnsAreFoundWithoutRegardToCase)
{
    const std::vector<std::string> columns{"Anrede", "STRASSE", "Straße", " Ort "};
    EXPECT_EQ(FindColumn(columns, "anrede"), 0u);
    EXPECT_EQ(FindColumn(columns, "STRAßE"), 2u);
    EXPECT_EQ(FindColumn(columns, "ort"), 3u);
    EXPECT_FALSE(FindColumn(columns, "PLZ"));
}

TEST(VCards, ThreeAndFourAsAddressBooksExportThem)
{
    const std::string cards = "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Muster;Erika;;Frau Dr.;\r\nFN:Dr. Erika Muster\r\n"
                              "ORG:Beispiel GmbH;Einkauf\r\nTITLE:Sachbearbeiterin\r\n"
                              "ADR;TYPE=home:;;Privatweg 9;Potsdam;;14467;\r\n"
                              "ADR;TYPE=work:;;Am Markt 1\\, Hinter\r\n haus;Berlin;;10115;Deutschland\r\nEND:VCARD\r\n"
                              "BEGIN:VCARD\nVERSION:4.0\nFN:Anna Groß\nGENDER:F\nADR:;;Weg 2;Wien;;1010;Österreich\n"
                              "END:VCARD\n";
    const TAddressList list = ReadAddressList(cards, "adressen.vcf");
    EXPECT_EQ(list.columns, VCardColumns());
    ASSERT_EQ(list.records.size(), 2u);
    EXPECT_EQ(values(list, 0), (std::vector<std::string>{"Frau", "Dr.", "Erika", "Muster", "Beispiel GmbH",
                                                          "Sachbearbeiterin", "Am Markt 1, Hinterhaus", "10115",
                                                          "Berlin", "Deutschland"}));
    EXPECT_EQ(values(list, 1), (std::vector<std::string>{"Frau", "", "Anna", "Groß", "", "", "Weg 2", "1010", "Wien",
                                                          "Österreich"}));
    EXPECT_EQ(list.records[1].line, 11); // a folded line counts as a line of the file
}

TEST(VCards, TwoOneWithQuotedPrintableUmlauts)
{
    const std::string cards = "BEGIN:VCARD\r\nVERSION:2.1\r\n"
                              "N;ENCODING=QUOTED-PRINTABLE;CHARSET=UTF-8:M=C3=BCller;J=C3=BC=\r\nrgen;;Herr\r\n"
                              "ADR;WORK;QUOTED-PRINTABLE;CHARSET=ISO-8859-1:;;Stra=DFe 1;K=F6ln;;50667;\r\nEND:VCARD\r\n";
    const TAddressList list = ReadAddressList(cards, "alt.vcf");
    ASSERT_EQ(list.records.size(), 1u);
    EXPECT_EQ(values(list, 0), (std::vector<std::string>{"Herr", "", "Jürgen", "Müller", "", "", "Straße 1", "50667",
                                                          "Köln", ""}));
}

TEST(VCards, ACardThatNeverEndsIsDamaged)
{
    try {
        ReadAddressList("BEGIN:VCARD\nVERSION:4.0\nFN:A\nEND:VCARD\nBEGIN:VCARD\nFN:B\n", "kaputt.vcf");
        FAIL();
    } catch (const EAddressListError& e) {
        EXPECT_NE(std::string(e.what()).find("ab Zeile 5"), std::string::npos) << e.what();
    }
}

} // namespace
