#include "export/QRPDFArchive.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <cstring>

namespace zt::exporting {

TPDFDates PdfDates(std::time_t when)
{
    std::tm local{};
    localtime_r(&when, &local);
    char pdf[48], xmp[48];
    std::strftime(pdf, sizeof pdf, "D:%Y%m%d%H%M%S", &local);
    std::strftime(xmp, sizeof xmp, "%Y-%m-%dT%H:%M:%S", &local);
    const long offset = local.tm_gmtoff / 60;
    if (offset == 0)
        return {std::string(pdf) + "Z", std::string(xmp) + "Z"};
    const long magnitude = offset < 0 ? -offset : offset;
    char zonePdf[32], zoneXmp[32];
    std::snprintf(zonePdf, sizeof zonePdf, "%c%02ld'%02ld'", offset < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
    std::snprintf(zoneXmp, sizeof zoneXmp, "%c%02ld:%02ld", offset < 0 ? '-' : '+', magnitude / 60, magnitude % 60);
    return {std::string(pdf) + zonePdf, std::string(xmp) + zoneXmp};
}

namespace {

std::string xml(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            // Control characters other than tab and line ends are not XML.
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n' && c != '\r')
                out += ' ';
            else
                out += c;
        }
    }
    return out;
}

std::string alt(const char* property, const std::string& value)
{
    // Appended piece by piece: GCC 12 misreads "<" + std::string as overlapping at -O3.
    std::string out = "<";
    out += property;
    out += "><rdf:Alt><rdf:li xml:lang=\"x-default\">";
    out += xml(value);
    out += "</rdf:li></rdf:Alt></";
    out += property;
    out += '>';
    return out;
}

} // namespace

std::vector<std::string> PdfXmpLines(const TPDFDocumentInfo& info)
{
    std::vector<std::string> lines;
    lines.push_back("<?xpacket begin=\"\xEF\xBB\xBF\" id=\"W5M0MpCehiHzreSzNTczkc9d\"?>");
    lines.push_back("<x:xmpmeta xmlns:x=\"adobe:ns:meta/\">");
    lines.push_back("<rdf:RDF xmlns:rdf=\"http://www.w3.org/1999/02/22-rdf-syntax-ns#\">");
    lines.push_back("<rdf:Description rdf:about=\"\"");
    lines.push_back(" xmlns:dc=\"http://purl.org/dc/elements/1.1/\"");
    lines.push_back(" xmlns:xmp=\"http://ns.adobe.com/xap/1.0/\"");
    lines.push_back(" xmlns:pdf=\"http://ns.adobe.com/pdf/1.3/\"");
    if (info.claims) {
        lines.push_back(" xmlns:pdfaid=\"http://www.aiim.org/pdfa/ns/id/\"");
        lines.push_back(" xmlns:pdfuaid=\"http://www.aiim.org/pdfua/ns/id/\"");
        lines.push_back(" xmlns:pdfaExtension=\"http://www.aiim.org/pdfa/ns/extension/\"");
        lines.push_back(" xmlns:pdfaSchema=\"http://www.aiim.org/pdfa/ns/schema#\"");
        lines.push_back(" xmlns:pdfaProperty=\"http://www.aiim.org/pdfa/ns/property#\"");
    }
    lines.push_back(">");
    lines.push_back("<dc:format>application/pdf</dc:format>");
    lines.push_back(alt("dc:title", info.title));
    if (!info.author.empty())
        lines.push_back("<dc:creator><rdf:Seq><rdf:li>" + xml(info.author) + "</rdf:li></rdf:Seq></dc:creator>");
    if (!info.subject.empty())
        lines.push_back(alt("dc:description", info.subject));
    lines.push_back("<dc:language><rdf:Bag><rdf:li>de-DE</rdf:li></rdf:Bag></dc:language>");
    if (!info.creator.empty())
        lines.push_back("<xmp:CreatorTool>" + xml(info.creator) + "</xmp:CreatorTool>");
    if (!info.created.xmp.empty()) {
        lines.push_back("<xmp:CreateDate>" + info.created.xmp + "</xmp:CreateDate>");
        lines.push_back("<xmp:ModifyDate>" + info.created.xmp + "</xmp:ModifyDate>");
        lines.push_back("<xmp:MetadataDate>" + info.created.xmp + "</xmp:MetadataDate>");
    }
    lines.push_back("<pdf:Producer>" + xml(info.producer) + "</pdf:Producer>");
    if (!info.keywords.empty())
        lines.push_back("<pdf:Keywords>" + xml(info.keywords) + "</pdf:Keywords>");
    if (info.claims) {
        lines.push_back("<pdfaid:part>2</pdfaid:part>");
        lines.push_back("<pdfaid:conformance>U</pdfaid:conformance>");
        lines.push_back("<pdfuaid:part>1</pdfuaid:part>");
        // The archive format knows its own schemas only; the accessibility
        // identification is described for it.
        lines.push_back("<pdfaExtension:schemas><rdf:Bag><rdf:li rdf:parseType=\"Resource\">");
        lines.push_back("<pdfaSchema:schema>PDF/UA Universal Accessibility Schema</pdfaSchema:schema>");
        lines.push_back("<pdfaSchema:namespaceURI>http://www.aiim.org/pdfua/ns/id/</pdfaSchema:namespaceURI>");
        lines.push_back("<pdfaSchema:prefix>pdfuaid</pdfaSchema:prefix>");
        lines.push_back("<pdfaSchema:property><rdf:Seq><rdf:li rdf:parseType=\"Resource\">");
        lines.push_back("<pdfaProperty:name>part</pdfaProperty:name>");
        lines.push_back("<pdfaProperty:valueType>Integer</pdfaProperty:valueType>");
        lines.push_back("<pdfaProperty:category>internal</pdfaProperty:category>");
        lines.push_back("<pdfaProperty:description>Indicates, which part of ISO 14289 standard is followed"
                        "</pdfaProperty:description>");
        lines.push_back("</rdf:li></rdf:Seq></pdfaSchema:property>");
        lines.push_back("</rdf:li></rdf:Bag></pdfaExtension:schemas>");
    }
    lines.push_back("</rdf:Description>");
    lines.push_back("</rdf:RDF>");
    lines.push_back("</x:xmpmeta>");
    lines.push_back("<?xpacket end=\"w\"?>");
    return lines;
}

const std::string& PdfSRgbProfile()
{
    static constexpr unsigned char kProfile[] = {
#include "SRgbProfile.inc"
    };
    static const std::string profile(reinterpret_cast<const char*>(kProfile), sizeof kProfile);
    return profile;
}

namespace {

constexpr std::uint64_t kPrime1 = 0x9E3779B185EBCA87ull, kPrime2 = 0xC2B2AE3D27D4EB4Full;

std::uint64_t word(const unsigned char* p)
{
    std::uint64_t w;
    std::memcpy(&w, p, sizeof w);
    return w;
}

std::uint64_t finish(std::uint64_t x)
{
    x ^= x >> 33;
    x *= 0xFF51AFD7ED558CCDull;
    x ^= x >> 33;
    x *= 0xC4CEB9FE1A85EC53ull;
    x ^= x >> 33;
    return x;
}

} // namespace

void TPDFFingerprint::mix(const unsigned char* block)
{
    // An identifier, not a seal: multiply and rotate, each lane its own word.
    for (int i = 0; i < 4; ++i)
        lanes_[i] = std::rotl(lanes_[i] + word(block + 8 * i) * kPrime2, 31) * kPrime1;
}

void TPDFFingerprint::Add(std::string_view bytes)
{
    n_ += bytes.size();
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    std::size_t left = bytes.size();
    if (tailSize_ > 0) {
        const std::size_t take = std::min(left, sizeof tail_ - tailSize_);
        std::memcpy(tail_ + tailSize_, p, take);
        tailSize_ += take;
        p += take;
        left -= take;
        if (tailSize_ < sizeof tail_)
            return;
        mix(tail_);
        tailSize_ = 0;
    }
    for (; left >= sizeof tail_; p += sizeof tail_, left -= sizeof tail_)
        mix(p);
    std::memcpy(tail_, p, left);
    tailSize_ = left;
}

std::string TPDFFingerprint::Digest() const
{
    // The last, short block padded with zeros; the length tells it apart.
    unsigned char last[sizeof tail_] = {};
    std::memcpy(last, tail_, tailSize_);
    std::uint64_t a = lanes_[0] ^ std::rotl(lanes_[2], 17), b = lanes_[1] ^ std::rotl(lanes_[3], 41);
    for (int i = 0; i < 4; ++i) {
        const std::uint64_t w = word(last + 8 * i) * kPrime2;
        a = std::rotl(a ^ w, 27) * kPrime1;
        b = std::rotl(b + w, 31) * kPrime2;
    }
    const std::uint64_t h[2] = {finish(a ^ n_), finish(b + n_ + a)};
    std::string out(16, '\0');
    for (int i = 0; i < 16; ++i)
        out[static_cast<std::size_t>(i)] = static_cast<char>((h[i / 8] >> (8 * (7 - i % 8))) & 0xFF);
    return out;
}

} // namespace zt::exporting
