#pragma once
// The export filter framework: the calls a filter receives during an export
// run of a report, the abstract base of stream-writing filters, and the
// class references the filter library stores. It lives with the report,
// which makes the calls; the filters themselves are in export/.

#include "report/QRGraphics.h"
#include "report/QRStructure.h"
#include "base/QRMath.h"
#include "base/QRTypes.h"

#include <memory>
#include <string>
#include <vector>

namespace zt::pages {
class TQRPrinter;
}
namespace zt::platform {
class TStream;
}

namespace zt::report {

class TQRControl;
class TQRCustomBand;
class TCustomBandoriaRep;
class TQRExportFilter;

// The record form of one text output, for filters that lay text into columns
// (a spreadsheet filter would); no filter here takes it, so labels report
// their text through TextOut.
struct TExportInfoRec {
    long double Xpos = 0, Ypos = 0;
    TQRFont Font;
    TColor BGColor = clWhite;
    TAlignment Alignment = TAlignment::taLeftJustify;
    std::string Text;
    int Column = 0;
    TExportType ExportAs = TExportType::exptText;
    std::string ControlName;
    TXLNumFormat XLNumFormat = TXLNumFormat::nfGeneral;
};

// A filter class as a value: its name and its virtual constructor.
struct TQRExportFilterMeta {
    std::string ClassName;
    std::unique_ptr<TQRExportFilter> (*Create)(const std::string& filename);
};
using TQRExportFilterClass = const TQRExportFilterMeta*;

// The class reference of a filter class T (T names itself with ClassName()).
template <class T>
TQRExportFilterClass FilterClassOf()
{
    static const TQRExportFilterMeta meta{
        T::ClassName(), [](const std::string& filename) -> std::unique_ptr<TQRExportFilter> {
            return std::make_unique<T>(filename);
        }};
    return &meta;
}

class TQRExportFilter {
public:
    explicit TQRExportFilter(const std::string& filename);
    virtual ~TQRExportFilter();
    TQRExportFilter(const TQRExportFilter&) = delete;
    TQRExportFilter& operator=(const TQRExportFilter&) = delete;

    static const char* ClassName() { return "TQRExportFilter"; }

    virtual std::string Description() const;
    virtual std::string FileExtension() const { return {}; }
    virtual std::string Name() const;
    virtual std::string Vendor() const;
    virtual bool Streaming() const { return false; }

    virtual void Start(int paperWidth, int paperHeight, const TQRFont& font);
    virtual void EndPage() {}
    virtual void Finish();
    virtual void NewPage() {}
    // Xoff, Yoff: the control's top-left corner in the recorder's device units.
    virtual void AcceptGraphic(long double /*xoff*/, long double /*yoff*/, TQRControl* /*gcontrol*/) {}
    // For a filter that wants whole text controls rather than their lines; none here does.
    virtual void AcceptTextControl(long double /*xoff*/, long double /*yoff*/, TQRControl* /*gcontrol*/) {}
    // Native position where the band started and how far it stretched.
    virtual void AcceptBand(TQRCustomBand* /*band*/, long double /*xoff*/, long double /*yoff*/,
                            long double /*expanded*/)
    {
    }
    // X, Y: the line's anchor and top in native units (0.1 mm from the paper's corner).
    virtual void TextOut(long double /*x*/, long double /*y*/, const TQRFont& /*font*/, TColor /*bgColor*/,
                         TAlignment /*alignment*/, const std::string& /*text*/)
    {
    }
    // The column-laying counterpart of TextOut; none of the filters here calls for it.
    virtual void TextOutRec(const TExportInfoRec& /*exportInfo*/) {}
    // The logical structure around the calls that follow, up to the
    // matching EndStructure; only filters that tag their document use it.
    virtual void BeginStructure(const TQRStructureMark& /*mark*/) {}
    virtual void EndStructure() {}
    // What the user should be told about the document just written (it
    // came out other than asked); empty when nothing.
    virtual std::string Notice() const { return {}; }

    bool Active() const { return FActive; }
    const std::string& Filename() const { return FFilename; }
    void SetFilename(const std::string& v) { FFilename = v; }
    TCustomBandoriaRep* Owner() const { return FOwner; }
    void SetOwner(TCustomBandoriaRep* v) { FOwner = v; }
    pages::TQRPrinter* OriginalQRPrinter() const { return FOriginalQRPrinter; }
    void SetOriginalQRPrinter(pages::TQRPrinter* v) { FOriginalQRPrinter = v; }

    // The lines of the final document, for filters that build it as text.
    std::vector<std::string> finalDoc;

protected:
    pages::TQRPrinter* FOriginalQRPrinter = nullptr;
    bool FActive = false;
    std::string FFilename;
    TCustomBandoriaRep* FOwner = nullptr;
};

// Text encodings a stream-writing filter may be asked for.
enum class TTextEncoding {
    AnsiEncoding, ASCIIEncoding, BigEndianUnicodeEncoding, DefaultEncoding, UnicodeEncoding, UTF7Encoding,
    UTF8Encoding
};

class TQRPAbstractExportFilter : public TQRExportFilter {
public:
    explicit TQRPAbstractExportFilter(const std::string& filename);

    static const char* ClassName() { return "TQRPAbstractExportFilter"; }

    std::string Description() const override { return {}; }
    std::string FileExtension() const override { return {}; }
    std::string Name() const override { return "QRAbstract"; }

    virtual void CreateStream(const std::string& /*fileName*/) {}
    virtual void CloseStream() {}
    virtual void ProcessPage() { FPageProcessed = true; }
    virtual void StorePage() {}

    // Shared by every filter of the process, not kept per object.
    static TTextEncoding TextEncoding();
    static void SetTextEncoding(TTextEncoding v);
    // The output code page as decimal text; the system's ANSI code page at start.
    static std::string Codepage();
    static void SetCodepage(const std::string& v);
    static bool SuppressDateTime();
    static void SetSuppressDateTime(bool v);

protected:
    platform::TStream* FStream = nullptr;
    long double FCharWidth = 0, FCharHeight = 0;
    long double FPaperWidth = 0, FPaperHeight = 0;
    int FLineCount = 0, FColCount = 0;
    bool FPageProcessed = false;
    // Horizontal scale applied to shape widths.
    long double BGHFactor = 1.0L;
};

} // namespace zt::report
