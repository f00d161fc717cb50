// The personal word list file as the program reads it at start: any bytes
// must load without a fault, every word of it must then pass the checker
// (whatever the dictionary says), and a word added afterwards must be found
// again when the file is read anew.

#include "spelling/PersonalWordList.h"
#include "spelling/SpellChecker.h"
#include "platform/text/Utf.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// A dictionary that knows no word: only the personal list passes words.
class NoWords final : public zt::spelling::IWordCheck {
public:
    bool spell(const std::string&) override { return false; }
    std::vector<std::string> suggest(const std::string&) override { return {}; }
};

// The list's file in a folder of the process, gone with it.
struct ScratchFile {
    ScratchFile()
    {
        char name[] = "/tmp/zt-fuzz-wordlist-XXXXXX";
        if (::mkdtemp(name) == nullptr)
            std::abort();
        dir = name;
        file = dir + "/" + zt::spelling::kPersonalWordListName;
    }
    ~ScratchFile() { std::filesystem::remove_all(dir); }
    std::string dir, file;
};

const std::string& path()
{
    static const ScratchFile scratch;
    return scratch.file;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // The user's own words: a list of this size is already far beyond any real one.
    if (size > 64 * 1024)
        return 0;
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    {
        std::ofstream out(path(), std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        if (!out.flush())
            std::abort();
    }
    zt::spelling::TPersonalWordList list(path());
    list.Load();
    std::size_t lines = 0;
    for (const char c : bytes)
        lines += c == '\n';
    if (list.Size() > lines + 1)
        std::abort();

    // Every word of valid UTF-8 in the file passes as the finder hands it on.
    zt::spelling::TSpellChecker checker(std::make_shared<NoWords>(), &list);
    const std::u16string text = zt::platform::text::utf8ToUtf16(bytes);
    for (const zt::spelling::TWordSpan& span : checker.Misspelt(text)) {
        const std::string word = zt::platform::text::utf16ToUtf8(std::u16string_view(text).substr(span.start, span.length));
        if (list.Contains(word))
            std::abort();
    }

    // A word added goes to the file, and the file read again holds it.
    const std::string added = "Zettelwort";
    checker.AddToPersonal(added);
    if (!checker.IsCorrect(added))
        std::abort();
    zt::spelling::TPersonalWordList again(path());
    again.Load();
    if (!again.Contains(added) || again.Size() < list.Size())
        std::abort();
    return 0;
}
