// A letter file read as Open reads it, then printed: Prepare of the letter's
// report must end with pages, never crash or hang, whatever the letter holds.

#include "FuzzErrors.h"
#include "files/LetterBuffer.h"
#include "files/LetterFile.h"
#include "output/LetterPrint.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"
#include "platform/text/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

zt::files::TLetterContent contentOf(const zt::files::TLetterBuffer& buffer)
{
    using namespace zt::files;
    TLetterContent c;
    const auto block = [&](TLetterBlock b) { return buffer.Block(b).value_or(std::vector<std::string>{}); };
    const auto field = [&](TLetterField f) { return buffer.Field(f).value_or(std::string{}); };
    c.absender = block(TLetterBlock::Absender);
    c.anschrift = block(TLetterBlock::Anschrift);
    c.mitteilung = block(TLetterBlock::Mitteilung);
    for (int n = 1; n <= kTickMarkCount; ++n)
        c.marks[static_cast<std::size_t>(n)] = buffer.Mark(n).value_or(false);
    c.titel1 = field(TLetterField::Titel1);
    c.titel2 = field(TLetterField::Titel2);
    c.sonst1 = field(TLetterField::Sonst1);
    c.sonst2 = field(TLetterField::Sonst2);
    c.datum = field(TLetterField::Datum);
    return c;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // Bounded so one input stays a unit of work: a real letter is far smaller.
    if (size > 256 * 1024)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    zt::files::TLetterBuffer buffer;
    try {
        const auto text = zt::platform::text::decodeText(bytes);
        zt::files::ReadLetterFile(zt::files::TLetterFileReader(zt::platform::text::splitLines(text.text)), buffer);
    } catch (const std::exception& e) {
        zt::fuzz::acceptInputError(e);
    }
    const zt::files::TLetterContent letter = contentOf(buffer);
    std::array<std::string, zt::files::kTickMarkCount + 1> labels;
    labels[9] = letter.sonst1;
    labels[15] = letter.sonst2;
    zt::output::TfrmReport form;
    form.LetterSource = [&] { return zt::output::DesignPrintSource(letter, labels); };
    form.PageTotal = [] { return 1; };
    form.BandoriaRep1->Prepare();
    if (form.BandoriaRep1->QRPrinter == nullptr || form.BandoriaRep1->QRPrinter->PageCount() < 1)
        __builtin_trap();
    return 0;
}
