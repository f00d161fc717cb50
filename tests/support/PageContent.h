#pragma once
// Reads back what a recorded page shows: every text output with its
// reference point, alignment and font, and every line drawn. Written from the
// record layouts alone, so a test does not read pages with the code that
// recorded them.

#include "platform/gdi/EmfReader.h"
#include "platform/gdi/EmfRecords.h"
#include "platform/text/Utf.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace zt::testing {

struct PageFont {
    std::string face;
    int height = 0;
    int weight = 0;
    bool underline = false;
};

struct PageText {
    int x = 0, y = 0;
    std::uint32_t align = 0;
    std::string text;
    PageFont font;
};

struct PageLine {
    int x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

// A bitmap drawn on the page: where it lands and its own size.
struct PagePicture {
    int x = 0, y = 0, width = 0, height = 0;
    int bitmapWidth = 0, bitmapHeight = 0;
};

struct PageContent {
    std::vector<PageText> texts;
    std::vector<PageLine> lines;
    int rectangles = 0;
    int pictures = 0;
    std::vector<PagePicture> pictureBoxes;

    // The texts in record order, as strings.
    std::vector<std::string> strings() const
    {
        std::vector<std::string> out;
        for (const PageText& t : texts)
            out.push_back(t.text);
        return out;
    }
    const PageText* find(const std::string& text) const
    {
        for (const PageText& t : texts)
            if (t.text == text)
                return &t;
        return nullptr;
    }
};

inline PageContent readPageContent(const platform::gdi::TMetafile& page)
{
    using namespace platform::gdi;
    PageContent out;
    const EmfRecordList list = readEmfRecords(page.Bytes());
    std::map<std::uint32_t, PageFont> fonts;
    PageFont current;
    std::uint32_t align = 0;
    int curX = 0, curY = 0;
    for (const EmfRecordView& r : list.records) {
        switch (r.type()) {
        case EMR_EXTCREATEFONTINDIRECTW: {
            PageFont f;
            f.height = r.i32(12);
            f.weight = r.i32(28);
            f.underline = r.u8(33) != 0;
            std::u16string face;
            for (std::uint32_t i = 0; i < 32; ++i) {
                const char16_t c = r.u16(40 + 2 * i);
                if (c == 0)
                    break;
                face += c;
            }
            f.face = platform::text::utf16ToUtf8(face);
            fonts[r.u32(8)] = f;
            break;
        }
        case EMR_SELECTOBJECT:
            if (const auto it = fonts.find(r.u32(8)); it != fonts.end())
                current = it->second;
            break;
        case EMR_SETTEXTALIGN:
            align = r.u32(8);
            break;
        case EMR_EXTTEXTOUTW: {
            PageText t;
            t.x = r.i32(36);
            t.y = r.i32(40);
            t.align = align;
            t.font = current;
            if (const auto s = textOf(r, 36, true))
                t.text = platform::text::utf16ToUtf8(*s);
            out.texts.push_back(t);
            break;
        }
        case EMR_MOVETOEX:
            curX = r.i32(8);
            curY = r.i32(12);
            break;
        case EMR_LINETO:
            out.lines.push_back({curX, curY, r.i32(8), r.i32(12)});
            curX = r.i32(8);
            curY = r.i32(12);
            break;
        case EMR_RECTANGLE:
            ++out.rectangles;
            break;
        case EMR_STRETCHDIBITS:
            ++out.pictures;
            out.pictureBoxes.push_back({r.i32(24), r.i32(28), r.i32(72), r.i32(76), r.i32(40), r.i32(44)});
            break;
        default:
            break;
        }
    }
    return out;
}

} // namespace zt::testing
