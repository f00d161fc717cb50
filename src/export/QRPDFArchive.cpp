#include "export/QRPDFArchive.h"

#include "base/QRError.h"

#include <lcms2.h>

#include <cstdio>
#include <memory>

namespace zt::report {

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
    return "<" + std::string(property) + "><rdf:Alt><rdf:li xml:lang=\"x-default\">" + xml(value) +
           "</rdf:li></rdf:Alt></" + property + ">";
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
    static const std::string profile = [] {
        const auto fail = [] {
            raiseQRError(ErrorKind::InternalFault, "Das sRGB-Farbprofil für das Archiv-PDF ließ sich nicht erzeugen");
        };
        const std::unique_ptr<void, decltype(&cmsCloseProfile)> p(cmsCreate_sRGBProfile(), &cmsCloseProfile);
        if (p == nullptr)
            fail();
        // Version 4.2: the profiles the archive format's PDF 1.7 names.
        cmsSetProfileVersion(p.get(), 4.2);
        cmsUInt32Number size = 0;
        if (!cmsSaveProfileToMem(p.get(), nullptr, &size) || size == 0)
            fail();
        std::string bytes(size, '\0');
        if (!cmsSaveProfileToMem(p.get(), bytes.data(), &size))
            fail();
        bytes.resize(size);
        return bytes;
    }();
    return profile;
}

void TPDFFingerprint::Add(std::string_view bytes)
{
    // Two independent 64-bit mixes: an identifier, not a seal.
    for (const char c : bytes) {
        const auto v = static_cast<unsigned char>(c);
        a_ = (a_ ^ v) * 0x100000001B3ull;
        b_ = (b_ + v + 0x632BE59BD9B4E019ull) * 0xBF58476D1CE4E5B9ull;
        b_ ^= b_ >> 29;
    }
    n_ += bytes.size();
}

std::string TPDFFingerprint::Digest() const
{
    const auto fin = [](std::uint64_t x) {
        x ^= x >> 33;
        x *= 0xFF51AFD7ED558CCDull;
        x ^= x >> 33;
        x *= 0xC4CEB9FE1A85EC53ull;
        x ^= x >> 33;
        return x;
    };
    const std::uint64_t h[2] = {fin(a_ ^ n_), fin(b_ + n_)};
    std::string out(16, '\0');
    for (int i = 0; i < 16; ++i)
        out[static_cast<std::size_t>(i)] = static_cast<char>((h[i / 8] >> (8 * (7 - i % 8))) & 0xFF);
    return out;
}

} // namespace zt::report
