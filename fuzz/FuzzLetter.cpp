// Letter files as Open and "Öffnen alte Version..." read them: any bytes
// must give a letter or a clean ELetterFileError, never a crash.

#include "FuzzErrors.h"
#include "files/LetterFile.h"
#include "files/OldLetterFiles.h"
#include "platform/text/TextFile.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace {

class NullSink final : public zt::files::TLetterSink {
public:
    void ClearBlock(zt::files::TLetterBlock) override {}
    void AppendLine(zt::files::TLetterBlock, std::string line) override { bytes += line.size(); }
    void SetMark(int, bool) override {}
    void SetField(zt::files::TLetterField, const std::string& text) override { bytes += text.size(); }
    std::size_t bytes = 0;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    NullSink sink;
    const auto text = zt::platform::text::decodeText(bytes);
    try {
        zt::files::ReadLetterFile(zt::files::TLetterFileReader(zt::platform::text::splitLines(text.text)), sink);
    } catch (const std::exception& e) {
        zt::fuzz::acceptInputError(e);
    }
    try {
        switch (zt::files::DetectOldLayout(bytes)) {
        case zt::files::TOldLayout::Sectioned: zt::files::ReadSectionedLetter(bytes, sink); break;
        case zt::files::TOldLayout::FixedRecords: zt::files::ReadFixedRecordLetter(bytes, sink); break;
        case zt::files::TOldLayout::None: break;
        }
    } catch (const std::exception& e) {
        zt::fuzz::acceptInputError(e);
    }
    zt::files::SplitCommaText(bytes);
    return 0;
}
