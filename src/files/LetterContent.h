#pragma once
// The letter as the file readers and writers see it: its three blocks, its
// fifteen tick marks (numbered 1-15) and its single-line fields (what each
// one is, files/LetterFields.h describes). The
// letter itself lives in the window; readers hand what they find to a sink
// step by step, and stop where the file falls short. The window collects the
// steps first (TLetterBuffer) and takes them only from a read it accepts.

#include "platform/core/PlatformError.h"

#include <array>
#include <string>
#include <vector>

namespace zt::files {

enum class TLetterBlock { Absender, Anschrift, Mitteilung };
enum class TLetterField {
    Titel1,
    Titel2,
    Sonst1,
    Sonst2,
    Datum,
#ifdef ZT_TEST_EXTRA_FIELD
    Aktenzeichen, // only in the test build that adds a field
#endif
};

inline constexpr int kTickMarkCount = 15;

struct TLetterContent {
    std::vector<std::string> absender, anschrift, mitteilung; // lines as displayed
    std::array<bool, kTickMarkCount + 1> marks{};              // index 1-15
    std::string titel1, titel2, sonst1, sonst2, datum;
#ifdef ZT_TEST_EXTRA_FIELD
    std::string aktenzeichen;
#endif
};

class TLetterSink {
public:
    virtual ~TLetterSink() = default;
    virtual void ClearBlock(TLetterBlock block) = 0;
    // By value: a reader that owns its lines hands them over without a copy.
    virtual void AppendLine(TLetterBlock block, std::string line) = 0;
    virtual void SetMark(int n, bool ticked) = 0;
    virtual void SetField(TLetterField field, const std::string& text) = 0;
};

// A letter file that does not hold what its layout promises: damaged input.
class ELetterFileError : public platform::PlatformError {
public:
    explicit ELetterFileError(const std::string& message)
        : PlatformError(platform::ErrorKind::DamagedInput, message)
    {
    }
};

} // namespace zt::files
