// Address lists of a mail merge, CSV and vCard: any bytes must give a list
// or a clean EAddressListError, never a crash; a list read fills a letter
// with placeholders for every record without failing otherwise.

#include "FuzzErrors.h"
#include "merge/CsvList.h"
#include "merge/MergeTemplate.h"
#include "merge/VCardList.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::string text = zt::merge::DecodeListText(bytes);
    for (const bool vcard : {false, true}) {
        try {
            const zt::merge::TAddressList list =
                vcard ? zt::merge::ReadVCards(text, "fuzz") : zt::merge::ReadCsv(text, "fuzz");
            zt::output::TWindowlessLetter letter;
            letter.content.mitteilung = {"{Name} «Vorname», {Ort}"};
            for (const std::string& c : list.columns)
                letter.content.titel1 += "{" + c + "}";
            const zt::merge::TMergeTemplate templ(letter, list.columns);
            int n = 0;
            for (const auto& record : list.records)
                (void)zt::merge::SafeFileStem(templ.Fill(record, ++n).fileStem);
        } catch (const std::exception& e) {
            zt::fuzz::acceptInputError(e);
        }
    }
    try {
        (void)zt::merge::ReadAddressList(bytes, "fuzz");
    } catch (const std::exception& e) {
        zt::fuzz::acceptInputError(e);
    }
    return 0;
}
