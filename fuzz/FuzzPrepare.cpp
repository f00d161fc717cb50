// A letter file read as Open reads it, then printed: Prepare of the letter's
// report must end with pages, never crash or hang, whatever the letter holds.

#include "FuzzErrors.h"
#include "files/LetterBuffer.h"
#include "files/LetterFile.h"
#include "output/LetterBoxes.h"
#include "output/LetterPrint.h"
#include "output/uFrmReport.h"
#include "pages/QRPrinter.h"
#include "platform/text/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

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
    const zt::files::TLetterContent letter = buffer.Content();
    const zt::output::TMarkLabels labels = zt::output::TickMarkLabels(letter);
    zt::output::TfrmReport form;
    form.LetterSource = [&] { return zt::output::DesignPrintSource(letter, labels); };
    form.PageTotal = [] { return 1; };
    form.BandoriaRep1->Prepare();
    if (form.BandoriaRep1->QRPrinter == nullptr || form.BandoriaRep1->QRPrinter->PageCount() < 1)
        __builtin_trap();
    return 0;
}
