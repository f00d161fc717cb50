#pragma once
// Enumerations and small value types shared by the report model, the run and
// the page output. Numeric values are the stored ones and must not change.

#include <cstdint>

namespace zt::base {

// Colours as 0x00BBGGRR.
using TColor = std::uint32_t;
inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clNone = 0x1FFFFFFF;

enum class TQRUnit { MM = 0, Inches = 1, Pixels = 2, Characters = 3, Native = 4 };

enum TQRBandType {
    rbTitle = 0,
    rbPageHeader = 1,
    rbDetail = 2,
    rbPageFooter = 3,
    rbSummary = 4,
    rbGroupHeader = 5,
    rbGroupFooter = 6,
    rbSubDetail = 7,
    rbColumnHeader = 8,
    rbOverlay = 9,
    rbWild = 10,
    rbChild = 11,
};
inline constexpr int kBandTypeCount = 12;

enum TCBPrintOrder { cboBeforeParent = 0, cboAfterParent = 1, cboBeforeAndAfter = 2 };

enum class TQRPrintOrder { ColByCol = 0, RowByRow = 1 };

enum class TPrinterOrientation { poPortrait = 0, poLandscape = 1 };

// Named papers 1..68 follow the Windows paper codes; Default and Custom frame them.
enum class TQRPaperSize {
    Default = 0, Letter, LetterSmall, Tabloid, Ledger, Legal, Statement, Executive, A3, A4, A4Small, A5,
    B4, B5, Folio, Quarto, qr10X14, qr11X17, Note, Env9, Env10, Env11, Env12, Env14, CSheet, DSheet,
    ESheet, EnvDL, EnvC5, EnvC3, EnvC4, EnvC6, EnvC65, EnvB4, EnvB5, EnvB6, EnvItaly, EnvMonarch,
    EnvPersonal, FanfoldUSStd, FanfoldGerStd, FanfoldGerLegal, B4ISO, PostcardJap, qr9X11, qr10X11,
    qr15X11, EnvInvite, Reserved1, Reserved2, LetterExtra, LegalExtra, TabloidExtra, A4Extra,
    LetterTrans, A4Trans, LetterExtraTrans, SuperASuperAA4, SuperBSuperBA3, LetterPlus, A4Plus,
    A5Trans, B5Trans, A3Extra, A5Extra, B5Extra, A2, A3Trans, A3ExtraTrans, Custom
};

enum class TQRBin {
    First, Upper, Lower, Middle, Manual, Envelope, EnvManual, Auto, Tractor, SmallFormat,
    LargeFormat, LargeCapacity, Cassette, Last
};

enum class TQRShapeType {
    qrsRectangle = 0, qrsCircle = 1, qrsVertLine = 2, qrsHorLine = 3, qrsTopAndBottom = 4,
    qrsRightAndLeft = 5, qrsRoundRect = 6, qrsLeftDiagonal = 7, qrsRightDiagonal = 8
};

enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

enum class TWrapStyle { BreakOnSpaces = 0, BreakAnywhere = 1 };

enum class TExportType { exptText, exptNumeric, exptFormula };

enum class TXLNumFormat {
    nfGeneral, nfInteger, nfDec2, nfIntRound, nfCurrencyNS, nfCurrency, nfCurrency2, nfCurrencyDec,
    nfCurrencyDec2, nfPercent, nfPercentDec2, nfFraction, nfFraction2, nfDate1, nfDate2, nfDate3,
    nfDate4, nfTime1, nfTime2, nfTime3, nfTime4, nfDateTime
};

enum class TQRState { qrAvailable, qrPrepare, qrPreview, qrPrint, qrEdit };

// Where a page recorder's pages go, and where it is in its document cycle.
enum class TQRPrinterDestination { qrdMetafile = 0, qrdPrinter = 1 };
enum class TQRPrinterStatus { mpReady = 0, mpBusy = 1, mpFinished = 2 };

enum class TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

enum class TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

enum class TPrevFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

// qrZoom100: the page at 100 %, kept so when the view is resized.
enum class TQRZoomState { qrZoomToFit, qrZoomToWidth, qrZoomOther, qrZoom100 };

enum class TPrevSaveType { stQRP, stPDF, stXL, stHTML, stRTF, stCSV, stASCII, stXML, stXLSX };
// What the report's preview hook is told the standard preview is about to do.
enum class TStandPrevEventType { spOpen, spClose, spCopy, spPrint, spPrintSetup, spLoad, spSave, spCancel };

// Options of a report, as a bit set.
enum TBandoriaOption : unsigned { FirstPageHeader = 1u, LastPageFooter = 2u, Compression = 4u };
using TBandoriaOptions = unsigned;

// Font styles, as a bit set.
enum TFontStyle : unsigned { fsBold = 1u, fsItalic = 2u, fsUnderline = 4u, fsStrikeOut = 8u };
using TFontStyles = unsigned;

} // namespace zt::base

// The report engine builds on these and names them as its own.
namespace zt::report {
using namespace zt::base;
}
