#pragma once
// What a reader found, held back until the reading is over: the window takes
// it as a whole (or, when the reading failed, not at all) and fills each
// block in one step instead of line by line.

#include "files/LetterContent.h"
#include "files/LetterFields.h"

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace zt::files {

class TLetterBuffer final : public TLetterSink {
public:
    void ClearBlock(TLetterBlock block) override;
    // The readers empty a block before they fill it; a block that was only
    // appended to is replaced all the same.
    void AppendLine(TLetterBlock block, std::string line) override;
    void SetMark(int n, bool ticked) override;
    void SetField(TLetterField field, const std::string& text) override;

    // What the reader put in; nullopt for what it did not reach.
    const std::optional<std::vector<std::string>>& Block(TLetterBlock block) const;
    std::optional<bool> Mark(int n) const;
    const std::optional<std::string>& Field(TLetterField field) const;
    // All of it as a letter, empty where the reader did not reach.
    TLetterContent Content() const;
    // The same, the lines handed over instead of copied; the buffer is spent.
    TLetterContent TakeContent() &&;

private:
    std::array<std::optional<std::vector<std::string>>, kLetterBlockCount> blocks_;
    std::array<std::optional<bool>, kTickMarkCount + 1> marks_;
    std::array<std::optional<std::string>, kLetterFieldCount> fields_;
};

} // namespace zt::files
