// A recovery copy left in the state folder as the next start finds it: any
// letter file and name file must give an offered copy whose letter reads
// and whose name is one line of valid UTF-8, or a copy set aside with its
// reason, never a crash.
//
// Input: a flag byte (bit 0: the name file is there), two bytes of the name
// file's length, the name file, then the letter file.

#include "files/LetterBuffer.h"
#include "files/LetterFile.h"
#include "files/RecoveryStore.h"
#include "platform/text/Utf.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

// One folder for the process, gone with it; each input's files are removed after it.
struct ScratchFolder {
    ScratchFolder()
    {
        char name[] = "/tmp/zt-fuzz-recovery-XXXXXX";
        if (::mkdtemp(name) == nullptr)
            std::abort();
        dir = std::string(name) + "/";
    }
    ~ScratchFolder() { std::filesystem::remove_all(dir); }
    std::string dir;
};

const std::string& folder()
{
    static const ScratchFolder scratch;
    return scratch.dir;
}

void put(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    // A recovery copy is a letter the program wrote: far smaller than this.
    if (size > 256 * 1024)
        return 0;
    std::string_view in(reinterpret_cast<const char*>(data), size);
    const bool withName = !in.empty() && (in[0] & 1);
    in.remove_prefix(std::min<std::size_t>(1, in.size()));
    std::size_t nameSize = 0;
    if (in.size() >= 2)
        nameSize = static_cast<std::uint8_t>(in[0]) | static_cast<std::size_t>(static_cast<std::uint8_t>(in[1])) << 8;
    in.remove_prefix(std::min<std::size_t>(2, in.size()));
    nameSize = std::min(nameSize, in.size());
    const std::string base = folder() + "kopie-0-0";
    if (withName)
        put(base + ".datei", in.substr(0, nameSize));
    put(base + ".ZLW", in.substr(nameSize));

    zt::files::TRecoveryStore store(folder());
    std::string problems;
    if (auto copy = store.TakeOrphan(&problems)) {
        if (!problems.empty())
            std::abort();
        zt::files::TLetterBuffer buffer;
        zt::files::ReadLetterFile(zt::files::TLetterFileReader(copy->Lines()), buffer);
        const std::string& name = copy->CurrentFile();
        if (!zt::platform::text::isValidUtf8(name) || name.find_first_of("\r\n") != std::string::npos)
            std::abort();
        copy->Discard();
    } else if (problems.empty()) {
        std::abort(); // a copy that is there is offered or set aside with a reason
    }
    for (const char* file : {"kopie-0-0.ZLW", "kopie-0-0.datei", "kopie-0-0.lock", "letzte-Sicherung.ZLW",
                             "letzte-Sicherung.datei", "unlesbare-Sicherung.ZLW", "unlesbare-Sicherung.datei"})
        ::unlink((folder() + file).c_str());
    return 0;
}
