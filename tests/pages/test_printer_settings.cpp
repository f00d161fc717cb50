// Printer settings: what is read from the driver's device mode, what is
// written back before a job, and which wishes a driver's flags refuse.

#include "PrinterTestSupport.h"

#include "pages/QRPrinterCodes.h"
#include "pages/QRPrinterSettings.h"

using namespace zt;
using namespace zt::platform::printing;
using pages::TPrinterSettings;
using report::TPrinterOrientation;
using report::TQRBin;
using report::TQRPaperSize;

namespace {

class PrinterSettingsTest : public pages::test::PrinterTest {
protected:
    // The printer object is made on the fake driver the fixture installs.
    void SetUp() override
    {
        PrinterTest::SetUp();
        own = std::make_unique<TPrinter>();
    }

    // The record the next job would print with.
    DevMode written()
    {
        DevMode m;
        own->GetPrinter(m);
        return m;
    }
    void read() { settings.SetPrinter(own.get()); }

    std::unique_ptr<TPrinter> own;
    TPrinterSettings settings;
};

} // namespace

TEST(PrinterCodes, PaperAndBinTables)
{
    EXPECT_EQ(pages::PaperCode(TQRPaperSize::A4), 9);
    EXPECT_EQ(pages::PaperCode(TQRPaperSize::Custom), 256);
    EXPECT_EQ(pages::PaperCode(TQRPaperSize::Default), 0);
    EXPECT_EQ(pages::PaperSizeOfCode(9), TQRPaperSize::A4);
    EXPECT_EQ(pages::PaperSizeOfCode(256), TQRPaperSize::Custom);
    EXPECT_EQ(pages::PaperSizeOfCode(300), TQRPaperSize::Default);
    EXPECT_EQ(pages::BinCode(TQRBin::Auto), 7);
    EXPECT_EQ(pages::BinCode(TQRBin::Cassette), 14);
    EXPECT_EQ(pages::BinCode(TQRBin::Last), 14);
    EXPECT_EQ(pages::BinOfCode(1), TQRBin::First) << "the first bin with the code";
    EXPECT_EQ(pages::BinOfCode(14), TQRBin::Cassette);
    EXPECT_FALSE(pages::BinOfCode(12).has_value());
}

TEST_F(PrinterSettingsTest, AtCreationA4PortraitAndNoPrinter)
{
    EXPECT_EQ(settings.PaperSize(), TQRPaperSize::A4);
    EXPECT_EQ(settings.Orientation(), TPrinterOrientation::poPortrait);
    EXPECT_EQ(settings.MemoryLimit, 250000);
    EXPECT_EQ(settings.Index(), -1);
    settings.SetCopies(3);
    settings.SetDuplex(true);
    settings.SetPaperSize(TQRPaperSize::Letter);
    EXPECT_EQ(settings.Copies(), 1) << "no printer: every guarded setter ignores its value";
    EXPECT_FALSE(settings.Duplex());
    EXPECT_EQ(settings.PaperSize(), TQRPaperSize::A4);
    settings.ApplySettings();  // nothing to write to
}

TEST_F(PrinterSettingsTest, ReadsTheDriversRecordAndCapabilities)
{
    printerA().defaults.dmCopies = 2;
    printerA().defaults.dmDefaultSource = DMBIN_MANUAL;
    printerA().defaults.dmDuplex = DMDUP_VERTICAL;
    printerA().defaults.dmCollate = DMCOLLATE_TRUE;
    printerA().defaults.dmColor = DMCOLOR_MONOCHROME;
    read();
    EXPECT_EQ(settings.PaperSize(), TQRPaperSize::A4) << "paper code 9";
    EXPECT_EQ(settings.Copies(), 2);
    EXPECT_EQ(settings.OutputBin(), TQRBin::Manual);
    EXPECT_TRUE(settings.Duplex());
    EXPECT_EQ(settings.ExtendedDuplex, DMDUP_VERTICAL);
    EXPECT_EQ(settings.Collate, DMCOLLATE_TRUE);
    EXPECT_EQ(settings.ColorOption, DMCOLOR_MONOCHROME);
    EXPECT_EQ(settings.PrintQuality, 600);
    EXPECT_EQ(settings.PixelsPerX(), 600);
    // 100 and 120 pixels at 600 dpi; A4 is 4961 x 7016 pixels.
    EXPECT_EQ(settings.LeftOffset(), 42);
    EXPECT_EQ(settings.TopOffset(), 51);
    EXPECT_EQ(settings.PaperWidth(), 2100);
    EXPECT_EQ(settings.PaperLength(), 2970);
    EXPECT_EQ(settings.Index(), 0);
    EXPECT_EQ(settings.Device(), "Fake A");
    EXPECT_TRUE(settings.PaperSizeSupported(TQRPaperSize::A4Small));
    EXPECT_FALSE(settings.PaperSizeSupported(TQRPaperSize::B5));
    EXPECT_TRUE(settings.PaperSizeSupported(TQRPaperSize::Default));
}

TEST_F(PrinterSettingsTest, WhatTheRecordDoesNotAnnounceIsNotRead)
{
    printerA().defaults.dmFields &= ~(DM_COPIES | DM_DEFAULTSOURCE | DM_PAPERSIZE | DM_DUPLEX);
    printerA().defaults.dmCopies = 5;
    printerA().defaults.dmDuplex = DMDUP_VERTICAL;
    read();
    EXPECT_EQ(settings.Copies(), 1);
    EXPECT_EQ(settings.OutputBin(), TQRBin::First);
    EXPECT_EQ(settings.PaperSize(), TQRPaperSize::Default);
    EXPECT_FALSE(settings.Duplex());
    EXPECT_EQ(settings.ExtendedDuplex, 0);
}

TEST_F(PrinterSettingsTest, AnUnknownPaperCodeReadsAsDefaultAndAnUnknownSourceAsFirst)
{
    printerA().defaults.dmPaperSize = 300;
    printerA().defaults.dmDefaultSource = 260;
    read();
    EXPECT_EQ(settings.PaperSize(), TQRPaperSize::Default);
    EXPECT_EQ(settings.OutputBin(), TQRBin::First);
}

TEST_F(PrinterSettingsTest, ADriverThatCannotListPapersSupportsNone)
{
    printerA().paperCodes.reset();
    read();
    settings.SetPaperSize(TQRPaperSize::Letter);
    EXPECT_EQ(settings.PaperSize(), TQRPaperSize::A4) << "kept as read";
    settings.SetPaperSize(TQRPaperSize::Default);
    EXPECT_EQ(settings.PaperSize(), TQRPaperSize::Default);
}

TEST_F(PrinterSettingsTest, AFailingRecordLeavesNoRecordAndTheSettersIgnoreWishes)
{
    printerA().failDevMode = true;
    read();
    EXPECT_FALSE(settings.LastRecord().has_value());
    EXPECT_EQ(driver->DevModeReads(), 2) << "asked a second time";
    settings.SetCopies(3);
    EXPECT_EQ(settings.Copies(), 1);
    EXPECT_EQ(settings.Printer(), own.get()) << "a missing record is no reason to forget the printer";
}

TEST_F(PrinterSettingsTest, AFailureWhileReadingForgetsThePrinter)
{
    printerA().failDeviceCaps = true;
    read();
    EXPECT_EQ(settings.Printer(), nullptr);
    settings.SetCopies(3);
    EXPECT_EQ(settings.Copies(), 1);
    settings.ApplySettings();
    EXPECT_EQ(written().dmCopies, 1) << "nothing written after the printer was forgotten";
}

TEST_F(PrinterSettingsTest, AGetHandlerThatCancelsKeepsTheValues)
{
    settings.OnGetPrinterSettings = [](TPrinterSettings*, bool& cancel, DevMode* m) {
        EXPECT_EQ(m->dmDeviceName, "Fake A");
        cancel = true;
    };
    printerA().defaults.dmCopies = 4;
    read();
    EXPECT_EQ(settings.Copies(), 1);
    EXPECT_EQ(settings.PixelsPerX(), 0);
    settings.SetCopies(6);
    EXPECT_EQ(settings.Copies(), 6) << "the record was read, only not taken";
}

TEST_F(PrinterSettingsTest, ApplyWritesTheWishesIntoTheRecord)
{
    read();
    settings.SetCopies(3);
    settings.SetOrientation(TPrinterOrientation::poLandscape);
    settings.SetOutputBin(TQRBin::Auto);
    settings.SetPaperSize(TQRPaperSize::Letter);
    settings.Collate = 1;
    settings.PrintQuality = 150;
    settings.ColorOption = DMCOLOR_MONOCHROME;
    settings.ApplySettings();
    const DevMode m = written();
    EXPECT_EQ(m.dmCopies, 3);
    EXPECT_EQ(m.dmOrientation, DMORIENT_LANDSCAPE);
    EXPECT_EQ(m.dmDefaultSource, 7) << "bin Auto";
    EXPECT_EQ(m.dmPaperSize, 1);
    EXPECT_EQ(m.dmPaperWidth, 2159);
    EXPECT_EQ(m.dmPaperLength, 2794);
    EXPECT_EQ(m.dmCollate, 1);
    EXPECT_EQ(m.dmDuplex, DMDUP_SIMPLEX);
    EXPECT_EQ(m.dmPrintQuality, 600) << "quality and colour are never written";
    EXPECT_EQ(m.dmColor, DMCOLOR_COLOR);
}

TEST_F(PrinterSettingsTest, DuplexCodes)
{
    read();
    settings.ExtendedDuplex = 2;
    settings.SetDuplex(false);
    settings.ApplySettings();
    EXPECT_EQ(written().dmDuplex, 2) << "an extended code wins over Duplex";
    settings.ExtendedDuplex = 0;
    settings.SetDuplex(true);
    settings.ApplySettings();
    EXPECT_EQ(written().dmDuplex, DMDUP_HORIZONTAL);
}

TEST_F(PrinterSettingsTest, ADriverWithoutTheDuplexFlagIgnoresDuplexAndNeverGetsItWritten)
{
    printerA().defaults.dmFields &= ~DM_DUPLEX;
    printerA().defaults.dmDuplex = 0;
    read();
    settings.SetDuplex(true);
    EXPECT_FALSE(settings.Duplex());
    settings.ExtendedDuplex = 2;
    settings.ApplySettings();
    const DevMode m = written();
    EXPECT_FALSE(m.Has(DM_DUPLEX));
    EXPECT_EQ(m.dmDuplex, 0);
}

TEST_F(PrinterSettingsTest, ACustomBinCodeIsWrittenAsItIs)
{
    read();
    settings.UseCustomBinCode = true;
    settings.CustomBinCode = 260;
    settings.ApplySettings();
    EXPECT_EQ(written().dmDefaultSource, 260);
}

TEST_F(PrinterSettingsTest, PaperCodesWrittenOnlyWhenAnnouncedAndNamed)
{
    read();
    settings.UseCustomPaperCode = true;
    settings.CustomPaperCode = 77;
    settings.ApplySettings();
    EXPECT_EQ(written().dmPaperSize, 77);

    settings.UseCustomPaperCode = false;
    settings.SetPaperSize(TQRPaperSize::Default);
    settings.SetPaperWidth(1000);
    settings.SetPaperLength(1200);
    settings.ApplySettings();
    const DevMode m = written();
    EXPECT_EQ(m.dmPaperSize, 77) << "Default is never written: the record keeps its paper";
    EXPECT_EQ(m.dmPaperWidth, 1000);
    EXPECT_EQ(m.dmPaperLength, 1200);

    printerA().defaults.dmFields &= ~DM_PAPERSIZE;
    TPrinter other;
    TPrinterSettings s;
    s.SetPrinter(&other);
    s.UseCustomPaperCode = true;
    s.CustomPaperCode = 8;
    s.ApplySettings();
    DevMode o;
    other.GetPrinter(o);
    EXPECT_FALSE(o.Has(DM_PAPERSIZE));
    EXPECT_EQ(o.dmPaperSize, DMPAPER_A4);
}

TEST_F(PrinterSettingsTest, CollateIsWrittenOnlyWhenAnnounced)
{
    printerA().defaults.dmFields &= ~DM_COLLATE;
    read();
    settings.Collate = 1;
    settings.ApplySettings();
    EXPECT_EQ(written().dmCollate, 0);
}

TEST_F(PrinterSettingsTest, AnApplyHandlerSeesTheRecordAndMayKeepTheDriversOwn)
{
    read();
    settings.SetCopies(9);
    int calls = 0;
    settings.OnApplyPrinterSettings = [&](TPrinterSettings* sender, bool& cancel, DevMode* m) {
        EXPECT_EQ(sender, &settings);
        EXPECT_EQ(m->dmCopies, 9);
        ++calls;
        cancel = true;
    };
    settings.ApplySettings();
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(written().dmCopies, 1);
}
