#include "output/LetterBoxes.h"

#include "files/LetterFields.h"
#include "platform/core/WinMath.h"
#include "platform/gdi/Metafile.h"

namespace zt::output {

platform::LogFont BoxFont()
{
    platform::LogFont f;
    f.face = "Courier New";
    f.height = platform::pointsToLogicalHeight(10, platform::gdi::kScreenPixelsPerInch);
    f.weight = platform::kFwNormal;
    return f;
}

const char* TickMarkCaption(int n)
{
    return n >= 1 && n <= files::kTickMarkCount ? files::TickMarkInfo(n).caption : "";
}

TMarkLabels TickMarkLabels(const files::TLetterContent& letter)
{
    TMarkLabels labels;
    for (const files::TTickMarkInfo& m : files::kTickMarks)
        labels[static_cast<std::size_t>(m.number)] = files::TickMarkLabel(m, letter);
    return labels;
}

const TBoxDesign& BlockBox(files::TLetterBlock block)
{
    switch (block) {
    case files::TLetterBlock::Absender: return kAbsenderBox;
    case files::TLetterBlock::Anschrift: return kAnschriftBox;
    case files::TLetterBlock::Mitteilung: return kMitteilungBox;
    }
    return kMitteilungBox;
}

} // namespace zt::output
